#pragma once

// Cuts text into lines, in one scan per line. A line ends at a line feed, its
// CR LF or LF dropped; a carriage return anywhere else in a line is dropped,
// not kept as a break. What a byte 0x1A means is the caller's choice.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "text/wide_integer.h"

namespace kx27 {

// What a byte 0x1A, the old end-of-file mark, does.
enum class TEndMark {
  kKept,            // nothing: a byte like any other
  kEndsText,        // where a line would begin, ends the text; kept inside one
  kEndsTextOrLine,  // as kEndsText, and inside a line ends that line
};

class TLineCutter {
 public:
  explicit TLineCutter(TEndMark end_mark) : end_mark_(end_mark) {}

  // Calls on_line(std::string_view) for each line that ends within
  // [p, end), and with at_end for the last one too, which then needs no
  // line feed. Returns where the first line not handed on begins, or null
  // once an end mark where a line begins has ended the text.
  template <typename OnLine>
  const char* Cut(const char* p, const char* end, bool at_end, OnLine&& on_line) {
    while (p != end) {
      std::string_view line;
      const char* const next = CutLine(p, end, at_end, line);
      if (next == nullptr || next == p) return next;
      on_line(line);
      p = next;
    }
    return p;
  }

  // The one line that begins at p (p != end) into line, valid until the next
  // call. Returns where the next line begins; p when the line does not end
  // before end and at_end is false; null when an end mark ends the text at p.
  const char* CutLine(const char* p, const char* end, bool at_end, std::string_view& line) {
    const char* const stop = FindLineByte(p, end);
    if (stop != end && *stop == '\n') {
      line = std::string_view(p, static_cast<std::size_t>(stop - p));
      return stop + 1;
    }
    if (stop != end && *stop == '\r' && end - stop >= 2 && stop[1] == '\n') {
      line = std::string_view(p, static_cast<std::size_t>(stop - p));
      return stop + 2;
    }
    // 0x1A, a carriage return inside the line, or no line end yet.
    const auto* lf =
        static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    if (lf == nullptr && !at_end) return p;
    const char* const line_end = lf == nullptr ? end : lf;
    if (EndsText(p)) return nullptr;
    line = OddLine(std::string_view(p, static_cast<std::size_t>(line_end - p)));
    return lf == nullptr ? end : lf + 1;
  }

  // Whether the byte where a line would begin ends the text.
  bool EndsText(const char* p) const { return *p == kEndOfFile && end_mark_ != TEndMark::kKept; }

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

  // A line as the text holds it, up to its line feed, that does not begin
  // with an end mark ending the text.
  std::string_view OddLine(std::string_view raw) {
    if (end_mark_ == TEndMark::kEndsTextOrLine) {
      const std::size_t eof = raw.find(kEndOfFile);
      if (eof != std::string_view::npos) raw = raw.substr(0, eof);
    }
    if (raw.find('\r') == std::string_view::npos) return raw;
    cleaned_.clear();
    for (const char c : raw)
      if (c != '\r') cleaned_.push_back(c);
    return cleaned_;
  }

  TEndMark end_mark_;
  std::string cleaned_;
};

// The lines of a whole text, one at a time.
class TTextLines {
 public:
  TTextLines(std::string_view text, TEndMark end_mark)
      : p_(text.data()), end_(text.data() + text.size()), cutter_(end_mark) {}

  bool AtEnd() const { return p_ == end_ || cutter_.EndsText(p_); }

  // The next line without its end; the empty text once AtEnd(). The view
  // lasts until the next call.
  std::string_view Next() {
    if (AtEnd()) return {};
    std::string_view line;
    p_ = cutter_.CutLine(p_, end_, true, line);
    return line;
  }

 private:
  const char* p_;
  const char* end_;
  TLineCutter cutter_;
};

}  // namespace kx27
