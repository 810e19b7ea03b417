#pragma once

// The preset grid: a 17 x 17 text grid whose row 0 and column 0 are fixed
// headers, editable a cell or a range at a time. Window class
// KX27_GRID_CLASS; the cells hold Shift_JIS text.
//
// For drivers that act on it from outside (sizes at 100 % scale; they grow
// with SetGridScale):
// - The header column is 96 pixels wide, value cells are 36 x 24. Value
//   cell (c, r), c and r in 1..16, lies at client x = 96 + (c - 1) * 36 -
//   scrollX, y = r * 24 - scrollY; the fixed column and row never scroll.
//   The grid scrolls by whole cells, so scrollX = (first shown value column
//   - 1) * 36 and likewise for scrollY; both are 0 after start-up and
//   selecting a cell scrolls it into view. In the designed box 8 columns
//   and 8 rows of value cells show wholly.
// - WM_LBUTTONDOWN on a value cell selects it (with MK_SHIFT: the range from
//   the anchor to it), dragging extends the range; on a row or column header
//   it selects that row or column, on the corner every cell. A double click
//   opens the in-place edit. The selected cell carries a small button at its
//   right edge that opens the line-type list.
// - Keys while not editing: arrows move the selection, with Shift they grow
//   the range; Home and End go to the row's first and last cell (with Ctrl:
//   the first and last cell), PageUp and PageDown move a page of rows. A
//   printable WM_CHAR opens the edit with that character replacing the text;
//   F2 and Enter open it on the current text. F4 or Alt+Down opens the
//   line-type list. Ctrl+C copies the range as tab-separated text, Ctrl+V
//   pastes such text at the range (one value fills it), Delete sets it to 0,
//   Ctrl+Z takes back the last change, Ctrl+A selects every cell. Tab and
//   Shift+Tab leave the grid as in any dialog.
// - Keys while editing: Enter commits, Ctrl+Enter commits the text into every
//   cell of the range, Esc restores the text, Up, Down, PageUp and PageDown
//   commit and move, Tab commits and leaves the grid. Losing the focus,
//   clicking another cell or scrolling also commits.
// - The line-type list (window class KX27_LINETYPE_LIST_CLASS, a popup with
//   one list box) shows every preset value with its name and a sample; Enter
//   or a click puts the chosen value into the range, Esc closes it.
// - SendMessageW(grid, WM_GETTEXT / WM_GETTEXTLENGTH) answers with the
//   selected cell's text.
//
// The parent hears of the user's doings through WM_COMMAND with the grid's
// id and kGridSelChange or kGridChange, and answers kGridCellTip through
// WM_NOTIFY with the tooltip of a cell.

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "app/grid_range.h"
#include "app/grid_undo.h"
#include "app/preset_grid.h"

namespace kx27 {

inline constexpr WORD kGridSelChange = 0x4001;  // the current cell or the range moved
inline constexpr WORD kGridChange = 0x4002;     // the user changed cells
inline constexpr UINT kGridCellTip = 0x4003;    // WM_NOTIFY code: fill TGridCellTip::Text

struct TGridCellTip {
  NMHDR Header;
  int Col;
  int Row;
  std::wstring Text;
};

// Elements per value cell (group * 16 + layer): cells with some carry a
// marker, those with none and the headers of empty groups are dimmed.
using TCellElements = std::array<std::int64_t, 256>;

bool RegisterStringGrid(HINSTANCE instance);

// Every cell as Shift_JIS; an open edit is committed first, so that what the
// user typed is never lost.
TGridCells GetGridCells(HWND grid);

// Shows cells: no undo step and no kGridChange (a preset being shown).
void SetGridCells(HWND grid, const TGridCells& cells);

// Changes the value cells as the user's own edit would: one undo step and
// kGridChange. The headers stay.
void EditGridCells(HWND grid, const TGridCells& cells);

// Only the header row and column of cells.
void SetGridHeaders(HWND grid, const TGridCells& cells);

// The cells as shown, without committing an open edit.
const TGridCells& ShownGridCells(HWND grid);

TGridRange GetGridSelection(HWND grid);
void GetGridCurrentCell(HWND grid, int& col, int& row);

// Each preset keeps its own undo history; the caller swaps them on a tab
// change.
TGridUndo TakeGridUndo(HWND grid);
void SetGridUndo(HWND grid, TGridUndo undo);

void SetGridElements(HWND grid, const TCellElements& elements);

// Cell sizes for the monitor's dots per inch.
void SetGridScale(HWND grid, int dpi);

}  // namespace kx27
