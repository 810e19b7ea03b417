#include <charconv>
#include <cmath>
#include <cstdint>

#include "text/conversions.h"
#include "text/sign_prefix.h"

namespace kx27 {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number checked against the accepted form, with its digits gathered
// while they fit in 64 bits.
struct Scanned {
  bool valid = false;
  bool fits = true;
  std::uint64_t mantissa = 0;
  int exponent = 0;  // of the last mantissa digit
};

void AddDigit(Scanned& scanned, char c) {
  if (scanned.mantissa > (UINT64_MAX - 9) / 10) {
    scanned.fits = false;
    return;
  }
  scanned.mantissa = scanned.mantissa * 10 + static_cast<std::uint64_t>(c - '0');
}

// Digits, an optional point and digits (at least one digit in all), an
// optional exponent, and nothing after.
Scanned Scan(std::string_view number) {
  Scanned scanned;
  std::size_t p = 0;
  std::size_t digit_count = 0;
  for (; p < number.size() && IsDigit(number[p]); ++p, ++digit_count) AddDigit(scanned, number[p]);
  if (p < number.size() && number[p] == '.') {
    for (++p; p < number.size() && IsDigit(number[p]); ++p, ++digit_count) {
      AddDigit(scanned, number[p]);
      --scanned.exponent;
    }
  }
  if (digit_count == 0) return scanned;
  if (p < number.size() && (number[p] == 'e' || number[p] == 'E')) {
    ++p;
    const bool negative = p < number.size() && number[p] == '-';
    if (p < number.size() && (number[p] == '+' || number[p] == '-')) ++p;
    const std::size_t first = p;
    int exponent = 0;
    for (; p < number.size() && IsDigit(number[p]); ++p) {
      if (exponent < 100000) exponent = exponent * 10 + (number[p] - '0');
    }
    if (p == first) return scanned;
    scanned.exponent += negative ? -exponent : exponent;
  }
  scanned.valid = p == number.size();
  return scanned;
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The form nearly every number in a drawing has: an optional minus, then
// at most 19 digits with at most one point among them, whose value is a
// double divided by an exact power of ten, which rounds correctly. False,
// and value untouched, for anything else.
bool ReadPlainDecimal(std::string_view text, double& value) {
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p != end && *p == '-';
  p += negative ? 1 : 0;
  std::uint64_t mantissa = 0;
  int digits = 0;
  const char* point = nullptr;
  for (; p != end; ++p) {
    const auto digit = static_cast<unsigned>(static_cast<unsigned char>(*p) - '0');
    if (digit < 10) {
      mantissa = mantissa * 10 + digit;
      ++digits;
    } else if (*p == '.' && point == nullptr) {
      point = p;
    } else {
      return false;
    }
  }
  const auto fraction_digits = point == nullptr ? 0 : static_cast<int>(end - point - 1);
  if (digits == 0 || digits > 19 || mantissa > (std::uint64_t{1} << 53) || fraction_digits > 22)
    return false;
  const auto whole = static_cast<double>(mantissa);
  const double magnitude = whole / kPowersOfTen[fraction_digits];
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

std::optional<double> ParseReal(std::string_view text) {
  if (double value; ReadPlainDecimal(text, value)) return value;
  const std::optional<TSignedText> split = SplitSign(text);
  if (!split) return std::nullopt;
  const bool negative = split->Negative;
  const std::string_view number = split->Rest;
  const Scanned scanned = Scan(number);
  if (!scanned.valid) return std::nullopt;
  double value = 0.0;
  if (scanned.fits && scanned.mantissa <= (std::uint64_t{1} << 53) && scanned.exponent >= -22 &&
      scanned.exponent <= 22) {
    // Both operands are exact doubles, so one operation rounds correctly;
    // this covers nearly every number a drawing holds.
    const auto mantissa = static_cast<double>(scanned.mantissa);
    value = scanned.exponent < 0 ? mantissa / kPowersOfTen[-scanned.exponent]
                                 : mantissa * kPowersOfTen[scanned.exponent];
  } else {
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    // Out of range either way (overflow or underflow) is no number, so no
    // infinity ever reaches a record.
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
      return std::nullopt;
    }
  }
  return negative ? -value : value;
}

double TextToReal(std::string_view text) { return ParseReal(text).value_or(0.0); }

}  // namespace kx27
