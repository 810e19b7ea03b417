#include "app/win/line_type_grid.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <initializer_list>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "app/grid/clipboard.h"
#include "app/grid/view.h"
#include "app/presets/cell_value.h"
#include "app/win/encoding.h"
#include "app/win/failure_barrier.h"
#include "app/win/line_type_list.h"
#include "app/win/resource.h"
#include "app/win/tooltip.h"

namespace kx27 {
namespace {

constexpr UINT_PTR kEditSubclassId = 1;
constexpr COLORREF kGridLineColor = RGB(192, 192, 192);
constexpr COLORREF kRangeColor = RGB(204, 228, 247);
constexpr COLORREF kDimmedText = RGB(160, 160, 160);
constexpr COLORREF kErrorColor = RGB(220, 0, 0);
constexpr COLORREF kMarkerColor = RGB(0, 110, 150);
constexpr int kButtonWidth = 13;  // the drop-down button, at 100 % scale
constexpr int kMarkerSize = 6;

struct TGrid {
  HWND Window = nullptr;
  HWND Edit = nullptr;
  HWND Tip = nullptr;
  HFONT Font = nullptr;
  HFONT HeaderFont = nullptr;  // owned: the layer names along the narrow columns
  TGridView View;
  TGridCells Cells;
  TCellElements Elements{};
  bool HasElements = false;
  TGridUndo Undo;
  int Dpi = 96;
  bool Editing = false;
  bool Dragging = false;
  int WheelDelta = 0;
  int TipCol = -1;  // the cell under the pointer, -1 when none
  int TipRow = -1;
  std::wstring TipText;
  bool TrackingLeave = false;
  std::string RestoredComment;  // of the change taken back last
};

TGrid* GridOf(HWND window) {
  return reinterpret_cast<TGrid*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::string& CurrentCell(TGrid& grid) {
  return grid
      .Cells[static_cast<std::size_t>(grid.View.Row)][static_cast<std::size_t>(grid.View.Col)];
}

int Scaled(const TGrid& grid, int size) { return MulDiv(size, grid.Dpi, 96); }

RECT CellRect(const TGrid& grid, int col, int row) {
  const int left = CellLeft(grid.View, col);
  const int top = CellTop(grid.View, row);
  return RECT{left, top, left + CellWidth(grid.View, col), top + CellHeight(grid.View, row)};
}

RECT ButtonRect(const TGrid& grid) {
  RECT cell = CellRect(grid, grid.View.Col, grid.View.Row);
  return RECT{cell.right - 1 - Scaled(grid, kButtonWidth), cell.top, cell.right - 1,
              cell.bottom - 1};
}

void Notify(const TGrid& grid, WORD code) {
  SendMessageW(GetParent(grid.Window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(grid.Window), code),
               reinterpret_cast<LPARAM>(grid.Window));
}

void UpdateScrollBars(const TGrid& grid) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = kLastCell - 1;
  info.nPage = static_cast<UINT>(grid.View.PageCols);
  info.nPos = grid.View.LeftCol - 1;
  SetScrollInfo(grid.Window, SB_HORZ, &info, TRUE);
  info.nPage = static_cast<UINT>(grid.View.PageRows);
  info.nPos = grid.View.TopRow - 1;
  SetScrollInfo(grid.Window, SB_VERT, &info, TRUE);
}

// Repaints after the selection or the scroll position may have changed.
// The cell under the pointer: its tooltip starts over, and a group header
// coming or going is told to the parent, which highlights that group.
void SetPointedCell(TGrid& grid, int col, int row) {
  if (col == grid.TipCol && row == grid.TipRow) return;
  const bool group_changed = (grid.TipCol == 0) != (col == 0) || (col == 0 && row != grid.TipRow);
  grid.TipCol = col;
  grid.TipRow = row;
  if (grid.Tip) {
    SendMessageW(grid.Tip, TTM_ACTIVATE, FALSE, 0);
    SendMessageW(grid.Tip, TTM_ACTIVATE, TRUE, 0);
  }
  if (group_changed) Notify(grid, kGridHoverChange);
}

// After a scroll or a change of the cells, a tooltip that shows takes the
// text of what now lies under the pointer.
void FollowPointer(TGrid& grid) {
  if (!grid.Tip || !IsWindowVisible(grid.Tip)) return;
  POINT pointer{};
  GetCursorPos(&pointer);
  ScreenToClient(grid.Window, &pointer);
  int col = -1;
  int row = -1;
  if (!CellAt(grid.View, pointer.x, pointer.y, col, row)) col = row = -1;
  grid.TipCol = col;
  grid.TipRow = row;
  RefreshControlTooltip(grid.Tip, grid.Window, grid.Window);
}

void Refresh(TGrid& grid) {
  UpdateScrollBars(grid);
  InvalidateRect(grid.Window, nullptr, FALSE);
  FollowPointer(grid);
}

// Applies a change of the value cells as one undo step and tells the parent.
template <typename Change>
void ChangeCells(TGrid& grid, Change change, std::optional<std::string> comment = std::nullopt) {
  const TGridCells before = grid.Cells;
  change(grid.Cells);
  grid.Undo.Record(before, grid.Cells, std::move(comment));
  InvalidateRect(grid.Window, nullptr, FALSE);
  Notify(grid, kGridChange);
  FollowPointer(grid);
}

std::wstring EditText(const TGrid& grid) {
  const int length = GetWindowTextLengthW(grid.Edit);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(grid.Edit, text.data(), length + 1)));
  return text;
}

