#pragma once

// The colours the host draws with on its usual white background.

#include <cstdint>

namespace kx27 {

// 0xRRGGBB of line colour 1-9. Colour 10 is a solid's own "lc10" value,
// which the host keeps as red + green * 256 + blue * 65536 (a Windows
// colour value), so its bytes are swapped here. Any other colour is black.
std::uint32_t HostRgb(std::int32_t colour, std::int32_t lc10_value = 0);

// The colour three quarters of the way to white: what is not pointed at.
std::uint32_t DimmedRgb(std::uint32_t rgb);

inline constexpr std::uint32_t kHostBackground = 0xFFFFFF;

}  // namespace kx27
