#pragma once

// Selection and scrolling of the 17 x 17 grid, kept apart from the window so
// that the rules can be checked without one. Column and row 0 are the fixed
// headers; the value cells are 1..16 and scroll by whole cells.

namespace kx27 {

inline constexpr int kCellWidth = 36;
inline constexpr int kCellHeight = 24;
inline constexpr int kLastCell = 16;  // highest column and row index

enum class TGridMove {
  kLeft, kRight, kUp, kDown,
  kRowStart, kRowEnd,      // Home, End
  kGridStart, kGridEnd,    // Ctrl+Home, Ctrl+End
  kPageUp, kPageDown,
};

struct TGridView {
  int Col = 1;      // selected cell
  int Row = 1;
  int LeftCol = 1;  // first value column shown right of the fixed one
  int TopRow = 1;   // first value row shown below the fixed one
  int PageCols = 1; // value columns that fit wholly
  int PageRows = 1;
};

// Recomputes the pages for a client area and pulls the scroll position back
// into range.
void SetClientSize(TGridView& view, int width, int height);

int MaxLeftCol(const TGridView& view);
int MaxTopRow(const TGridView& view);

// Scrolls to the given first column and row, clamped; the selection stays.
void ScrollTo(TGridView& view, int left_col, int top_row);

// Selects a value cell (clamped to 1..16) and scrolls it into view.
void Select(TGridView& view, int col, int row);

void MoveSelection(TGridView& view, TGridMove move);

// Pixel offset of the scrolled part: value cell (c, r) lies at
// x = c * kCellWidth - ScrollX, y = r * kCellHeight - ScrollY.
int ScrollX(const TGridView& view);
int ScrollY(const TGridView& view);

// Left and top edge of a cell in client coordinates; the fixed column and
// row stay at 0.
int CellLeft(const TGridView& view, int col);
int CellTop(const TGridView& view, int row);

// The cell under a client point, fixed ones included; false past the last
// cell or outside the client area.
bool CellAt(const TGridView& view, int x, int y, int& col, int& row);

}  // namespace kx27
