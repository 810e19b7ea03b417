#include <array>
#include <bit>
#include <charconv>
#include <cmath>

#include "text/number_format.h"

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
                                         std::chars_format::scientific,
                                         kSignificantDigits - 1).ptr;
  Decimal decimal;
  const char* p = text;
  decimal.digits[decimal.count++] = *p++;
  for (++p; *p != 'e'; ++p) decimal.digits[decimal.count++] = *p;
  ++p;
  const bool negative = *p++ == '-';
  int exponent = 0;
  for (; p != last; ++p) exponent = exponent * 10 + (*p - '0');
  decimal.exponent = negative ? -exponent : exponent;
  DropTrailingZeros(decimal);
  return decimal;
}

constexpr auto kPowersOfFive = [] {
  std::array<std::uint64_t, 21> powers{};
  powers[0] = 1;
  for (std::size_t k = 1; k < powers.size(); ++k) powers[k] = powers[k - 1] * 5;
  return powers;
}();

// The normal value mantissa * 2^binary_exponent times 10^k, exactly, as its
// integer part and whether the rest is below, at or above one half.
struct Scaled {
  std::uint64_t whole;
  int half_compare;
};

Scaled Scale(std::uint64_t mantissa, int binary_exponent, int k) {
  // 10^k = 5^k * 2^k; the shift stays between 2 and 50 for the values
  // that come here (1e-5 <= value < 1e15, k <= 20).
  __extension__ typedef unsigned __int128 u128;
  const u128 product = static_cast<u128>(mantissa) * kPowersOfFive[static_cast<std::size_t>(k)];
  const int shift = -(binary_exponent + k);
  const u128 rest = product & ((static_cast<u128>(1) << shift) - 1);
  const u128 half = static_cast<u128>(1) << (shift - 1);
  return {static_cast<std::uint64_t>(product >> shift),
          rest < half ? -1 : (rest == half ? 0 : 1)};
}

// Values that fixed notation shows, rounded exactly in integer arithmetic,
// which is several times faster than going through text.
Decimal RoundByScaling(double magnitude) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const int biased = static_cast<int>(bits >> 52);
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int binary_exponent = biased - 1075;
  // floor(log10(2) * e2) is the decimal exponent or one less.
  int decimal_exponent = ((biased - 1023) * 78913) >> 18;
  Scaled scaled = Scale(mantissa, binary_exponent, 14 - decimal_exponent);
  if (scaled.whole >= kBeyond15) {
    ++decimal_exponent;
    scaled = Scale(mantissa, binary_exponent, 14 - decimal_exponent);
  }
  // Ties go to the even digit, as to_chars rounds.
  std::uint64_t rounded = scaled.whole;
  if (scaled.half_compare > 0 || (scaled.half_compare == 0 && rounded % 2 == 1)) ++rounded;
  Decimal decimal;
  if (rounded == kBeyond15) {
    decimal.digits[0] = '1';
    decimal.count = 1;
    decimal.exponent = decimal_exponent + 1;
    return decimal;
  }
  decimal.count = static_cast<int>(
      std::to_chars(decimal.digits, decimal.digits + sizeof decimal.digits, rounded).ptr -
      decimal.digits);
  decimal.exponent = decimal_exponent;
  DropTrailingZeros(decimal);
  return decimal;
}

Decimal Round(double magnitude) {
  return magnitude >= 1e-5 && magnitude < 1e15 ? RoundByScaling(magnitude)
                                                : RoundByText(magnitude);
}

char* WriteFixed(char* p, const Decimal& decimal) {
  if (decimal.exponent < 0) {
    *p++ = '0';
    *p++ = '.';
    for (int i = -1; i > decimal.exponent; --i) *p++ = '0';
    for (int i = 0; i < decimal.count; ++i) *p++ = decimal.digits[i];
    return p;
  }
  const int integer_digits = decimal.exponent + 1;
  for (int i = 0; i < integer_digits; ++i) {
    *p++ = i < decimal.count ? decimal.digits[i] : '0';
  }
  if (decimal.count > integer_digits) {
    *p++ = '.';
    for (int i = integer_digits; i < decimal.count; ++i) *p++ = decimal.digits[i];
  }
  return p;
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

void AppendReal(std::string& out, double value) {
  // A non-finite value has no form the host can read; zero keeps the line valid.
  if (value == 0.0 || !std::isfinite(value)) {
    out.push_back('0');
    return;
  }
  const Decimal decimal = Round(std::fabs(value));
  char text[48];
  char* p = text;
  if (value < 0) *p++ = '-';
  // Fixed for 1e-4 <= |value| < 1e15 after rounding.
  if (decimal.exponent >= -4 && decimal.exponent <= kSignificantDigits - 1) {
    p = WriteFixed(p, decimal);
  } else {
    p = WriteScientific(p, text + sizeof text, decimal);
  }
  out.append(text, p);
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

}  // namespace kx27
