#include "app/element_count.h"

#include <fstream>
#include <memory>

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

// Lines may run across the blocks it is fed.
class TElementLineCounter {
 public:
  void Feed(std::string_view bytes) {
    while (!bytes.empty()) {
      const std::size_t end = bytes.find('\n');
      if (end == std::string_view::npos) {
        partial_.append(bytes);
        return;
      }
      if (partial_.empty()) {
        Line(bytes.substr(0, end));
      } else {
        partial_.append(bytes.substr(0, end));
        Line(partial_);
        partial_.clear();
      }
      bytes.remove_prefix(end + 1);
    }
  }

  std::int64_t Finish() {
    if (!partial_.empty()) Line(partial_);
    partial_.clear();
    return count_;
  }

 private:
  void Line(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (lines_to_skip_ > 0) {
      --lines_to_skip_;
    } else if (line == "msg") {
      ++count_;
      lines_to_skip_ = 2;  // the dimension line and its "cs" text
    } else if (!line.empty() && !IsCommand(line)) {
      ++count_;
    }
  }

  std::string partial_;
  int lines_to_skip_ = 0;
  std::int64_t count_ = 0;
};

}  // namespace

std::int64_t CountElementLines(std::string_view exchange_text) {
  TElementLineCounter counter;
  counter.Feed(exchange_text);
  return counter.Finish();
}

std::int64_t CountElementLinesInFile(const std::filesystem::path& file) {
  constexpr std::size_t kBlockSize = 1 << 20;
  const auto block = std::make_unique_for_overwrite<char[]>(kBlockSize);
  TElementLineCounter counter;
  std::ifstream in(file, std::ios::binary);
  while (in) {
    in.read(block.get(), kBlockSize);
    counter.Feed(std::string_view(block.get(), static_cast<std::size_t>(in.gcount())));
  }
  return counter.Finish();
}

}  // namespace kx27
