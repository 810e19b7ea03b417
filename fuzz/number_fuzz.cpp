// Numbers: a finite value formatted and read back is the value rounded to 15
// significant digits (toward zero where the nearest would leave the range of
// a double); any text reads as a number or as none without harm, and a
// number read writes back as text that reads as the same number.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "text/conversions.h"
#include "text/number_format.h"

namespace {

void CheckRoundTrip(double value) {
  if (!std::isfinite(value)) return;
  const std::string text = kx27::FormatReal(value);
  FUZZ_CHECK(text.find_first_not_of("0123456789.-E") == std::string::npos);
  char rounded[64];
  std::snprintf(rounded, sizeof rounded, "%.15g", value);
  double expected = std::strtod(rounded, nullptr);
  if (std::isinf(expected)) expected = std::copysign(1.79769313486231e308, value);
  FUZZ_CHECK(kx27::TextToReal(text) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size >= sizeof(double)) {
    double value;
    std::memcpy(&value, data, sizeof value);
    CheckRoundTrip(value);
  }
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<double> real = kx27::ParseReal(text);
  FUZZ_CHECK(kx27::TextToReal(text) == real.value_or(0.0));
  if (real) CheckRoundTrip(*real);
  const std::optional<std::int32_t> integer = kx27::ParseInt(text);
  FUZZ_CHECK(kx27::TextToInt(text) == integer.value_or(0));
  if (integer) {
    std::string decimal;
    kx27::AppendInt(decimal, *integer);
    FUZZ_CHECK(kx27::ParseInt(decimal) == integer);
  }
  return 0;
}
