#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kx27 {

// The value that a grid cell's text gives a preset (ParseInt), or nothing
// when the text is no line type (IsLineType), so that storing it would
// silently turn it into 0. Blank text reads as 0.
std::optional<std::int32_t> AllowedCellValue(std::string_view text);

// A cell's text as typed or pasted, Shift_JIS: the full-width digits, plus
// and minus that the Japanese IME types become their half-width forms, and
// the half- and full-width blanks around the text go.
std::string CellInput(std::string_view text);

// One character as typed into a cell, UTF-16: the same forms half-width.
char16_t HalfWidthInput(char16_t c);

}  // namespace kx27
