#pragma once

// The preset grid: a 17 x 17 text grid whose row 0 and column 0 are fixed
// headers, editable a cell or a range at a time. Window class
// KX27_GRID_CLASS; the cells hold Shift_JIS text.
//
// For drivers that act on it from outside (sizes at 100 % scale; they grow
// with SetGridScale):
// - The header column is 96 pixels wide, value cells are 24 high and 36
//   wide, widening up to 48 when the grid has room for all 16 columns; the
//   layer row is 24 high, or 38 (two lines of names) when all 16 rows fit
//   below that. The grid scrolls by whole cells; the fixed column and row
//   never scroll. SendMessageW(grid, kGridCellCorner, MAKEWPARAM(c, r), 0)
//   answers MAKELRESULT(x, y), the client point of cell (c, r)'s top-left
//   corner as now scrolled, and with lparam 1 its bottom-right corner.
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
// id and kGridSelChange, kGridChange, kGridHoverChange or kGridCommentBack,
// and answers kGridCellTip through WM_NOTIFY with the tooltip of a cell.

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/grid/preset_grid.h"
#include "app/grid/range.h"
#include "app/grid/undo.h"

namespace kx27 {

inline constexpr WORD kGridSelChange = 0x4001;        // the current cell or the range moved
inline constexpr WORD kGridChange = 0x4002;           // the user changed cells
inline constexpr WORD kGridHoverChange = 0x4004;      // the pointer came to or left a group header
inline constexpr WORD kGridCommentBack = 0x4005;      // an undo brought a comment back
inline constexpr UINT kGridCellTip = 0x4003;          // WM_NOTIFY code: fill TGridCellTip::Text
inline constexpr UINT kGridCellCorner = WM_USER + 2;  // WM_USER + 1 is the list's choice

struct TGridCellTip {
  NMHDR Header;
  int Col;
  int Row;
  std::wstring Text;
};

// Elements per value cell (group * 16 + layer): cells with some carry a
// marker, those with none and the headers of empty groups are dimmed.
using TCellElements = std::array<std::int64_t, 256>;

bool RegisterLineTypeGrid(HINSTANCE instance);

// Every cell as Shift_JIS; an open edit is committed first, so that what the
// user typed is never lost.
TGridCells GetGridCells(HWND grid);

// Shows cells: no undo step and no kGridChange (a preset being shown).
void SetGridCells(HWND grid, const TGridCells& cells);

// Changes the value cells as the user's own edit would: one undo step and
// kGridChange. The headers stay. A comment the change replaced (the clear
// button's) comes back with the undo of that step, told by kGridCommentBack.
void EditGridCells(HWND grid, const TGridCells& cells,
                   std::optional<std::string> comment = std::nullopt);

// Ctrl+Z from wherever the focus is: takes back the grid's last change.
void UndoGridChange(HWND grid);

// The comment the last undo brought back.
std::string RestoredGridComment(HWND grid);

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

// The group whose header the pointer is over, -1 when none.
int HoveredGridGroup(HWND grid);

// Cell sizes for the monitor's dots per inch.
void SetGridScale(HWND grid, int dpi);

}  // namespace kx27
