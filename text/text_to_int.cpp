#include "text/conversions.h"
#include "text/hex_digit.h"
#include "text/sign_prefix.h"

namespace kx27 {

namespace {

// Eight hex digits fill 32 bits; the result is their two's-complement reading.
bool ParseHex(std::string_view digits, std::uint32_t& value) {
  if (digits.empty()) return false;
  value = 0;
  for (const char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0 || value > 0x0FFFFFFFu) return false;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return true;
}

bool ParseDecimal(std::string_view digits, bool negative, std::uint32_t& value) {
  if (digits.empty()) return false;
  value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9' || value > 214748364u) return false;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return value <= (negative ? 2147483648u : 2147483647u);
}

}  // namespace

std::optional<std::int32_t> ParseInt(std::string_view text) {
  const std::optional<TSignedText> split = SplitSign(text);
  if (!split) return std::nullopt;
  const bool negative = split->Negative;
  const std::string_view rest = split->Rest;
  std::uint32_t value = 0;
  bool ok = false;
  if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
    ok = ParseHex(rest.substr(1), value);
  } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    ok = ParseHex(rest.substr(2), value);
  } else {
    ok = ParseDecimal(rest, negative, value);
  }
  if (!ok) return std::nullopt;
  // Negating in unsigned arithmetic wraps -$80000000 instead of overflowing.
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

std::int32_t TextToInt(std::string_view text) { return ParseInt(text).value_or(0); }

}  // namespace kx27
