#include "app/grid/view.h"

#include <algorithm>

namespace kx27 {
namespace {

int Fit(int extent, int header, int cell) { return std::max(1, (extent - header) / cell); }

int Scaled(int size, int dpi) { return (size * dpi + 48) / 96; }

void KeepSelectionVisible(TGridView& view) {
  if (view.Col < view.LeftCol) view.LeftCol = view.Col;
  if (view.Col >= view.LeftCol + view.PageCols) view.LeftCol = view.Col - view.PageCols + 1;
  if (view.Row < view.TopRow) view.TopRow = view.Row;
  if (view.Row >= view.TopRow + view.PageRows) view.TopRow = view.Row - view.PageRows + 1;
  ScrollTo(view, view.LeftCol, view.TopRow);
}

// The cell under pos along one axis: 0 for the fixed cell, then first,
// first + 1, ... for the scrolled ones.
int IndexAt(int pos, int header, int size, int first) {
  if (pos < header) return 0;
  return first + (pos - header) / size;
}

}  // namespace

void SetScale(TGridView& view, int dpi) {
  view.NarrowCellWidth = Scaled(kCellWidth, dpi);
  view.WideCellWidth = Scaled(kWidestCellWidth, dpi);
  view.CellHeight = Scaled(kCellHeight, dpi);
  view.TallHeaderHeight = Scaled(kTallHeaderHeight, dpi);
  view.HeaderWidth = Scaled(kHeaderWidth, dpi);
  SetClientSize(view, view.ClientWidth, view.ClientHeight);
}

// The second line of names is given only where it costs no row: a grid
// that cannot show all 16 rows keeps every pixel for them.
void SetClientSize(TGridView& view, int width, int height) {
  view.ClientWidth = width;
  view.ClientHeight = height;
  view.CellWidth =
      std::clamp((width - view.HeaderWidth) / kLastCell, view.NarrowCellWidth, view.WideCellWidth);
  view.HeaderHeight = height >= view.TallHeaderHeight + kLastCell * view.CellHeight
                          ? view.TallHeaderHeight
                          : view.CellHeight;
  view.PageCols = Fit(width, view.HeaderWidth, view.CellWidth);
  view.PageRows = Fit(height, view.HeaderHeight, view.CellHeight);
  ScrollTo(view, view.LeftCol, view.TopRow);
}

int MaxLeftCol(const TGridView& view) { return std::max(1, kLastCell - view.PageCols + 1); }

int MaxTopRow(const TGridView& view) { return std::max(1, kLastCell - view.PageRows + 1); }

void ScrollTo(TGridView& view, int left_col, int top_row) {
  view.LeftCol = std::clamp(left_col, 1, MaxLeftCol(view));
  view.TopRow = std::clamp(top_row, 1, MaxTopRow(view));
}

void Select(TGridView& view, int col, int row, bool extend) {
  view.Col = std::clamp(col, 1, kLastCell);
  view.Row = std::clamp(row, 1, kLastCell);
  if (!extend) {
    view.AnchorCol = view.Col;
    view.AnchorRow = view.Row;
  }
  KeepSelectionVisible(view);
}

void SelectRow(TGridView& view, int row) {
  Select(view, kLastCell, row);
  Select(view, 1, row, true);
}

void SelectColumn(TGridView& view, int col) {
  Select(view, col, kLastCell);
  Select(view, col, 1, true);
}

void SelectAll(TGridView& view) {
  Select(view, kLastCell, kLastCell);
  Select(view, 1, 1, true);
}

void MoveSelection(TGridView& view, TGridMove move, bool extend) {
  int col = view.Col;
  int row = view.Row;
  switch (move) {
    case TGridMove::kLeft: --col; break;
    case TGridMove::kRight: ++col; break;
    case TGridMove::kUp: --row; break;
    case TGridMove::kDown: ++row; break;
    case TGridMove::kRowStart: col = 1; break;
    case TGridMove::kRowEnd: col = kLastCell; break;
    case TGridMove::kGridStart:
      col = 1;
      row = 1;
      break;
    case TGridMove::kGridEnd:
      col = kLastCell;
      row = kLastCell;
      break;
    case TGridMove::kPageUp: row -= view.PageRows; break;
    case TGridMove::kPageDown: row += view.PageRows; break;
  }
  Select(view, col, row, extend);
}

TGridRange Selection(const TGridView& view) {
  return RangeBetween(view.AnchorCol, view.AnchorRow, view.Col, view.Row);
}

int ScrollX(const TGridView& view) { return (view.LeftCol - 1) * view.CellWidth; }
int ScrollY(const TGridView& view) { return (view.TopRow - 1) * view.CellHeight; }

int CellLeft(const TGridView& view, int col) {
  return col == 0 ? 0 : view.HeaderWidth + (col - 1) * view.CellWidth - ScrollX(view);
}

int CellTop(const TGridView& view, int row) {
  return row == 0 ? 0 : view.HeaderHeight + (row - 1) * view.CellHeight - ScrollY(view);
}

int CellWidth(const TGridView& view, int col) {
  return col == 0 ? view.HeaderWidth : view.CellWidth;
}

int CellHeight(const TGridView& view, int row) {
  return row == 0 ? view.HeaderHeight : view.CellHeight;
}

int WholeTableWidth(const TGridView& view) {
  return view.HeaderWidth + kLastCell * view.WideCellWidth;
}

int WholeTableHeight(const TGridView& view) {
  return view.TallHeaderHeight + kLastCell * view.CellHeight;
}

bool CellAt(const TGridView& view, int x, int y, int& col, int& row) {
  if (x < 0 || y < 0) return false;
  col = IndexAt(x, view.HeaderWidth, view.CellWidth, view.LeftCol);
  row = IndexAt(y, view.HeaderHeight, view.CellHeight, view.TopRow);
  return col <= kLastCell && row <= kLastCell;
}

}  // namespace kx27
