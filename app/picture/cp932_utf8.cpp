#include "app/picture/cp932_utf8.h"

#include <cstdint>

#include "app/picture/cp932_table.h"
#include "text/shift_jis.h"

namespace kx27 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

char32_t DoubleByte(unsigned char lead, unsigned char trail) {
  int row = -1;
  if (lead >= 0x81 && lead <= 0x9F) row = lead - 0x81;
  if (lead >= 0xE0 && lead <= 0xFC) row = lead - 0xE0 + 0x1F;
  if (row < 0 || trail < 0x40 || trail > 0xFC) return kReplacement;
  const std::uint16_t code = kCp932DoubleByte[row][trail - 0x40];
  return code == 0 ? kReplacement : code;
}

char32_t SingleByte(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xA1 && byte <= 0xDF) return 0xFF61 + (byte - 0xA1);  // half-width katakana
  return kReplacement;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

std::string Cp932ToUtf8(std::string_view text) {
  std::string utf8;
  utf8.reserve(text.size() * 3 / 2);
  for (std::size_t pos = 0; pos < text.size();) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (CharSize(text, pos) == 2) {
      AppendUtf8(utf8, DoubleByte(byte, static_cast<unsigned char>(text[pos + 1])));
      pos += 2;
    } else {
      AppendUtf8(utf8, SingleByte(byte));
      pos += 1;
    }
  }
  return utf8;
}

}  // namespace kx27
