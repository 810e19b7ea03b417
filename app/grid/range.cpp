#include "app/grid/range.h"

#include <algorithm>

namespace kx27 {
namespace {

int ValueIndex(int index) { return std::clamp(index, 1, kGridSize - 1); }

}  // namespace

TGridRange RangeBetween(int col1, int row1, int col2, int row2) {
  col1 = ValueIndex(col1);
  col2 = ValueIndex(col2);
  row1 = ValueIndex(row1);
  row2 = ValueIndex(row2);
  return {std::min(col1, col2), std::min(row1, row2), std::max(col1, col2), std::max(row1, row2)};
}

bool Contains(const TGridRange& range, int col, int row) {
  return col >= range.Left && col <= range.Right && row >= range.Top && row <= range.Bottom;
}

void FillRange(TGridCells& cells, const TGridRange& range, std::string_view text) {
  for (int row = range.Top; row <= range.Bottom; ++row)
    for (int col = range.Left; col <= range.Right; ++col) cells[row][col] = text;
}

}  // namespace kx27
