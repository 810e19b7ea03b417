#include "app/cell_value.h"

#include "app/preset.h"
#include "text/conversions.h"

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

}  // namespace

std::optional<std::int32_t> AllowedCellValue(std::string_view text) {
  const std::int32_t value = TextToInt(text);
  if (value == 0) return IsWrittenZero(text) ? std::optional<std::int32_t>(0) : std::nullopt;
  if (FilterLineType(value) != value) return std::nullopt;
  return value;
}

}  // namespace kx27
