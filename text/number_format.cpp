#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "text/conversions.h"
#include "text/number_format.h"
#include "text/wide_integer.h"

namespace kx27 {

namespace {

constexpr int kSignificantDigits = 15;
constexpr std::uint64_t kBeyond15 = 1000000000000000;  // 1e15

// The value as digits d1 d2 ... dn (no trailing zeros) times 10^(exponent - n + 1).
struct Decimal {
  char digits[kSignificantDigits + 2];
  int count = 0;
  int exponent = 0;
};

void DropTrailingZeros(Decimal& decimal) {
  while (decimal.count > 1 && decimal.digits[decimal.count - 1] == '0') --decimal.count;
}

// Any positive finite value, through to_chars's exact rounding to 15
// digits; its "d.<14 digits>e-05" is read back into digits and exponent.
Decimal RoundByText(double magnitude) {
  char text[40];
  const char* const last = std::to_chars(text, text + sizeof text, magnitude,
                                         std::chars_format::scientific, kSignificantDigits - 1)
                               .ptr;
  Decimal decimal;
  const char* p = text;
  decimal.digits[decimal.count++] = *p++;
  for (++p; *p != 'e'; ++p) decimal.digits[decimal.count++] = *p;
  ++p;
  const bool negative = *p++ == '-';
  int exponent = 0;
  for (; p != last; ++p) exponent = exponent * 10 + (*p - '0');
  decimal.exponent = negative ? -exponent : exponent;
  // The largest doubles round up to 1.79769313486232E308, which is beyond
  // the range and would read back as nothing: toward zero instead.
  constexpr std::string_view kAboveMax = "179769313486232";
  if (decimal.exponent == 308 && std::string_view(decimal.digits, decimal.count) == kAboveMax)
    decimal.digits[kSignificantDigits - 1] = '1';
  DropTrailingZeros(decimal);
  return decimal;
}

constexpr auto kPowersOfFive = [] {
  std::array<std::uint64_t, 21> powers{};
  powers[0] = 1;
  for (std::size_t k = 1; k < powers.size(); ++k) powers[k] = powers[k - 1] * 5;
  return powers;
}();

// The normal value mantissa * 2^binary_exponent times 10^k, exactly,
// rounded to an integer with ties to the even one, as to_chars rounds.
std::uint64_t ScaleAndRound(std::uint64_t mantissa, int binary_exponent, int k) {
  // 10^k = 5^k * 2^k; the shift stays between 3 and 50 for the values
  // that come here (1e-5 <= value < 1e15, k <= 19), so the integer part and
  // the rest each fit in 64 bits.
  const TUint128 product = MultiplyWide(mantissa, kPowersOfFive[static_cast<std::size_t>(k)]);
  const int shift = -(binary_exponent + k);
  const std::uint64_t whole = ShiftRight(product, shift);
  const std::uint64_t rest = product.Low & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  // Up if the rest is above one half, or at it with an odd whole. As one
  // comparison, so that it compiles without a branch: which way a value
  // rounds is as good as random.
  return whole + static_cast<std::uint64_t>(rest + whole % 2 > half);
}

// 10^-5 .. 10^15, each the nearest double, which is never below the power,
// so that value >= kPowersOfTen[..] tells exactly whether it reaches it.
constexpr double kPowersOfTen[] = {1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0,  1e1,  1e2,  1e3,  1e4, 1e5,
                                   1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// A value rounded to 15 significant digits: digits * 10^(exponent - 14),
// with 10^14 <= digits < 10^15.
struct Rounded {
  std::uint64_t digits;
  int exponent;
};

// Values that fixed notation shows, rounded exactly in integer arithmetic,
// which is several times faster than going through text.
Rounded RoundByScaling(double magnitude) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const int biased = static_cast<int>(bits >> 52);
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  // floor(log10(2) * e2) is the decimal exponent or one less; one comparison
  // settles which.
  int decimal_exponent = ((biased - 1023) * 78913) >> 18;
  decimal_exponent += magnitude >= kPowersOfTen[decimal_exponent + 6] ? 1 : 0;
  const std::uint64_t rounded = ScaleAndRound(mantissa, biased - 1075, 14 - decimal_exponent);
  // 999999999999999.5 and the like carry into a 16th digit.
  if (rounded == kBeyond15) return {kBeyond15 / 10, decimal_exponent + 1};
  return {rounded, decimal_exponent};
}

// The digits are built as characters inside integers, several lanes per
// operation, and stored whole: the lowest byte of a word is its first digit.

// The eight digits of value < 10^8 as one byte each (0-9, not yet
// characters). Each step splits every lane of the word into two lanes of half
// the width: 4 + 4 digits in 32 bits, 2 + 2 in 16 bits, 1 + 1 in 8 bits. The
// multiply-and-shift divides each lane at once (exact for lanes below 10^4 by
// 100 and below 100 by 10) and the mask keeps the quotients apart.
std::uint64_t EightDigits(std::uint32_t value) {
  std::uint64_t x = value / 10000 | std::uint64_t{value % 10000} << 32;
  const std::uint64_t hundreds = (x * 10486 >> 20) & 0x0000007F0000007F;
  x = hundreds | (x - hundreds * 100) << 16;
  const std::uint64_t tens = (x * 103 >> 10) & 0x000F000F000F000F;
  return tens | (x - tens * 10) << 8;
}

// The 15 digits of a rounded value and a 16th '0', as characters, and how
// many of them count: the digits up to the last one that is not zero. The
// zeros after them let every copy below take 16 characters from any start.
struct Digits {
  char text[32] = {};
  int count = 0;
};

Digits ToDigits(std::uint64_t rounded) {
  const std::uint64_t high = EightDigits(static_cast<std::uint32_t>(rounded / 10000000));
  const std::uint64_t low = EightDigits(static_cast<std::uint32_t>(rounded % 10000000 * 10));
  // Trailing zero digits are zero bytes at the top of the words; the first
  // digit is never zero, so high is never 0.
  const int zeros = std::countl_zero(low) / 8 + (low == 0 ? std::countl_zero(high) / 8 : 0);
  constexpr std::uint64_t kZeros = 0x3030303030303030;  // '0' in every byte
  Digits digits;
  StoreLittleEndian64(digits.text, high | kZeros);
  StoreLittleEndian64(digits.text + 8, low | kZeros);
  digits.count = 16 - zeros;
  return digits;
}

// A rounded value with -4 <= exponent <= 14 in fixed notation. Every store is
// of 16 characters, so no loop is needed; what lands past the end is
// overwritten or left unused.
char* WriteFixed(char* p, const Digits& digits, int exponent) {
  if (exponent < 0) {
    std::memcpy(p, "0.0000", 6);
    p += 1 - exponent;
    std::memcpy(p, digits.text, 16);
    return p + digits.count;
  }
  const int integer_digits = exponent + 1;
  // An integer's trailing zeros are among the digits.
  std::memcpy(p, digits.text, 16);
  if (digits.count <= integer_digits) return p + integer_digits;
  // The point, and after it the digits from integer_digits on again.
  p[integer_digits] = '.';
  std::memcpy(p + integer_digits + 1, digits.text + integer_digits, 16);
  return p + digits.count + 1;
}

char* WriteScientific(char* p, char* last, const Decimal& decimal) {
  *p++ = decimal.digits[0];
  if (decimal.count > 1) {
    *p++ = '.';
    for (int i = 1; i < decimal.count; ++i) *p++ = decimal.digits[i];
  }
  *p++ = 'E';
  return std::to_chars(p, last, decimal.exponent).ptr;
}

}  // namespace

char* WriteReal(char* out, double value) {
  // A non-finite value has no form the host can read; zero keeps the line valid.
  if (value == 0.0 || !std::isfinite(value)) {
    *out = '0';
    return out + 1;
  }
  const double magnitude = std::fabs(value);
  char* p = out;
  char* const last = out + kRealRoom;
  // The sign without a branch: coordinates are as often negative as not.
  *p = '-';
  p += value < 0 ? 1 : 0;
  if (magnitude >= 1e-5 && magnitude < 1e15) {
    const Rounded rounded = RoundByScaling(magnitude);
    const Digits digits = ToDigits(rounded.digits);
    // Fixed for 1e-4 <= |value| < 1e15 after rounding.
    if (rounded.exponent >= -4 && rounded.exponent <= kSignificantDigits - 1)
      return WriteFixed(p, digits, rounded.exponent);
    // Just below 1e-4, or rounded up to 1e15: rare.
    Decimal decimal;
    std::memcpy(decimal.digits, digits.text, 16);
    decimal.count = digits.count;
    decimal.exponent = rounded.exponent;
    return WriteScientific(p, last, decimal);
  }
  return WriteScientific(p, last, RoundByText(magnitude));
}

void AppendReal(std::string& out, double value) {
  char text[kRealRoom];
  out.append(text, WriteReal(text, value));
}

double WrittenReal(double value) {
  std::string out;
  AppendReal(out, value);
  return TextToReal(out);
}

std::string FormatReal(double value) {
  std::string out;
  AppendReal(out, value);
  return out;
}

void AppendInt(std::string& out, std::int64_t value) {
  char text[24];
  const auto result = std::to_chars(text, text + sizeof text, value);
  out.append(text, result.ptr);
}

std::string IntToText(std::int64_t value) {
  std::string text;
  AppendInt(text, value);
  return text;
}

}  // namespace kx27
