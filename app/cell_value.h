#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kx27 {

// The value that a grid cell's text gives a preset (TextToInt, then
// FilterLineType), or nothing when the text is neither 0 nor a line type,
// so that storing it would silently turn it into 0. Blank text reads as 0.
std::optional<std::int32_t> AllowedCellValue(std::string_view text);

}  // namespace kx27
