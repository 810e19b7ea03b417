#pragma once

// Cuts the bytes of an exchange file into the lines the reader applies, in
// one scan per line. A line ends at a line feed, its CR LF or LF dropped;
// 0x1A where a line begins ends the file, and where it stands inside one ends
// the line; a carriage return inside a line is dropped, not kept as a break.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "text/wide_integer.h"

namespace kx27 {

class TLineCutter {
 public:
  // Calls on_line(std::string_view) for each line that ends within
  // [p, end), and with at_end for the last one too, which then needs no
  // line feed. Returns where the first line not handed on begins, or null
  // once a line beginning with 0x1A has ended the file.
  template <typename OnLine>
  const char* Cut(const char* p, const char* end, bool at_end, OnLine&& on_line) {
    while (p != end) {
      const char* const stop = FindLineByte(p, end);
      if (stop != end && *stop == '\n') {
        on_line(std::string_view(p, static_cast<std::size_t>(stop - p)));
        p = stop + 1;
      } else if (stop != end && *stop == '\r' && end - stop >= 2 && stop[1] == '\n') {
        on_line(std::string_view(p, static_cast<std::size_t>(stop - p)));
        p = stop + 2;
      } else {
        // 0x1A, a carriage return inside the line, or no line end yet.
        const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        if (lf == nullptr && !at_end) return p;
        const char* const line_end = lf == nullptr ? end : lf;
        if (!OddLine(std::string_view(p, static_cast<std::size_t>(line_end - p)), on_line)) return nullptr;
        p = lf == nullptr ? end : lf + 1;
      }
    }
    return p;
  }

 private:
  static constexpr char kEndOfFile = '\x1A';

  static bool IsLineByte(char c) { return c == '\n' || c == '\r' || c == kEndOfFile; }

  // The first line feed, carriage return or 0x1A, or end. Eight bytes at a
  // time: only bytes below 0x1B can be one of them.
  static const char* FindLineByte(const char* p, const char* end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHigh = 0x8080808080808080u;
    while (end - p >= 8) {
      const std::uint64_t w = LoadLittleEndian64(p);
      // The lowest flag is exact: borrows only flag bytes after a true hit.
      const std::uint64_t below = (w - kOnes * 0x1B) & ~w & kHigh;
      if (below == 0) {
        p += 8;
        continue;
      }
      p += std::countr_zero(below) / 8;
      if (IsLineByte(*p)) return p;
      ++p;
    }
    while (p != end && !IsLineByte(*p)) ++p;
    return p;
  }

  // A line as the file holds it, up to its line feed; false when it ends
  // the file.
  template <typename OnLine>
  bool OddLine(std::string_view raw, OnLine& on_line) {
    if (!raw.empty() && raw.front() == kEndOfFile) return false;
    const std::size_t eof = raw.find(kEndOfFile);
    if (eof != std::string_view::npos) raw = raw.substr(0, eof);
    if (raw.find('\r') == std::string_view::npos) {
      on_line(raw);
      return true;
    }
    cleaned_.clear();
    for (const char c : raw)
      if (c != '\r') cleaned_.push_back(c);
    on_line(std::string_view(cleaned_));
    return true;
  }

  std::string cleaned_;
};

}  // namespace kx27
