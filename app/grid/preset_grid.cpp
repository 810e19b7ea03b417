#include "app/grid/preset_grid.h"

#include "app/presets/cell_value.h"
#include "text/number_format.h"

namespace kx27 {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

void LabelGridHeaders(TGridCells& cells) {
  for (int i = 1; i < kGridSize; ++i) {
    cells[0][i].assign(1, kHexDigits[i - 1]);
    cells[i][0].assign(1, kHexDigits[i - 1]);
  }
}

std::array<std::int32_t, 256> GridValues(const TGridCells& cells) {
  std::array<std::int32_t, 256> values{};
  for (int row = 1; row < kGridSize; ++row)
    for (int column = 1; column < kGridSize; ++column)
      values[(row - 1) * 16 + (column - 1)] = AllowedCellValue(cells[row][column]).value_or(0);
  return values;
}

void StoreGridToPreset(const TGridCells& cells, const std::string& comment, TPreset& preset) {
  preset.Comment = OneLineText(comment);
  preset.Values = GridValues(cells);
}

void ShowPresetInGrid(const TPreset& preset, TGridCells& cells, std::string& comment) {
  comment = preset.Comment;
  for (int row = 1; row < kGridSize; ++row)
    for (int column = 1; column < kGridSize; ++column)
      cells[row][column] = IntToText(preset.Values[(row - 1) * 16 + (column - 1)]);
}

void ClearGridValues(TGridCells& cells) {
  for (int row = 1; row < kGridSize; ++row)
    for (int column = 1; column < kGridSize; ++column) cells[row][column].assign(1, '0');
}

}  // namespace kx27
