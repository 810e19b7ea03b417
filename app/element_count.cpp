#include "app/element_count.h"

namespace kx27 {
namespace {

// Commands and attribute lines of the output: "hd", "hq", "bz", "lg", "ly",
// "lc", "lt", "lw", "cn", "cc", "pn" and "z1".."z5".
bool IsCommand(std::string_view line) {
  if (line.size() < 2) return false;
  const char a = line[0];
  const char b = line[1];
  switch (a) {
    case 'h':
      return b == 'd' || b == 'q';
    case 'b':
      return b == 'z';
    case 'l':
      return b == 'g' || b == 'y' || b == 'c' || b == 't' || b == 'w';
    case 'c':
      return b == 'n' || b == 'c';
    case 'p':
      return b == 'n';
    case 'z':
      return b >= '1' && b <= '5';
    default:
      return false;
  }
}

}  // namespace

std::int64_t CountElementLines(std::string_view exchange_text) {
  std::int64_t count = 0;
  int lines_to_skip = 0;
  std::size_t pos = 0;
  while (pos < exchange_text.size()) {
    std::size_t end = exchange_text.find('\n', pos);
    if (end == std::string_view::npos) end = exchange_text.size();
    std::string_view line = exchange_text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    if (lines_to_skip > 0) {
      --lines_to_skip;
    } else if (line == "msg") {
      ++count;
      lines_to_skip = 2;  // the dimension line and its "cs" text
    } else if (!line.empty() && !IsCommand(line)) {
      ++count;
    }
  }
  return count;
}

}  // namespace kx27
