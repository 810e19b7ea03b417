#include "app/convert/element_count.h"

#include <fstream>
#include <memory>

#include "text/line_splitter.h"

namespace kx27 {
namespace {

// Commands and attribute lines of the output: "hd", "hq", "bz", "lg", "ly",
// "lc", "lt", "lw", "cn", "cc", "pn" and "z1".."z5".
bool IsCommand(std::string_view line) {
  if (line.size() < 2) return false;
  const char b = line[1];
  switch (line[0]) {
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

// Counts the element lines of the output, line by line.
class TElementLineCounter {
 public:
  bool operator()(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (lines_to_skip_ > 0) {
      --lines_to_skip_;
    } else if (line == "msg") {
      ++count_;
      lines_to_skip_ = 2;  // the dimension line and its "cs" text
    } else if (!line.empty() && !IsCommand(line)) {
      ++count_;
    }
    return true;
  }

  std::int64_t Count() const { return count_; }

 private:
  int lines_to_skip_ = 0;
  std::int64_t count_ = 0;
};

}  // namespace

std::int64_t CountElementLines(std::string_view exchange_text) {
  TElementLineCounter counter;
  TLineSplitter<TElementLineCounter&> lines(counter);
  lines.Feed(exchange_text);
  lines.Finish();
  return counter.Count();
}

std::int64_t CountElementLinesInFile(const std::filesystem::path& file) {
  constexpr std::size_t kBlockSize = 1 << 20;
  const auto block = std::make_unique_for_overwrite<char[]>(kBlockSize);
  TElementLineCounter counter;
  TLineSplitter<TElementLineCounter&> lines(counter);
  std::ifstream in(file, std::ios::binary);
  while (in) {
    in.read(block.get(), kBlockSize);
    lines.Feed(std::string_view(block.get(), static_cast<std::size_t>(in.gcount())));
  }
  lines.Finish();
  return counter.Count();
}

}  // namespace kx27
