#include "text/line_cutter.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace kx27 {
namespace {

using TLines = std::vector<std::string>;

struct TCase {
  const char* name;
  std::string_view text;
  TEndMark end_mark;
  TLines lines;
};

constexpr TEndMark kKept = TEndMark::kKept;
constexpr TEndMark kText = TEndMark::kEndsText;
constexpr TEndMark kLine = TEndMark::kEndsTextOrLine;

const TCase kCases[] = {
    {"empty text", "", kLine, {}},
    {"LF and CR LF end lines", "a\nbc\r\nd", kLine, {"a", "bc", "d"}},
    {"a last line end adds no line", "a\r\n", kLine, {"a"}},
    {"empty lines stay", "\n\r\n\nx", kLine, {"", "", "", "x"}},
    {"a lone CR is dropped", "a\rb\nc\r", kLine, {"ab", "c"}},
    {"CR before CR LF is dropped too", "abcdefghij\r\r\nk", kLine, {"abcdefghij", "k"}},
    {"a CR alone is an empty line", "\r\nx\r", kKept, {"", "x"}},
    {"long lines past the wide scan",
     "0123456789abcdef0123\r\nxyz0123456789\n",
     kLine,
     {"0123456789abcdef0123", "xyz0123456789"}},
    {"bytes above 0x80 are no line ends",
     "\x81\x40\x8A\x9A\x8D\r\n\xFF",
     kLine,
     {"\x81\x40\x8A\x9A\x8D", "\xFF"}},
    {"other control bytes stay", "\t\x01\x19\x1B\n", kLine, {"\t\x01\x19\x1B"}},
    {"kept: 0x1A is a byte",
     "a\x1A"
     "b\n\x1A\nc",
     kKept,
     {"a\x1A"
      "b",
      "\x1A", "c"}},
    {"ends text: at a line start", "a\n\x1A\nb", kText, {"a"}},
    {"ends text: kept inside a line",
     "a\x1A"
     "b\r\x1A\r\nc",
     kText,
     {"a\x1A"
      "b\x1A",
      "c"}},
    {"ends line: at a line start",
     "a\r\n\x1A"
     "b\r\nc",
     kLine,
     {"a"}},
    {"ends line: inside a line",
     "ab\x1A"
     "cd\r\nef\x1A\r\ng",
     kLine,
     {"ab", "ef", "g"}},
    {"ends line: first byte of the text", "\x1A", kLine, {}},
};

TLines CutWhole(const TCase& c) {
  TLines lines;
  TLineCutter cutter(c.end_mark);
  cutter.Cut(c.text.data(), c.text.data() + c.text.size(), true,
             [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

// Fed as a reader feeds blocks: the bytes not handed on go in front of the
// next block.
TLines CutInTwo(const TCase& c, std::size_t split) {
  TLines lines;
  TLineCutter cutter(c.end_mark);
  const auto on_line = [&](std::string_view line) { lines.emplace_back(line); };
  const std::string first(c.text.substr(0, split));
  const char* rest = cutter.Cut(first.data(), first.data() + first.size(), false, on_line);
  if (rest == nullptr) return lines;
  const std::string second =
      std::string(rest, first.data() + first.size() - rest) + std::string(c.text.substr(split));
  cutter.Cut(second.data(), second.data() + second.size(), true, on_line);
  return lines;
}

TLines TextLines(const TCase& c) {
  TLines lines;
  TTextLines text(c.text, c.end_mark);
  while (!text.AtEnd()) lines.emplace_back(text.Next());
  EXPECT_EQ(text.Next(), "");
  return lines;
}

TEST(LineCutter, CutsLinesByTheSameRulesHoweverFed) {
  for (const TCase& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CutWhole(c), c.lines);
    EXPECT_EQ(TextLines(c), c.lines);
    for (std::size_t split = 0; split <= c.text.size(); ++split)
      EXPECT_EQ(CutInTwo(c, split), c.lines) << "split at " << split;
  }
}

TEST(LineCutter, SaysWhereTheTextEnded) {
  const struct {
    std::string_view text;
    bool at_end;
    std::ptrdiff_t rest;  // -1: the text ended at 0x1A
  } cases[] = {
      {"a\nb", false, 2},
      {"a\nb", true, 3},
      {"a\r", false, 0},
      {"a\n\x1A"
       "b\n",
       false, -1},
      // The mark's line may go on in the next block: it waits for its end.
      {"a\n\x1A", false, 2},
      {"a\n\x1A", true, -1},
      {"a\n", false, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TLineCutter cutter(TEndMark::kEndsTextOrLine);
    const char* rest =
        cutter.Cut(c.text.data(), c.text.data() + c.text.size(), c.at_end, [](std::string_view) {});
    EXPECT_EQ(rest == nullptr ? -1 : rest - c.text.data(), c.rest);
  }
}

}  // namespace
}  // namespace kx27