// refocus is false when the edit loses the focus to another window, which
// must keep it. With fill_range the text goes into every cell of the range.
void EndEdit(TGrid& grid, bool commit, bool refocus = true, bool fill_range = false) {
  if (!grid.Editing) return;
  // Cleared first: hiding the focused edit moves the focus, which calls back
  // here through WM_KILLFOCUS.
  grid.Editing = false;
  if (commit) {
    const std::string text = CellInput(ToShiftJis(EditText(grid)));
    const TGridRange range =
        fill_range ? Selection(grid.View)
                   : TGridRange{grid.View.Col, grid.View.Row, grid.View.Col, grid.View.Row};
    ChangeCells(grid, [&](TGridCells& cells) { FillRange(cells, range, text); });
  }
  if (refocus && GetFocus() == grid.Edit) SetFocus(grid.Window);
  ShowWindow(grid.Edit, SW_HIDE);
  InvalidateRect(grid.Window, nullptr, FALSE);
}

int LineHeight(const TGrid& grid) {
  HDC dc = GetDC(grid.Window);
  HGDIOBJ old_font = SelectObject(dc, grid.Font ? grid.Font : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old_font);
  ReleaseDC(grid.Window, dc);
  return static_cast<int>(metrics.tmHeight);
}

void BeginEdit(TGrid& grid, bool keep_text) {
  if (grid.Editing) return;
  Select(grid.View, grid.View.Col, grid.View.Row, true);
  Refresh(grid);
  const RECT cell = CellRect(grid, grid.View.Col, grid.View.Row);
  SetWindowTextW(grid.Edit, keep_text ? ToUtf16(CurrentCell(grid)).c_str() : L"");
  // As high as its text and centred, so that the text stays where the cell
  // showed it.
  const int cell_height = grid.View.CellHeight;
  const int height = std::min(LineHeight(grid) + 2, cell_height - 2);
  SetWindowPos(grid.Edit, HWND_TOP, cell.left + 1, cell.top + (cell_height - 1 - height) / 2,
               grid.View.CellWidth - 2, height, SWP_SHOWWINDOW);
  grid.Editing = true;
  SetFocus(grid.Edit);
  SendMessageW(grid.Edit, EM_SETSEL, 0xFFFF, 0xFFFF);  // caret after the text
}

void AfterSelection(TGrid& grid) {
  Refresh(grid);
  Notify(grid, kGridSelChange);
}

void Move(TGrid& grid, TGridMove move, bool extend) {
  EndEdit(grid, true);
  MoveSelection(grid.View, move, extend);
  AfterSelection(grid);
}

void Scroll(TGrid& grid, int left_col, int top_row) {
  EndEdit(grid, true);
  ScrollTo(grid.View, left_col, top_row);
  Refresh(grid);
}

