#include "text/conversions.h"
#include "text/shift_jis.h"

namespace kx27 {

std::string StripBlanks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t p = 0; p < text.size();) {
    const std::string_view c = text.substr(p, CharSize(text, p));
    const bool blank = c == "\x81\x40" || static_cast<unsigned char>(c[0]) <= 0x20;
    if (!blank) result.append(c);
    p += c.size();
  }
  return result;
}

}  // namespace kx27
