#include "app/presets/preset.h"

namespace kx27 {

bool IsLineType(std::int32_t value) {
  return (value >= 0 && value <= 9) || (value >= 11 && value <= 19) ||
         (value >= 31 && value <= 45) || (value >= 47 && value <= 62);
}

std::int32_t FilterLineType(std::int32_t value) { return IsLineType(value) ? value : 0; }

std::string OneLineText(std::string_view text) {
  std::string line(text);
  for (char& byte : line)
    if (byte == '\r' || byte == '\n') byte = ' ';
  return line;
}

}  // namespace kx27