// The new first cell for a scroll-bar action on one axis.
int ScrollTarget(HWND window, int bar, WORD code, int first, int page) {
  switch (code) {
    case SB_LINEUP: return first - 1;
    case SB_LINEDOWN: return first + 1;
    case SB_PAGEUP: return first - page;
    case SB_PAGEDOWN: return first + page;
    case SB_TOP: return 1;
    case SB_BOTTOM: return kLastCell;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(window, bar, &info);
      return info.nTrackPos + 1;
    }
    default: return first;
  }
}

bool IsKeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

void CopyRange(const TGrid& grid) {
  const std::wstring text = ToUtf16(FormatTsv(grid.Cells, Selection(grid.View)));
  if (!OpenClipboard(grid.Window)) return;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* target = GlobalLock(memory)) {
      std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(target));
      GlobalUnlock(memory);
      if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
}

std::wstring ClipboardText(HWND window) {
  std::wstring text;
  if (!OpenClipboard(window)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void PasteRange(TGrid& grid) {
  const TTextBlock block = ParseTsv(ToShiftJis(ClipboardText(grid.Window)));
  if (block.empty()) return;
  TGridRange written;
  ChangeCells(grid,
              [&](TGridCells& cells) { written = PasteBlock(cells, Selection(grid.View), block); });
  // The pasted block becomes the range, as in a spreadsheet.
  if (written.Right >= written.Left && written.Bottom >= written.Top) {
    Select(grid.View, written.Right, written.Bottom);
    Select(grid.View, written.Left, written.Top, true);
    AfterSelection(grid);
  }
}

void UndoChange(TGrid& grid) {
  std::optional<std::string> comment;
  if (!grid.Undo.Undo(grid.Cells, &comment)) return;
  InvalidateRect(grid.Window, nullptr, FALSE);
  if (comment) {
    grid.RestoredComment = std::move(*comment);
    Notify(grid, kGridCommentBack);
  }
  Notify(grid, kGridChange);
}

void OpenDropDown(TGrid& grid) {
  EndEdit(grid, true);
  Select(grid.View, grid.View.Col, grid.View.Row, true);
  Refresh(grid);
  RECT cell = CellRect(grid, grid.View.Col, grid.View.Row);
  MapWindowPoints(grid.Window, nullptr, reinterpret_cast<POINT*>(&cell), 2);
  const std::optional<std::int32_t> value = AllowedCellValue(CurrentCell(grid));
  OpenLineTypeList(grid.Window, cell, value.value_or(0), grid.Dpi, grid.Font);
}

bool OnKeyDown(TGrid& grid, WPARAM key) {
  const bool shift = IsKeyDown(VK_SHIFT);
  const bool ctrl = IsKeyDown(VK_CONTROL);
  switch (key) {
    case VK_LEFT: Move(grid, TGridMove::kLeft, shift); return true;
    case VK_RIGHT: Move(grid, TGridMove::kRight, shift); return true;
    case VK_UP: Move(grid, TGridMove::kUp, shift); return true;
    case VK_DOWN: Move(grid, TGridMove::kDown, shift); return true;
    case VK_PRIOR: Move(grid, TGridMove::kPageUp, shift); return true;
    case VK_NEXT: Move(grid, TGridMove::kPageDown, shift); return true;
    case VK_HOME:
      Move(grid, ctrl ? TGridMove::kGridStart : TGridMove::kRowStart, shift);
      return true;
    case VK_END: Move(grid, ctrl ? TGridMove::kGridEnd : TGridMove::kRowEnd, shift); return true;
    case VK_F2:
    case VK_RETURN: BeginEdit(grid, true); return true;
    case VK_F4: OpenDropDown(grid); return true;
    case VK_DELETE:
      ChangeCells(grid, [&](TGridCells& cells) { FillRange(cells, Selection(grid.View), "0"); });
      return true;
    default: break;
  }
  if (!ctrl) return false;
  switch (key) {
    case 'C': CopyRange(grid); return true;
    case 'V': PasteRange(grid); return true;
    case 'Z': UndoChange(grid); return true;
    case 'A':
      SelectAll(grid.View);
      AfterSelection(grid);
      return true;
    default: return false;
  }
}

void FillColor(HDC dc, const RECT& rect, COLORREF color) {
  SetDCBrushColor(dc, color);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A small right-angled triangle in a corner of the cell.
void DrawCornerMark(HDC dc, const RECT& inner, bool right, int size, COLORREF color) {
  for (int i = 0; i < size; ++i) {
    const int length = size - i;
    const int y = inner.top + i;
    if (right) {
      FillColor(dc, RECT{inner.right - length, y, inner.right, y + 1}, color);
    } else {
      FillColor(dc, RECT{inner.left, y, inner.left + length, y + 1}, color);
    }
  }
}

std::int64_t ElementsOf(const TGrid& grid, int col, int row) {
  return grid.Elements[static_cast<std::size_t>((row - 1) * 16 + (col - 1))];
}

// Whether a header's group or layer holds nothing to convert: a group header
// for the whole row, a layer header for the selected cell's group.
bool IsEmptyHeader(const TGrid& grid, int col, int row) {
  if (!grid.HasElements) return false;
  if (col == 0) {
    for (int c = 1; c <= kLastCell; ++c)
      if (ElementsOf(grid, c, row) > 0) return false;
    return true;
  }
  return ElementsOf(grid, col, grid.View.Row) == 0;
}

// A layer's number and name over the tall header row's lines, broken
// between characters where a name has no blank, centred as a whole; what
// does not fit shows in the tooltip.
void DrawWrapped(HDC dc, const std::wstring& text, const RECT& area) {
  const UINT format = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
  RECT measured{area.left, 0, area.right, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
  RECT placed = area;
  const int height = measured.bottom - measured.top;
  if (height < area.bottom - area.top) placed.top += (area.bottom - area.top - height) / 2;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &placed, format);
}

void PaintCell(const TGrid& grid, HDC dc, int col, int row, bool focused) {
  const RECT cell = CellRect(grid, col, row);
  RECT inner{cell.left, cell.top, cell.right - 1, cell.bottom - 1};
  const bool fixed = col == 0 || row == 0;
  const bool current = !fixed && !grid.Editing && col == grid.View.Col && row == grid.View.Row;
  const bool in_range = !fixed && Contains(Selection(grid.View), col, row);
  const std::string& text =
      grid.Cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
  const bool allowed = fixed || AllowedCellValue(text).has_value();
  const bool empty = fixed ? (col != 0 || row != 0) && IsEmptyHeader(grid, col, row)
                           : grid.HasElements && ElementsOf(grid, col, row) == 0;

  COLORREF back = GetSysColor(COLOR_WINDOW);
  COLORREF fore = GetSysColor(COLOR_WINDOWTEXT);
  if (fixed) {
    back = GetSysColor(COLOR_BTNFACE);
    fore = GetSysColor(COLOR_BTNTEXT);
  } else if (current && focused) {
    back = GetSysColor(COLOR_HIGHLIGHT);
    fore = GetSysColor(COLOR_HIGHLIGHTTEXT);
  } else if (current) {
    back = GetSysColor(COLOR_BTNFACE);
  } else if (in_range) {
    back = kRangeColor;
  }
  if (empty && !(current && focused)) fore = kDimmedText;
  if (!allowed) fore = current && focused ? RGB(255, 220, 220) : kErrorColor;
  FillColor(dc, inner, back);
  if (fixed) DrawEdge(dc, &inner, BDR_RAISEDINNER, BF_RECT);
  const COLORREF line = fixed ? GetSysColor(COLOR_3DDKSHADOW) : kGridLineColor;
  FillColor(dc, RECT{cell.right - 1, cell.top, cell.right, cell.bottom}, line);
  FillColor(dc, RECT{cell.left, cell.bottom - 1, cell.right, cell.bottom}, line);

  const int pad = Scaled(grid, 3);
  RECT text_rect{inner.left + pad, inner.top, inner.right - Scaled(grid, 2), inner.bottom};
  if (current && focused) text_rect.right -= Scaled(grid, kButtonWidth);
  SetTextColor(dc, fore);
  const std::wstring shown = ToUtf16(text);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  format |= fixed && col != 0 ? DT_CENTER : DT_LEFT;
  const bool layer_header = row == 0 && col != 0;
  if (layer_header) {
    text_rect.left = inner.left + 1;
    text_rect.right = inner.right - 1;
  }
  HGDIOBJ old_font = layer_header && grid.HeaderFont ? SelectObject(dc, grid.HeaderFont) : nullptr;
  if (layer_header && grid.View.HeaderHeight > grid.View.CellHeight) {
    DrawWrapped(dc, shown, text_rect);
  } else {
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text_rect, format);
  }
  if (old_font) SelectObject(dc, old_font);

  if (!fixed) {
    const int mark = Scaled(grid, kMarkerSize);
    if (grid.HasElements && ElementsOf(grid, col, row) > 0) {
      DrawCornerMark(dc, inner, true, mark, current && focused ? fore : kMarkerColor);
    }
    if (!allowed) DrawCornerMark(dc, inner, false, mark + Scaled(grid, 2), kErrorColor);
  }
  if (current && focused) {
    RECT button = ButtonRect(grid);
    DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    DrawFocusRect(dc, &inner);
  }
}

void PaintCells(const TGrid& grid, HDC dc, const RECT& client) {
  FillColor(dc, client, GetSysColor(COLOR_WINDOW));
  const bool focused = GetFocus() == grid.Window;
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old_font = SelectObject(dc, grid.Font ? grid.Font : GetStockObject(DEFAULT_GUI_FONT));
  // Scrolled cells first, so that the fixed ones cover any that slide under.
  for (int row = grid.View.TopRow; row <= kLastCell; ++row) {
    if (CellTop(grid.View, row) >= client.bottom) break;
    for (int col = grid.View.LeftCol; col <= kLastCell; ++col) {
      if (CellLeft(grid.View, col) >= client.right) break;
      PaintCell(grid, dc, col, row, focused);
    }
  }
  for (int row = grid.View.TopRow; row <= kLastCell; ++row) PaintCell(grid, dc, 0, row, focused);
  for (int col = grid.View.LeftCol; col <= kLastCell; ++col) PaintCell(grid, dc, col, 0, focused);
  PaintCell(grid, dc, 0, 0, focused);
  SelectObject(dc, old_font);
}

// Drawn off screen and copied in one step, so that scrolling does not flicker.
void OnPaint(const TGrid& grid) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(grid.Window, &paint);
  RECT client;
  GetClientRect(grid.Window, &client);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  if (memory && bitmap) {
    HGDIOBJ old_bitmap = SelectObject(memory, bitmap);
    PaintCells(grid, memory, client);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old_bitmap);
  } else {
    PaintCells(grid, dc, client);
  }
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  EndPaint(grid.Window, &paint);
}

