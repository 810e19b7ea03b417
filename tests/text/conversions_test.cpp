#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "text/conversions.h"

namespace kx27 {
namespace {

TEST(TextToFlag, ReadsTheTrueWordsOnly) {
  const struct {
    std::string_view text;
    bool flag;
  } cases[] = {
      {"true", true},
      {"on", true},
      {"t r u e", true},
      {" on ", true},
      {"\x82\x50", true},
      {"\x81\x40\x82\x50\x81\x40", true},  // full-width one in full-width spaces
      {"\x81\x9B", true},
      {"\x90\x5E", true},
      {"\x90\xB3", true},  // circle, shin, sei
      {"", false},
      {"0", false},
      {"F", false},
      {"FALSE", false},
      {"YES", false},
      {"TRUEX", false},
      {"\x82\x73\x82\x71\x82\x74\x82\x64", false},  // full-width TRUE
  };
  for (const auto& c : cases) EXPECT_EQ(TextToFlag(c.text), c.flag) << c.text;
  EXPECT_EQ(FlagToText(true), "1");
  EXPECT_EQ(FlagToText(false), "0");
}

// ParseInt's number or nothing; TextToInt reads the same text as the number or 0.
TEST(ParseInt, AcceptsOnlyWholeDecimalOrHexText) {
  const struct {
    std::string_view text;
    std::optional<std::int32_t> value;
  } cases[] = {
      {"   12", 12},
      {"+12", 12},
      {"-12", -12},
      {"007", 7},
      {"$1F", 31},
      {"x1f", 31},
      {"0x1F", 31},
      {"0X1f", 31},
      {"-$10", -16},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$FFFFFFFF", -1},
      {"$80000000", INT32_MIN},
      {"-$80000000", INT32_MIN},
      {"$000000001", 1},
      {"$7FFFFFFF", 2147483647},
      {"0", 0},
      {"00", 0},
      {"-0", 0},
      {"+0", 0},
      {"  0", 0},
      {"$0", 0},
      {"x0", 0},
      {"X00", 0},
      {"0x0", 0},
      {"-0X00", 0},
      {"000000000000000", 0},
      {"$000000000000", 0},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"12 ", std::nullopt},
      {"0 ", std::nullopt},
      {"\t12", std::nullopt},
      {"1.5", std::nullopt},
      {"1,000", std::nullopt},
      {"--1", std::nullopt},
      {"+-5", std::nullopt},
      {"- 1", std::nullopt},
      {"\x82\x50\x82\x51", std::nullopt},
      {"$", std::nullopt},
      {"x", std::nullopt},
      {"0x", std::nullopt},
      {"-0x", std::nullopt},
      {"-", std::nullopt},
      {"+", std::nullopt},
      {"$G", std::nullopt},
      {"0x0x1", std::nullopt},
      {"$-1", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999", std::nullopt},
      {"$100000000", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseInt(c.text), c.value) << c.text;
    EXPECT_EQ(TextToInt(c.text), c.value.value_or(0)) << c.text;
  }
}

// ParseReal's number or nothing; TextToReal reads the same text as the number or 0.0.
TEST(ParseReal, AcceptsOnlyWholeDecimalText) {
  const struct {
    std::string_view text;
    std::optional<double> value;
  } cases[] = {
      {"1", 1.0},
      {"-2.5", -2.5},
      {".5", 0.5},
      {"5.", 5.0},
      {"1e3", 1000.0},
      {"1.5E-3", 0.0015},
      {"  -0.25", -0.25},
      {"+7E+1", 70.0},
      {"123456789012345678901234567890", 1.2345678901234568e29},
      {"1.7976931348623157e308", 1.7976931348623157e308},
      {"4.9e-324", 4.9e-324},
      {"0", 0.0},
      {"-0", -0.0},
      {"0.0", 0.0},
      {".0", 0.0},
      {"0.", 0.0},
      {"  +0", 0.0},
      {"0e5", 0.0},
      {"0e999", 0.0},
      {"000.000", 0.0},
      {"-0.25 ", std::nullopt},
      {"1,5", std::nullopt},
      {"1e", std::nullopt},
      {"1e+", std::nullopt},
      {"+", std::nullopt},
      {"-", std::nullopt},
      {"0x10", std::nullopt},
      {"$10", std::nullopt},
      {".", std::nullopt},
      {"-.", std::nullopt},
      {"e5", std::nullopt},
      {"1..2", std::nullopt},
      {"1e2.5", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"", std::nullopt},
      {"  ", std::nullopt},
      {"1e999", std::nullopt},
      {"-1e999", std::nullopt},
      {"1e-999", std::nullopt},
      {"1.8e308", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseReal(c.text), c.value) << c.text;
    EXPECT_EQ(std::signbit(ParseReal(c.text).value_or(0.0)), std::signbit(c.value.value_or(0.0)))
        << c.text;
    EXPECT_EQ(TextToReal(c.text), c.value.value_or(0.0)) << c.text;
  }
}

TEST(TextToReal, RoundsLikeTheStandardConversion) {
  std::mt19937_64 random(27);
  std::string text;
  for (int i = 0; i < 200000; ++i) {
    // Up to 20 digits with a point anywhere, a minus or not, and exponents
    // around the exact range or none, as most drawings write their numbers.
    char digits[24];
    const auto digit_count = std::to_chars(digits, digits + 24, random()).ptr - digits;
    const auto count = 1 + static_cast<std::size_t>(random() % digit_count);
    const auto point = static_cast<std::size_t>(random() % (count + 1));
    text.clear();
    if (random() % 4 == 0) text.push_back('-');
    text.append(digits, point).append(".").append(digits + point, count - point);
    if (random() % 2 == 0)
      text.append("e").append(std::to_string(static_cast<int>(random() % 61) - 30));
    // strtod, which rounds correctly on every platform built for; the 32-bit
    // Windows runtime's from_chars does not.
    const double expected = std::strtod(text.c_str(), nullptr);
    ASSERT_EQ(TextToReal(text), expected) << text;
  }
}

TEST(StripBlanks, RemovesBlanksAnywhereAndKeepsCharacters) {
  const struct {
    std::string_view text, stripped;
  } cases[] = {
      {"A B\tC", "ABC"},
      {"\x82\x60\x81\x40\x82\x61", "\x82\x60\x82\x61"},  // full-width A, space, B
      {" \x01\x1f\x81\x40 ", ""},
      {"\xB1\xB2 \xA0\x7F\xFE\xFF", "\xB1\xB2\xA0\x7F\xFE\xFF"},  // katakana and odd bytes stay
      {"\x83\x40\x40", "\x83\x40\x40"},  // a pair ending in 0x40 is not a space
      {"A\x81", "A\x81"},                // a trailing lead byte stays
  };
  for (const auto& c : cases) EXPECT_EQ(StripBlanks(c.text), c.stripped) << c.text;
}

TEST(TrimBlanks, TrimsOnlyTheEnds) {
  const struct {
    std::string_view text, trimmed;
  } cases[] = {
      {" \x90\x63", "\x90\x63"},        {"\x81\x40\x8b\x9c\x91\xcc\x81\x40 ", "\x8b\x9c\x91\xcc"},
      {"A \x81\x40 B", "A \x81\x40 B"}, {"\x83\x40", "\x83\x40"},  // ends in 0x40 but is no blank
      {"\x81\x40\x81\x40\t", ""},       {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TrimBlanks(c.text), c.trimmed) << c.text;
}

TEST(SplitCommaText, SplitsAtCommasAndBlanks) {
  const struct {
    std::string_view text;
    int count;
    std::string_view joined;
  } cases[] = {
      {"", 0, "-|-|-|-"},
      {" \t ", 0, "-|-|-|-"},
      {"1,2,3", 3, "1|2|3|-"},
      {"1 2\t3", 3, "1|2|3|-"},
      {"1 , 2", 2, "1|2|-|-"},
      {"1,,3", 3, "1||3|-"},
      {",1", 2, "|1|-|-"},
      {"1,", 2, "1||-|-"},
      {"1, ", 1, "1|-|-|-"},
      {"\"1 2\",3", 2, "1 2|3|-|-"},
      {"\"\",x", 2, "|x|-|-"},
      {"\"a\"\"b\"", 1, "a\"b|-|-|-"},
      {"\"a, b", 1, "a, b|-|-|-"},
      {"a\"b c", 2, "a\"b|c|-|-"},
      {"\x82\x50,\x82\x51", 2, "\x82\x50|\x82\x51|-|-"},
      {"1,2,3,4,5,6", 6, "1|2|3|4"},  // surplus dropped, still counted
  };
  for (const auto& c : cases) {
    std::array<std::string, 4> slots{"-", "-", "-", "-"};
    EXPECT_EQ(SplitCommaText(c.text, slots), c.count) << c.text;
    std::string joined = slots[0];
    for (std::size_t i = 1; i < slots.size(); ++i) joined.append("|").append(slots[i]);
    EXPECT_EQ(joined, c.joined) << c.text;
  }
}

}  // namespace
}  // namespace kx27
