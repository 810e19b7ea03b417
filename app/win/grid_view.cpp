#include "app/win/grid_view.h"

#include <algorithm>

namespace kx27 {
namespace {

int Fit(int extent, int cell) { return std::max(1, (extent - cell) / cell); }

void KeepSelectionVisible(TGridView& view) {
  if (view.Col < view.LeftCol) view.LeftCol = view.Col;
  if (view.Col >= view.LeftCol + view.PageCols) view.LeftCol = view.Col - view.PageCols + 1;
  if (view.Row < view.TopRow) view.TopRow = view.Row;
  if (view.Row >= view.TopRow + view.PageRows) view.TopRow = view.Row - view.PageRows + 1;
  ScrollTo(view, view.LeftCol, view.TopRow);
}

// The cell under pos along one axis: 0 for the fixed cell, then first,
// first + 1, ... for the scrolled ones.
int IndexAt(int pos, int size, int first) {
  if (pos < size) return 0;
  return first + (pos - size) / size;
}

}  // namespace

void SetClientSize(TGridView& view, int width, int height) {
  view.PageCols = Fit(width, kCellWidth);
  view.PageRows = Fit(height, kCellHeight);
  ScrollTo(view, view.LeftCol, view.TopRow);
}

int MaxLeftCol(const TGridView& view) {
  return std::max(1, kLastCell - view.PageCols + 1);
}

int MaxTopRow(const TGridView& view) {
  return std::max(1, kLastCell - view.PageRows + 1);
}

void ScrollTo(TGridView& view, int left_col, int top_row) {
  view.LeftCol = std::clamp(left_col, 1, MaxLeftCol(view));
  view.TopRow = std::clamp(top_row, 1, MaxTopRow(view));
}

void Select(TGridView& view, int col, int row) {
  view.Col = std::clamp(col, 1, kLastCell);
  view.Row = std::clamp(row, 1, kLastCell);
  KeepSelectionVisible(view);
}

void MoveSelection(TGridView& view, TGridMove move) {
  int col = view.Col;
  int row = view.Row;
  switch (move) {
    case TGridMove::kLeft: --col; break;
    case TGridMove::kRight: ++col; break;
    case TGridMove::kUp: --row; break;
    case TGridMove::kDown: ++row; break;
    case TGridMove::kRowStart: col = 1; break;
    case TGridMove::kRowEnd: col = kLastCell; break;
    case TGridMove::kGridStart: col = 1; row = 1; break;
    case TGridMove::kGridEnd: col = kLastCell; row = kLastCell; break;
    case TGridMove::kPageUp: row -= view.PageRows; break;
    case TGridMove::kPageDown: row += view.PageRows; break;
  }
  Select(view, col, row);
}

int ScrollX(const TGridView& view) { return (view.LeftCol - 1) * kCellWidth; }
int ScrollY(const TGridView& view) { return (view.TopRow - 1) * kCellHeight; }

int CellLeft(const TGridView& view, int col) {
  return col == 0 ? 0 : col * kCellWidth - ScrollX(view);
}

int CellTop(const TGridView& view, int row) {
  return row == 0 ? 0 : row * kCellHeight - ScrollY(view);
}

bool CellAt(const TGridView& view, int x, int y, int& col, int& row) {
  if (x < 0 || y < 0) return false;
  col = IndexAt(x, kCellWidth, view.LeftCol);
  row = IndexAt(y, kCellHeight, view.TopRow);
  return col <= kLastCell && row <= kLastCell;
}

}  // namespace kx27