bool WantsKey(LPARAM message, std::initializer_list<WPARAM> keys) {
  const auto* msg = reinterpret_cast<const MSG*>(message);
  if (!msg || msg->message != WM_KEYDOWN) return false;
  for (WPARAM key : keys) {
    if (msg->wParam == key) return true;
  }
  return false;
}

LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                          DWORD_PTR data);

LRESULT EditMessage(TGrid& grid, HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = DefSubclassProc(edit, message, wparam, lparam);
      // Enter, Esc and Tab belong to the cell being edited, not the dialog.
      if (WantsKey(lparam, {VK_RETURN, VK_ESCAPE, VK_TAB})) code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
      switch (wparam) {
        case VK_RETURN: EndEdit(grid, true, true, IsKeyDown(VK_CONTROL)); return 0;
        case VK_ESCAPE: EndEdit(grid, false); return 0;
        case VK_TAB: {
          EndEdit(grid, true);
          SetFocus(GetNextDlgTabItem(GetParent(grid.Window), grid.Window, IsKeyDown(VK_SHIFT)));
          return 0;
        }
        case VK_F4: OpenDropDown(grid); return 0;
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT: OnKeyDown(grid, wparam); return 0;
        default: break;
      }
      break;
    case WM_SYSKEYDOWN:
      if (wparam == VK_DOWN) {
        OpenDropDown(grid);
        return 0;
      }
      break;
    case WM_CHAR:
      // No beep; Ctrl+Enter types a line feed.
      if (wparam == L'\r' || wparam == L'\n' || wparam == L'\x1b' || wparam == L'\t') return 0;
      // With the Japanese IME on, digits come full-width.
      wparam = HalfWidthInput(static_cast<char16_t>(wparam));
      break;
    case WM_IME_CHAR: wparam = HalfWidthInput(static_cast<char16_t>(wparam)); break;
    case WM_KILLFOCUS: EndEdit(grid, true, false); break;
    case WM_NCDESTROY: RemoveWindowSubclass(edit, EditProc, kEditSubclassId); break;
    default: break;
  }
  return DefSubclassProc(edit, message, wparam, lparam);
}

LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                          DWORD_PTR data) {
  TGrid& grid = *reinterpret_cast<TGrid*>(data);
  return Guarded(
      edit, [&] { return EditMessage(grid, edit, message, wparam, lparam); },
      [&] { return DefSubclassProc(edit, message, wparam, lparam); });
}

LRESULT OnCreate(TGrid& grid, HWND window) {
  grid.Window = window;
  LabelGridHeaders(grid.Cells);
  ClearGridValues(grid.Cells);
  grid.Edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, window,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!grid.Edit) return -1;
  SetWindowSubclass(grid.Edit, EditProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(&grid));
  SendMessageW(grid.Edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 1));
  SendMessageW(grid.Edit, EM_SETLIMITTEXT, 0, 0);  // a cell holds text of any length

  // One tool for the whole grid: its text follows the cell under the mouse.
  grid.Tip = CreateControlTooltip(window, window, LPSTR_TEXTCALLBACKW);
  if (grid.Tip) SendMessageW(grid.Tip, TTM_SETMAXTIPWIDTH, 0, 480);
  return 0;
}

// Five sixths of the grid's font: a layer number and a two-character name
// fit a column.
void SetHeaderFont(TGrid& grid) {
  if (grid.HeaderFont) DeleteObject(grid.HeaderFont);
  grid.HeaderFont = nullptr;
  LOGFONTW font{};
  if (!grid.Font || !GetObjectW(grid.Font, sizeof font, &font)) return;
  font.lfHeight = font.lfHeight * 5 / 6;
  font.lfWidth = 0;
  grid.HeaderFont = CreateFontIndirectW(&font);
}

