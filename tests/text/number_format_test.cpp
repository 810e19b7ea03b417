#include <cfloat>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "text/conversions.h"
#include "text/number_format.h"

namespace kx27 {
namespace {

TEST(AppendReal, WritesFifteenSignificantDigitsInGeneralFormat) {
  const struct { double value; std::string_view text; } cases[] = {
      {123.5, "123.5"}, {2, "2"}, {-0.5, "-0.5"}, {0.0, "0"}, {-0.0, "0"},
      {0.0001, "0.0001"}, {0.00012345, "0.00012345"}, {1e-5, "1E-5"}, {-1.5e-7, "-1.5E-7"},
      {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"}, {0.1 + 0.2, "0.3"},
      {1e14, "100000000000000"}, {999999999999999.0, "999999999999999"}, {1e15, "1E15"},
      {999999999999999.9, "1E15"}, {9.9999999999999999e14, "1E15"}, {0.00009999999999999999, "0.0001"},
      {1.5e20, "1.5E20"}, {-1234567.125, "-1234567.125"}, {100, "100"}, {1e100, "1E100"},
      {DBL_MAX, "1.79769313486232E308"}, {DBL_MIN, "2.2250738585072E-308"},
      {5e-324, "4.94065645841247E-324"}, {1e-310, "9.99999999999997E-311"},
      {HUGE_VAL, "0"}, {NAN, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatReal(c.value), c.text) << c.text;
}

TEST(AppendReal, AppendsAndReadsBackWithinFifteenDigits) {
  std::string out = "x=";
  AppendReal(out, -2.25);
  AppendInt(out, -9000000000);
  AppendInt(out, 0);
  EXPECT_EQ(out, "x=-2.25-90000000000");
  for (const double value : {0.1, 1.0 / 7, -123456.789, 6.02214076e23, 1.6e-19}) {
    const double back = TextToReal(FormatReal(value));
    EXPECT_NEAR(back, value, std::abs(value) * 1e-14) << value;
  }
}

}  // namespace
}  // namespace kx27
