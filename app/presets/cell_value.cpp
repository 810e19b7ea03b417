#include "app/presets/cell_value.h"

#include "app/presets/preset.h"
#include "text/conversions.h"
#include "text/shift_jis.h"

namespace kx27 {
namespace {

// TextToInt gives 0 for a written zero and for text it cannot read; only
// the first is a value.
bool IsWrittenZero(std::string_view text) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return true;
  std::string_view rest = text.substr(start);
  if (rest[0] == '+' || rest[0] == '-') rest.remove_prefix(1);
  if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
    rest.remove_prefix(1);
  } else if (rest.size() > 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    rest.remove_prefix(2);
  }
  return !rest.empty() && rest.find_first_not_of('0') == std::string_view::npos;
}

// The half-width form of a Shift_JIS full-width digit, plus or minus, or 0.
char HalfWidthOf(unsigned char lead, unsigned char trail) {
  if (lead == 0x82 && trail >= 0x4F && trail <= 0x58) return static_cast<char>('0' + (trail - 0x4F));
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
  const std::int32_t value = TextToInt(text);
  if (value == 0) return IsWrittenZero(text) ? std::optional<std::int32_t>(0) : std::nullopt;
  if (FilterLineType(value) != value) return std::nullopt;
  return value;
}

}  // namespace kx27
