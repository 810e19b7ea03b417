#include "text/conversions.h"
#include "text/shift_jis.h"

namespace kx27 {
namespace {

bool IsBlank(std::string_view c) {
  return c == "\x81\x40" || static_cast<unsigned char>(c[0]) <= 0x20;
}

}  // namespace

std::string StripBlanks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t p = 0; p < text.size();) {
    const std::string_view c = text.substr(p, CharSize(text, p));
    if (!IsBlank(c)) result.append(c);
    p += c.size();
  }
  return result;
}

std::string_view TrimBlanks(std::string_view text) {
  // Forwards, since the second byte of a character may look like a blank.
  std::size_t begin = text.size(), end = 0;
  for (std::size_t p = 0; p < text.size();) {
    const std::string_view c = text.substr(p, CharSize(text, p));
    if (!IsBlank(c)) {
      if (begin == text.size()) begin = p;
      end = p + c.size();
    }
    p += c.size();
  }
  return begin < end ? text.substr(begin, end - begin) : std::string_view();
}

}  // namespace kx27
