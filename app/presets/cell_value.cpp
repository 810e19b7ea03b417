#include "app/presets/cell_value.h"

#include "app/presets/preset.h"
#include "text/conversions.h"
#include "text/shift_jis.h"

namespace kx27 {
namespace {

// The half-width form of a Shift_JIS full-width digit, plus or minus, or 0.
char HalfWidthOf(unsigned char lead, unsigned char trail) {
  if (lead == 0x82 && trail >= 0x4F && trail <= 0x58)
    return static_cast<char>('0' + (trail - 0x4F));
  if (lead == 0x81 && trail == 0x7B) return '+';
  if (lead == 0x81 && trail == 0x7C) return '-';
  return 0;
}

}  // namespace

std::string CellInput(std::string_view text) {
  text = TrimBlanks(text);
  std::string input;
  input.reserve(text.size());
  for (std::size_t p = 0; p < text.size();) {
    const std::size_t size = CharSize(text, p);
    const char half = size == 2 ? HalfWidthOf(static_cast<unsigned char>(text[p]),
                                              static_cast<unsigned char>(text[p + 1]))
                                : 0;
    if (half != 0) {
      input.push_back(half);
    } else {
      input.append(text, p, size);
    }
    p += size;
  }
  return input;
}

char16_t HalfWidthInput(char16_t c) {
  if (c >= u'\uFF10' && c <= u'\uFF19') return static_cast<char16_t>(u'0' + (c - u'\uFF10'));
  switch (c) {
    case u'\uFF0B': return u'+';
    case u'\uFF0D':
    case u'\u2212': return u'-';  // the minus sign some IMEs type
    case u'\u3000': return u' ';
    default: return c;
  }
}

std::optional<std::int32_t> AllowedCellValue(std::string_view text) {
  // A cell left blank holds 0, as it is stored.
  if (text.find_first_not_of(' ') == std::string_view::npos) return 0;
  const std::optional<std::int32_t> value = ParseInt(text);
  if (!value || !IsLineType(*value)) return std::nullopt;
  return value;
}

}  // namespace kx27
