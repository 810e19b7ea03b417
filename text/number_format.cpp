#include <cfloat>
#include <charconv>
#include <cmath>

#include "text/number_format.h"

namespace kx27 {

namespace {

constexpr int kSignificantDigits = 15;

// Decimal digits d1 d2 ... dn (no trailing zeros) and the exponent of d1.
struct Decimal {
  char digits[kSignificantDigits + 2];
  int count = 0;
  int exponent = 0;
};

// Reads the output of to_chars in scientific form, "-d.ddde-05", whose
// digits are already rounded to at most kSignificantDigits.
void ReadScientific(const char* first, const char* last, Decimal& decimal) {
  decimal.count = 0;
  const char* p = first;
  if (*p == '-') ++p;
  for (; p != last && *p != 'e'; ++p) {
    if (*p != '.' && decimal.count < kSignificantDigits + 2) {
      decimal.digits[decimal.count++] = *p;
    }
  }
  ++p;  // the 'e'
  if (*p == '+') ++p;
  std::from_chars(p, last, decimal.exponent);
  while (decimal.count > 1 && decimal.digits[decimal.count - 1] == '0') --decimal.count;
}

Decimal Round(double magnitude) {
  char text[64];
  Decimal decimal;
  // The shortest form, when short enough, is the rounding to 15 digits for
  // normal numbers; subnormals carry fewer bits, so they are rounded outright.
  auto result = std::to_chars(text, text + sizeof text, magnitude,
                              std::chars_format::scientific);
  ReadScientific(text, result.ptr, decimal);
  if (decimal.count > kSignificantDigits || magnitude < DBL_MIN) {
    result = std::to_chars(text, text + sizeof text, magnitude,
                           std::chars_format::scientific, kSignificantDigits - 1);
    ReadScientific(text, result.ptr, decimal);
  }
  return decimal;
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
