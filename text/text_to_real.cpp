#include <charconv>
#include <cmath>

#include "text/conversions.h"

namespace kx27 {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t p) {
  while (p < text.size() && IsDigit(text[p])) ++p;
  return p;
}

// True when number is digits, an optional point and digits (at least one
// digit in all), and an optional exponent, with nothing after.
bool IsPlainDecimal(std::string_view number) {
  std::size_t p = SkipDigits(number, 0);
  std::size_t digit_count = p;
  if (p < number.size() && number[p] == '.') {
    const std::size_t after_point = SkipDigits(number, p + 1);
    digit_count += after_point - (p + 1);
    p = after_point;
  }
  if (digit_count == 0) return false;
  if (p < number.size() && (number[p] == 'e' || number[p] == 'E')) {
    ++p;
    if (p < number.size() && (number[p] == '+' || number[p] == '-')) ++p;
    const std::size_t exponent_end = SkipDigits(number, p);
    if (exponent_end == p) return false;
    p = exponent_end;
  }
  return p == number.size();
}

}  // namespace

double TextToReal(std::string_view text) {
  std::size_t p = text.find_first_not_of(' ');
  if (p == std::string_view::npos) return 0.0;
  bool negative = false;
  if (text[p] == '+' || text[p] == '-') {
    negative = text[p] == '-';
    ++p;
  }
  const std::string_view number = text.substr(p);
  if (!IsPlainDecimal(number)) return 0.0;
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(number.data(), number.data() + number.size(), value);
  // Out of range either way (overflow or underflow) reads as zero, so no
  // infinity ever reaches a record.
  if (error != std::errc() || end != number.data() + number.size() ||
      !std::isfinite(value)) {
    return 0.0;
  }
  return negative ? -value : value;
}

}  // namespace kx27
