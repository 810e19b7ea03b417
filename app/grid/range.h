#pragma once

// A rectangle of value cells of the grid and filling it.

#include <string_view>

#include "app/grid/preset_grid.h"

namespace kx27 {

// Columns (layers + 1) and rows (groups + 1) 1..16, both ends included.
struct TGridRange {
  int Left = 1;
  int Top = 1;
  int Right = 1;
  int Bottom = 1;

  bool operator==(const TGridRange&) const = default;
};

// The range with these two corners, in any order, clamped to the value cells.
TGridRange RangeBetween(int col1, int row1, int col2, int row2);

bool Contains(const TGridRange& range, int col, int row);

// Every cell of the range gets text.
void FillRange(TGridCells& cells, const TGridRange& range, std::string_view text);

}  // namespace kx27
