#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "text/conversions.h"
#include "text/grouped_digits.h"
#include "text/number_format.h"

namespace kx27 {
namespace {

TEST(AppendReal, WritesFifteenSignificantDigitsInGeneralFormat) {
  const struct {
    double value;
    std::string_view text;
  } cases[] = {
      {123.5, "123.5"},
      {-0.5, "-0.5"},
      {0.0, "0"},
      {-0.0, "0"},
      {0.00012345, "0.00012345"},
      {1e-5, "1E-5"},
      {-1.5e-7, "-1.5E-7"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {0.1 + 0.2, "0.3"},
      {1e14, "100000000000000"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1E15"},
      {999999999999999.9, "1E15"},
      {9.9999999999999999e14, "1E15"},
      {0.00009999999999999999, "0.0001"},
      {1.5e20, "1.5E20"},
      {-1234567.125, "-1234567.125"},
      {1e100, "1E100"},
      {DBL_MAX, "1.79769313486231E308"},
      {1.797693134862315e308, "1.79769313486231E308"},
      {1.7976931348623e308, "1.7976931348623E308"},
      {DBL_MIN, "2.2250738585072E-308"},
      {5e-324, "4.94065645841247E-324"},
      {1e-310, "9.99999999999997E-311"},
      {12345678901234.25, "12345678901234.2"},
      {12345678901234.75, "12345678901234.8"},  // exact ties
      {HUGE_VAL, "0"},
      {NAN, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatReal(c.value), c.text) << c.text;
}

TEST(AppendReal, WritesTypicalValuesWithoutTrailingZeros) {
  const struct {
    double value;
    std::string_view text;
  } cases[] = {
      {-3253.25883, "-3253.25883"},
      {16450.50253, "16450.50253"},
      {0.7854, "0.7854"},
      {25.5, "25.5"},
      {1.0, "1"},
      {90.0, "90"},
      {-100000.0, "-100000"},
      {0.1, "0.1"},
      {0.0001, "0.0001"},
      {-0.00012, "-0.00012"},
      {123456789012345.0, "123456789012345"},
      {12345678.9012345, "12345678.9012345"},
      {0.000123456789012345, "0.000123456789012345"},
      {9.99999999999999e-5, "9.99999999999999E-5"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatReal(c.value), c.text) << c.text;
}

TEST(WrittenReal, IsWhatReadingTheWrittenTextGives) {
  const struct {
    double value, written;
  } cases[] = {
      {123456789.00000002, 123456789.0},
      {1.000000000000004e-8, 1e-8},
      {1.0 / 3, 0.333333333333333},
      {-2.5, -2.5},
      {NAN, 0.0},
      {-HUGE_VAL, 0.0},
      // The top of the range rounds toward zero, so that it reads back.
      {DBL_MAX, 1.79769313486231e308},
      {-DBL_MAX, -1.79769313486231e308},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WrittenReal(c.value), c.written) << c.value;
    EXPECT_EQ(TextToReal(FormatReal(c.value)), c.written) << c.value;
  }
}

TEST(AppendReal, AppendsToWhatIsThere) {
  std::string out = "x=";
  AppendReal(out, -2.25);
  AppendInt(out, -9000000000);
  AppendInt(out, 0);
  EXPECT_EQ(out, "x=-2.25-90000000000");
}

TEST(AppendReal, RoundsLikeTheFifteenDigitScientificForm) {
  std::mt19937_64 random(27);
  for (int i = 0; i < 300000; ++i) {
    // Exponents from 1e-9 to 1e21 cover both ways of rounding; a few others too.
    const std::uint64_t exponent = i % 16 == 0 ? random() % 2047 : 993 + random() % 108;
    const double value = std::bit_cast<double>(exponent << 52 | (random() >> 12));
    char text[40] = {};
    std::to_chars(text, text + 39, value, std::chars_format::scientific, 14);
    // strtod: the 32-bit Windows runtime's from_chars does not round correctly.
    const double expected = std::strtod(text, nullptr);
    ASSERT_EQ(TextToReal(FormatReal(value)), expected) << FormatReal(value) << " " << text;
  }
}

TEST(GroupedDigits, ThousandsSeparatedByCommas) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, "0"},          {999, "999"},
      {1000, "1,000"},   {1234567, "1,234,567"},
      {-1234, "-1,234"}, {INT64_MIN, "-9,223,372,036,854,775,808"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(GroupedDigits(value), text) << value;
}

}  // namespace
}  // namespace kx27
