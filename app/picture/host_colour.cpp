#include "app/picture/host_colour.h"

#include <array>

namespace kx27 {
namespace {

constexpr std::array<std::uint32_t, 9> kLineColours = {
    0x00C0C0, 0x000000, 0x00C000, 0xC0C000, 0xC000C0, 0x0000FF, 0x008080, 0xFF0080, 0xFF80FF};

}  // namespace

std::uint32_t HostRgb(std::int32_t colour, std::int32_t lc10_value) {
  if (colour >= 1 && colour <= 9) return kLineColours[static_cast<std::size_t>(colour - 1)];
  if (colour == 10) {
    const auto value = static_cast<std::uint32_t>(lc10_value);
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
  }
  return 0x000000;
}

std::uint32_t DimmedRgb(std::uint32_t rgb) {
  std::uint32_t dimmed = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t channel = (rgb >> shift) & 0xFF;
    dimmed |= (channel + (0xFF - channel) * 3 / 4) << shift;
  }
  return dimmed;
}

}  // namespace kx27