LRESULT CopySelectedText(TGrid& grid, WPARAM size, LPARAM buffer) {
  const std::wstring text = ToUtf16(CurrentCell(grid));
  auto* out = reinterpret_cast<wchar_t*>(buffer);
  if (!out || size == 0) return 0;
  const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
  text.copy(out, count);
  out[count] = L'\0';
  return static_cast<LRESULT>(count);
}

void OnMouseMove(TGrid& grid, int x, int y) {
  int col = -1;
  int row = -1;
  const bool hit = CellAt(grid.View, x, y, col, row);
  if (grid.Dragging && hit &&
      (std::max(col, 1) != grid.View.Col || std::max(row, 1) != grid.View.Row)) {
    Select(grid.View, std::max(col, 1), std::max(row, 1), true);
    AfterSelection(grid);
  }
  if (!hit) col = row = -1;
  if (!grid.TrackingLeave) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, grid.Window, 0};
    grid.TrackingLeave = TrackMouseEvent(&track) != FALSE;
  }
  SetPointedCell(grid, col, row);
}

void OnButtonDown(TGrid& grid, UINT message, WPARAM keys, int x, int y) {
  // The list's button shows only while the grid has the focus.
  const bool had_focus = GetFocus() == grid.Window || GetFocus() == grid.Edit;
  EndEdit(grid, true);
  SetFocus(grid.Window);
  int col = 0;
  int row = 0;
  if (!CellAt(grid.View, x, y, col, row)) return;
  const POINT point{x, y};
  const RECT button = ButtonRect(grid);
  if (had_focus && col == grid.View.Col && row == grid.View.Row && PtInRect(&button, point)) {
    OpenDropDown(grid);
    return;
  }
  if (col == 0 && row == 0) {
    SelectAll(grid.View);
  } else if (col == 0) {
    SelectRow(grid.View, row);
  } else if (row == 0) {
    SelectColumn(grid.View, col);
  } else {
    Select(grid.View, col, row, (keys & MK_SHIFT) != 0);
    if (message == WM_LBUTTONDBLCLK) {
      AfterSelection(grid);
      BeginEdit(grid, true);
      return;
    }
    grid.Dragging = true;
    SetCapture(grid.Window);
  }
  AfterSelection(grid);
}

