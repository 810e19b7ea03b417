#include <string>

#include <gtest/gtest.h>

#include "text/shift_jis.h"

namespace kx27 {
namespace {

TEST(UpperCaseCp932, ChangesAsciiLettersOnly) {
  // The trail bytes of these katakana are 'a' and 'b' and must survive.
  EXPECT_EQ(UpperCaseCp932("ab\x83\x61z\x83\x62{\xB1"), "AB\x83\x61Z\x83\x62{\xB1");
  EXPECT_EQ(UpperCaseCp932("x\x82\x81"), "X\x82\x81");  // full-width a stays
  EXPECT_EQ(UpperCaseCp932("a\x83"), "A\x83");
}

TEST(CutToWholeChars, NeverSplitsADoubleByteCharacter) {
  const std::string_view text =
      "A\x8A\xBF"
      "B\x95\x5C";  // A, kan, B, hyou
  const struct {
    std::string_view text;
    std::size_t max;
    std::string_view cut;
  } cases[] = {
      {text, 0, ""},
      {text, 1, "A"},
      {text, 2, "A"},
      {text, 3, "A\x8A\xBF"},
      {text, 5,
       "A\x8A\xBF"
       "B"},
      {text, 6, text},
      {text, 99, text},
      {"AB\x81", 3, "AB\x81"},
      {"AB\x81", 2, "AB"},  // a trailing lead byte is one character
  };
  for (const auto& c : cases) EXPECT_EQ(CutToWholeChars(c.text, c.max), c.cut) << c.max;
}

TEST(FindCp932, SkipsMatchesOnTrailBytes) {
  const std::string_view text =
      "\x95\x5C\\\x83\x41"
      "A";  // hyou (trail byte '\'), '\', a, 'A'
  const struct {
    std::string_view needle;
    std::size_t from, found;
  } cases[] = {
      {"\\", 0, 2},
      {"\\", 3, std::string_view::npos},
      {"A", 0, 5},
      {"\x5C\x5C", 0, std::string_view::npos},
      {"\x95", 0, 0},
      {"\x95", 1, std::string_view::npos},
      {"Z", 0, std::string_view::npos},
  };
  for (const auto& c : cases) EXPECT_EQ(FindCp932(text, c.needle, c.from), c.found) << c.needle;
}

}  // namespace
}  // namespace kx27
