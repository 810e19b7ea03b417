#pragma once

// StringGrid1: a 17 x 17 text grid whose row 0 and column 0 are fixed
// headers, editable one cell at a time. Window class KX27_GRID_CLASS.
//
// For drivers that act on it from outside:
// - Cells are 36 x 24 pixels. Value cell (c, r), c and r in 1..16, lies at
//   client x = c * 36 - scrollX, y = r * 24 - scrollY; the fixed column
//   (x 0..35) and row (y 0..23) never scroll. The grid scrolls by whole
//   cells, so scrollX = (first shown value column - 1) * 36 and likewise
//   for scrollY; both are 0 after start-up and selecting a cell scrolls it
//   into view. In the designed 289 x 185 box, 6 columns and 5 rows of value
//   cells show wholly.
// - WM_LBUTTONDOWN on a value cell selects it; a double click opens the
//   in-place edit on the cell's text.
// - Keys while not editing: arrows move the selection, Home and End go to
//   the row's first and last cell (with Ctrl: the first and last cell),
//   PageUp and PageDown move a page of rows. A printable WM_CHAR opens the
//   edit with that character replacing the text; F2 and Enter open it on
//   the current text. Tab and Shift+Tab leave the grid as in any dialog.
// - Keys while editing: Enter commits, Esc restores the text, Up, Down,
//   PageUp and PageDown commit and move, Tab commits and leaves the grid.
//   Losing the focus, clicking another cell or scrolling also commits.
// - SendMessageW(grid, WM_GETTEXT / WM_GETTEXTLENGTH) answers with the
//   selected cell's text.

#include <windows.h>

#include "app/preset_grid.h"

namespace kx27 {

bool RegisterStringGrid(HINSTANCE instance);

// Every cell as Shift_JIS; an open edit is committed first, so that what the
// user typed is never lost.
TGridCells GetGridCells(HWND grid);

void SetGridCells(HWND grid, const TGridCells& cells);

}  // namespace kx27