LRESULT OnNotify(TGrid& grid, NMHDR& header) {
  if (header.hwndFrom != grid.Tip || header.code != TTN_GETDISPINFOW) return 0;
  auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
  grid.TipText.clear();
  if (grid.TipCol >= 0) {
    TGridCellTip tip{{grid.Window, static_cast<UINT_PTR>(GetDlgCtrlID(grid.Window)), kGridCellTip},
                     grid.TipCol,
                     grid.TipRow,
                     {}};
    SendMessageW(GetParent(grid.Window), WM_NOTIFY, tip.Header.idFrom,
                 reinterpret_cast<LPARAM>(&tip));
    grid.TipText = std::move(tip.Text);
  }
  info.lpszText = grid.TipText.data();
  return 0;
}

LRESULT HandleMessage(TGrid& grid, UINT message, WPARAM wparam, LPARAM lparam) {
  HWND window = grid.Window;
  switch (message) {
    case WM_SIZE:
      SetClientSize(grid.View, LOWORD(lparam), HIWORD(lparam));
      Refresh(grid);
      return 0;
    case WM_SETFONT:
      grid.Font = reinterpret_cast<HFONT>(wparam);
      SetHeaderFont(grid);
      SendMessageW(grid.Edit, WM_SETFONT, wparam, lparam);
      if (grid.Tip) SendMessageW(grid.Tip, WM_SETFONT, wparam, lparam);
      if (LOWORD(lparam)) InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(grid.Font);
    case WM_PAINT: OnPaint(grid); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS |
             (WantsKey(lparam, {VK_RETURN}) ? DLGC_WANTMESSAGE : 0);
    case WM_KEYDOWN:
      if (OnKeyDown(grid, wparam)) return 0;
      break;
    case WM_SYSKEYDOWN:
      if (wparam == VK_DOWN) {
        OpenDropDown(grid);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wparam >= L' ' && wparam != 0x7F) {
        BeginEdit(grid, false);
        SendMessageW(grid.Edit, WM_CHAR, wparam, lparam);
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnButtonDown(grid, message, wparam, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      return 0;
    case WM_MOUSEMOVE: OnMouseMove(grid, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)); return 0;
    case WM_MOUSELEAVE:
      grid.TrackingLeave = false;
      SetPointedCell(grid, -1, -1);
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (grid.Dragging) {
        grid.Dragging = false;
        if (GetCapture() == window) ReleaseCapture();
      }
      return 0;
    case WM_MOUSEWHEEL: {
      grid.WheelDelta += GET_WHEEL_DELTA_WPARAM(wparam);
      const int notches = grid.WheelDelta / WHEEL_DELTA;
      grid.WheelDelta %= WHEEL_DELTA;
      if (notches != 0) Scroll(grid, grid.View.LeftCol, grid.View.TopRow - notches * 3);
      return 0;
    }
    case WM_HSCROLL:
      Scroll(grid,
             ScrollTarget(window, SB_HORZ, LOWORD(wparam), grid.View.LeftCol, grid.View.PageCols),
             grid.View.TopRow);
      return 0;
    case WM_VSCROLL:
      Scroll(grid, grid.View.LeftCol,
             ScrollTarget(window, SB_VERT, LOWORD(wparam), grid.View.TopRow, grid.View.PageRows));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(window, nullptr, FALSE); return 0;
    case WM_NOTIFY: return OnNotify(grid, *reinterpret_cast<NMHDR*>(lparam));
    case kLineTypeChosen: {
      const std::string text = std::to_string(static_cast<std::int32_t>(wparam));
      ChangeCells(grid, [&](TGridCells& cells) { FillRange(cells, Selection(grid.View), text); });
      return 0;
    }
    case kGridCellCorner: {
      const RECT cell = CellRect(grid, LOWORD(wparam), HIWORD(wparam));
      return lparam ? MAKELRESULT(cell.right, cell.bottom) : MAKELRESULT(cell.left, cell.top);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(ToUtf16(CurrentCell(grid)).size());
    case WM_GETTEXT: return CopySelectedText(grid, wparam, lparam);
    default: break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT GridMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* grid = new (std::nothrow) TGrid;
    if (!grid) return FALSE;
    grid->Window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(grid));
    return DefWindowProcW(window, message, wparam, lparam);
  }
  TGrid* grid = GridOf(window);
  if (!grid) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (grid->HeaderFont) DeleteObject(grid->HeaderFont);
    delete grid;
    return DefWindowProcW(window, message, wparam, lparam);
  }
  if (message == WM_CREATE) return OnCreate(*grid, window);
  return HandleMessage(*grid, message, wparam, lparam);
}

LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded(
      window, [&] { return GridMessage(window, message, wparam, lparam); },
      [&] { return DefWindowProcW(window, message, wparam, lparam); });
}

}  // namespace

bool RegisterLineTypeGrid(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = GridProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = KX27_GRID_CLASS;
  return RegisterClassExW(&window_class) != 0 && RegisterLineTypeList(instance);
}

TGridCells GetGridCells(HWND window) {
  TGrid* grid = GridOf(window);
  if (!grid) return {};
  EndEdit(*grid, true);
  return grid->Cells;
}

void SetGridCells(HWND window, const TGridCells& cells) {
  TGrid* grid = GridOf(window);
  if (!grid) return;
  EndEdit(*grid, false);
  grid->Cells = cells;
  InvalidateRect(window, nullptr, FALSE);
}

void EditGridCells(HWND window, const TGridCells& cells, std::optional<std::string> comment) {
  TGrid* grid = GridOf(window);
  if (!grid) return;
  EndEdit(*grid, true);
  ChangeCells(
      *grid,
      [&](TGridCells& shown) {
        for (int row = 1; row < kGridSize; ++row)
          for (int col = 1; col < kGridSize; ++col) shown[row][col] = cells[row][col];
      },
      std::move(comment));
}

void UndoGridChange(HWND window) {
  if (TGrid* grid = GridOf(window)) {
    EndEdit(*grid, true);
    UndoChange(*grid);
  }
}

std::string RestoredGridComment(HWND window) {
  const TGrid* grid = GridOf(window);
  return grid ? grid->RestoredComment : std::string();
}

void SetGridHeaders(HWND window, const TGridCells& cells) {
  TGrid* grid = GridOf(window);
  if (!grid) return;
  for (int i = 0; i < kGridSize; ++i) {
    grid->Cells[0][i] = cells[0][i];
    grid->Cells[i][0] = cells[i][0];
  }
  InvalidateRect(window, nullptr, FALSE);
}

const TGridCells& ShownGridCells(HWND window) {
  static const TGridCells kNone{};
  const TGrid* grid = GridOf(window);
  return grid ? grid->Cells : kNone;
}

TGridRange GetGridSelection(HWND window) {
  const TGrid* grid = GridOf(window);
  return grid ? Selection(grid->View) : TGridRange{};
}

void GetGridCurrentCell(HWND window, int& col, int& row) {
  const TGrid* grid = GridOf(window);
  col = grid ? grid->View.Col : 1;
  row = grid ? grid->View.Row : 1;
}

TGridUndo TakeGridUndo(HWND window) {
  TGrid* grid = GridOf(window);
  return grid ? std::exchange(grid->Undo, TGridUndo{}) : TGridUndo{};
}

void SetGridUndo(HWND window, TGridUndo undo) {
  if (TGrid* grid = GridOf(window)) grid->Undo = std::move(undo);
}

void SetGridElements(HWND window, const TCellElements& elements) {
  TGrid* grid = GridOf(window);
  if (!grid) return;
  grid->Elements = elements;
  grid->HasElements = true;
  InvalidateRect(window, nullptr, FALSE);
}

int HoveredGridGroup(HWND window) {
  const TGrid* grid = GridOf(window);
  return grid && grid->TipCol == 0 && grid->TipRow >= 1 ? grid->TipRow - 1 : -1;
}

void SetGridScale(HWND window, int dpi) {
  TGrid* grid = GridOf(window);
  if (!grid) return;
  EndEdit(*grid, true);
  grid->Dpi = dpi;
  SetScale(grid->View, dpi);
  Refresh(*grid);
}

}  // namespace kx27
