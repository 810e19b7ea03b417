#pragma once

// Cuts a byte stream, fed in blocks, into lines at each line feed. A line
// that ends in its block is handed on where it stands; one that runs across
// blocks is gathered first.

#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace kx27 {

// on_line(std::string_view line) gets each line without its line feed and
// returns false to stop the stream there.
template <typename OnLine>
class TLineSplitter {
 public:
  explicit TLineSplitter(OnLine on_line) : on_line_(std::forward<OnLine>(on_line)) {}

  // False once on_line has stopped the stream.
  bool Feed(std::string_view block) {
    const char* data = block.data();
    const char* const end = data + block.size();
    while (data != end) {
      const auto* lf = static_cast<const char*>(std::memchr(data, '\n', end - data));
      if (lf == nullptr) {
        pending_.append(data, end);
        return true;
      }
      bool go_on;
      if (pending_.empty()) {
        go_on = on_line_(std::string_view(data, lf - data));
      } else {
        pending_.append(data, lf);
        go_on = on_line_(std::string_view(pending_));
        pending_.clear();
      }
      if (!go_on) return false;
      data = lf + 1;
    }
    return true;
  }

  // The last line of a stream that does not end in a line feed.
  void Finish() {
    if (pending_.empty()) return;
    on_line_(std::string_view(pending_));
    pending_.clear();
  }

 private:
  OnLine on_line_;
  std::string pending_;
};

}  // namespace kx27
