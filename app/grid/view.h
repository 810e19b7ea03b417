#pragma once

// Selection and scrolling of the 17 x 17 grid, kept apart from the window so
// that the rules can be checked without one. Column and row 0 are the fixed
// headers; the value cells are 1..16 and scroll by whole cells. The
// selection is the range between an anchor cell and the current cell.

#include "app/grid/range.h"

namespace kx27 {

// Sizes at 100 % scale (96 dots per inch). The header column is wide enough
// for a group's number and the start of its name. A grid with room for all
// 16 columns widens them up to kWidestCellWidth, and one with room for all
// 16 rows below a header row of two lines gives the layer names two lines.
inline constexpr int kCellWidth = 36;
inline constexpr int kWidestCellWidth = 48;
inline constexpr int kCellHeight = 24;
inline constexpr int kTallHeaderHeight = 38;
inline constexpr int kHeaderWidth = 96;
inline constexpr int kLastCell = 16;  // highest column and row index

enum class TGridMove {
  kLeft,
  kRight,
  kUp,
  kDown,
  kRowStart,
  kRowEnd,  // Home, End
  kGridStart,
  kGridEnd,  // Ctrl+Home, Ctrl+End
  kPageUp,
  kPageDown,
};

struct TGridView {
  int Col = 1;  // current cell
  int Row = 1;
  int AnchorCol = 1;  // the other corner of the selected range
  int AnchorRow = 1;
  int LeftCol = 1;   // first value column shown right of the fixed one
  int TopRow = 1;    // first value row shown below the fixed one
  int PageCols = 1;  // value columns that fit wholly
  int PageRows = 1;
  int CellWidth = kCellWidth;  // in pixels at the grid's scale
  int CellHeight = kCellHeight;
  int HeaderWidth = kHeaderWidth;
  int HeaderHeight = kCellHeight;    // the layer row's
  int NarrowCellWidth = kCellWidth;  // the range CellWidth keeps to
  int WideCellWidth = kWidestCellWidth;
  int TallHeaderHeight = kTallHeaderHeight;
  int ClientWidth = 0;
  int ClientHeight = 0;
};

// Cell sizes for dots per inch; the pages follow.
void SetScale(TGridView& view, int dpi);

// Recomputes the cell width, the header row's height and the pages for a
// client area, and pulls the scroll position back into range.
void SetClientSize(TGridView& view, int width, int height);

int MaxLeftCol(const TGridView& view);
int MaxTopRow(const TGridView& view);

// Scrolls to the given first column and row, clamped; the selection stays.
void ScrollTo(TGridView& view, int left_col, int top_row);

// Makes a value cell (clamped to 1..16) the current one and scrolls it into
// view; without extend it is also the anchor, so the range is that cell.
void Select(TGridView& view, int col, int row, bool extend = false);

// A whole row, a whole column or every value cell; the current cell is the
// range's first one.
void SelectRow(TGridView& view, int row);
void SelectColumn(TGridView& view, int col);
void SelectAll(TGridView& view);

void MoveSelection(TGridView& view, TGridMove move, bool extend = false);

TGridRange Selection(const TGridView& view);

// Pixel offset of the scrolled part.
int ScrollX(const TGridView& view);
int ScrollY(const TGridView& view);

// Edges and width of a cell in client coordinates; the fixed column and
// row stay at 0.
int CellLeft(const TGridView& view, int col);
int CellTop(const TGridView& view, int row);
int CellWidth(const TGridView& view, int col);
int CellHeight(const TGridView& view, int row);

// The client size that shows every cell wholly at the widest cells and the
// tall header row.
int WholeTableWidth(const TGridView& view);
int WholeTableHeight(const TGridView& view);

// The cell under a client point, fixed ones included; false past the last
// cell or outside the client area.
bool CellAt(const TGridView& view, int x, int y, int& col, int& row);

}  // namespace kx27
