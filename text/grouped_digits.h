#pragma once

#include <cstdint>
#include <string>

namespace kx27 {

// 1234567 as "1,234,567", as the dialog and kx27c show counts.
std::string GroupedDigits(std::int64_t value);

}  // namespace kx27
