#include "text/grouped_digits.h"

namespace kx27 {

std::string GroupedDigits(std::int64_t value) {
  const auto magnitude = static_cast<unsigned long long>(value);
  const std::string digits = std::to_string(value < 0 ? 0ULL - magnitude : magnitude);
  std::string grouped = value < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace kx27
