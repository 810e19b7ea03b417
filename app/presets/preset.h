#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kx27 {

inline constexpr int kPresetCount = 20;

// A comment and a line-type number per layer: Values[group * 16 + layer].
// Values hold only line types: whatever puts a value in passes it through
// FilterLineType, so nothing that reads them filters again.
struct TPreset {
  std::string Comment;  // Shift_JIS, one line
  std::array<std::int32_t, 256> Values{};
};

using TPresetTable = std::array<TPreset, kPresetCount>;  // preset n at [n - 1]

// True for 0-9, 11-19, 31-45 and 47-62: 0 (keep the element's) and the
// line types the host knows.
bool IsLineType(std::int32_t value);

// The value where IsLineType, else 0.
std::int32_t FilterLineType(std::int32_t value);

// The text with every CR and LF replaced by a blank: the settings file keeps
// a comment or a folder on one line, and a break would shift every later one.
std::string OneLineText(std::string_view text);

}  // namespace kx27
