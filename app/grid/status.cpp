#include "app/grid/status.h"

#include "app/presets/cell_value.h"

namespace kx27 {

TGridStatus GridStatus(const TGridCells& cells, const TLayerSummary& summary, bool dimensions) {
  TGridStatus status;
  for (int row = 1; row < kGridSize; ++row) {
    for (int col = 1; col < kGridSize; ++col) {
      const std::optional<std::int32_t> value = AllowedCellValue(cells[row][col]);
      if (!value) {
        ++status.NotLineTypes;
        continue;
      }
      status.Changed += summary.Changed((row - 1) * 16 + (col - 1), *value, dimensions);
    }
  }
  return status;
}

}  // namespace kx27
