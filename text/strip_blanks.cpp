#include "text/conversions.h"
#include "text/shift_jis.h"

namespace kx27 {

std::string StripBlanks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  std::size_t p = 0;
  while (p < text.size()) {
    const auto byte = static_cast<unsigned char>(text[p]);
    if (IsLeadByte(byte)) {
      if (p + 1 == text.size()) {
        result.push_back(text[p]);
        break;
      }
      const bool full_width_space =
          byte == 0x81 && static_cast<unsigned char>(text[p + 1]) == 0x40;
      if (!full_width_space) result.append(text.substr(p, 2));
      p += 2;
    } else {
      if (byte > 0x20) result.push_back(text[p]);
      ++p;
    }
  }
  return result;
}

}  // namespace kx27
