#pragma once

// What the grid's values would do if stored now: how many elements they
// change and how many cells hold a value that is no line type.

#include <cstdint>

#include "app/convert/layer_summary.h"
#include "app/grid/preset_grid.h"

namespace kx27 {

struct TGridStatus {
  std::int64_t Changed = 0;  // a cell that holds no line type counts as 0, as it is stored
  int NotLineTypes = 0;      // cells whose text AllowedCellValue refuses
};

TGridStatus GridStatus(const TGridCells& cells, const TLayerSummary& summary, bool dimensions);

}  // namespace kx27
