#include "app/win/string_grid.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <new>
#include <string>

#include "app/win/encoding.h"
#include "app/win/grid_view.h"
#include "app/win/resource.h"

namespace kx27 {
namespace {

constexpr UINT_PTR kEditSubclassId = 1;
constexpr COLORREF kGridLineColor = RGB(192, 192, 192);

struct TGrid {
  HWND Window = nullptr;
  HWND Edit = nullptr;
  HFONT Font = nullptr;
  TGridView View;
  std::array<std::array<std::wstring, kGridSize>, kGridSize> Cells;  // [row][col]
  bool Editing = false;
  int WheelDelta = 0;
};

TGrid* GridOf(HWND window) {
  return reinterpret_cast<TGrid*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

RECT CellRect(const TGrid& grid, int col, int row) {
  const int left = CellLeft(grid.View, col);
  const int top = CellTop(grid.View, row);
  return RECT{left, top, left + kCellWidth, top + kCellHeight};
}

void InvalidateCell(const TGrid& grid, int col, int row) {
  const RECT rect = CellRect(grid, col, row);
  InvalidateRect(grid.Window, &rect, FALSE);
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
void Refresh(const TGrid& grid) {
  UpdateScrollBars(grid);
  InvalidateRect(grid.Window, nullptr, FALSE);
}

// refocus is false when the edit loses the focus to another window, which
// must keep it.
void EndEdit(TGrid& grid, bool commit, bool refocus = true) {
  if (!grid.Editing) return;
  // Cleared first: hiding the focused edit moves the focus, which calls back
  // here through WM_KILLFOCUS.
  grid.Editing = false;
  if (commit) {
    const int length = GetWindowTextLengthW(grid.Edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(grid.Edit, text.data(), length + 1)));
    grid.Cells[static_cast<std::size_t>(grid.View.Row)][static_cast<std::size_t>(grid.View.Col)] =
        std::move(text);
  }
  if (refocus && GetFocus() == grid.Edit) SetFocus(grid.Window);
  ShowWindow(grid.Edit, SW_HIDE);
  InvalidateCell(grid, grid.View.Col, grid.View.Row);
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
  Select(grid.View, grid.View.Col, grid.View.Row);
  Refresh(grid);
  const RECT cell = CellRect(grid, grid.View.Col, grid.View.Row);
  const std::wstring& text =
      grid.Cells[static_cast<std::size_t>(grid.View.Row)][static_cast<std::size_t>(grid.View.Col)];
  SetWindowTextW(grid.Edit, keep_text ? text.c_str() : L"");
  // As high as its text and centred, so that the text stays where the cell
  // showed it.
  const int height = std::min(LineHeight(grid) + 2, kCellHeight - 2);
  SetWindowPos(grid.Edit, HWND_TOP, cell.left + 1, cell.top + (kCellHeight - 1 - height) / 2,
               kCellWidth - 2, height, SWP_SHOWWINDOW);
  grid.Editing = true;
  SetFocus(grid.Edit);
  SendMessageW(grid.Edit, EM_SETSEL, 0xFFFF, 0xFFFF);  // caret after the text
}

void SelectCell(TGrid& grid, int col, int row) {
  EndEdit(grid, true);
  InvalidateCell(grid, grid.View.Col, grid.View.Row);
  Select(grid.View, col, row);
  Refresh(grid);
}

void Move(TGrid& grid, TGridMove move) {
  EndEdit(grid, true);
  MoveSelection(grid.View, move);
  Refresh(grid);
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

bool IsCtrlDown() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

bool OnKeyDown(TGrid& grid, WPARAM key) {
  switch (key) {
    case VK_LEFT: Move(grid, TGridMove::kLeft); return true;
    case VK_RIGHT: Move(grid, TGridMove::kRight); return true;
    case VK_UP: Move(grid, TGridMove::kUp); return true;
    case VK_DOWN: Move(grid, TGridMove::kDown); return true;
    case VK_PRIOR: Move(grid, TGridMove::kPageUp); return true;
    case VK_NEXT: Move(grid, TGridMove::kPageDown); return true;
    case VK_HOME:
      Move(grid, IsCtrlDown() ? TGridMove::kGridStart : TGridMove::kRowStart);
      return true;
    case VK_END:
      Move(grid, IsCtrlDown() ? TGridMove::kGridEnd : TGridMove::kRowEnd);
      return true;
    case VK_F2:
    case VK_RETURN: BeginEdit(grid, true); return true;
    default: return false;
  }
}

void FillColor(HDC dc, const RECT& rect, COLORREF color) {
  SetDCBrushColor(dc, color);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void PaintCell(const TGrid& grid, HDC dc, int col, int row, bool focused) {
  const RECT cell = CellRect(grid, col, row);
  RECT inner{cell.left, cell.top, cell.right - 1, cell.bottom - 1};
  const bool fixed = col == 0 || row == 0;
  const bool selected =
      !fixed && !grid.Editing && col == grid.View.Col && row == grid.View.Row;
  COLORREF back = GetSysColor(COLOR_WINDOW);
  COLORREF fore = GetSysColor(COLOR_WINDOWTEXT);
  if (fixed) {
    back = GetSysColor(COLOR_BTNFACE);
    fore = GetSysColor(COLOR_BTNTEXT);
  } else if (selected && focused) {
    back = GetSysColor(COLOR_HIGHLIGHT);
    fore = GetSysColor(COLOR_HIGHLIGHTTEXT);
  } else if (selected) {
    back = GetSysColor(COLOR_BTNFACE);
  }
  FillColor(dc, inner, back);
  if (fixed) DrawEdge(dc, &inner, BDR_RAISEDINNER, BF_RECT);
  FillColor(dc, RECT{cell.right - 1, cell.top, cell.right, cell.bottom},
           fixed ? GetSysColor(COLOR_3DDKSHADOW) : kGridLineColor);
  FillColor(dc, RECT{cell.left, cell.bottom - 1, cell.right, cell.bottom},
           fixed ? GetSysColor(COLOR_3DDKSHADOW) : kGridLineColor);

  const std::wstring& text =
      grid.Cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
  RECT text_rect{inner.left + 3, inner.top, inner.right - 2, inner.bottom};
  SetTextColor(dc, fore);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &text_rect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (fixed ? DT_CENTER : DT_LEFT));
  if (selected && focused) DrawFocusRect(dc, &inner);
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
                          DWORD_PTR data) {
  TGrid& grid = *reinterpret_cast<TGrid*>(data);
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = DefSubclassProc(edit, message, wparam, lparam);
      // Enter, Esc and Tab belong to the cell being edited, not the dialog.
      if (WantsKey(lparam, {VK_RETURN, VK_ESCAPE, VK_TAB})) code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
      switch (wparam) {
        case VK_RETURN: EndEdit(grid, true); return 0;
        case VK_ESCAPE: EndEdit(grid, false); return 0;
        case VK_TAB: {
          EndEdit(grid, true);
          const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
          SetFocus(GetNextDlgTabItem(GetParent(grid.Window), grid.Window, back));
          return 0;
        }
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
          OnKeyDown(grid, wparam);
          return 0;
        default: break;
      }
      break;
    case WM_CHAR:
      if (wparam == L'\r' || wparam == L'\x1b' || wparam == L'\t') return 0;  // no beep
      break;
    case WM_KILLFOCUS: EndEdit(grid, true, false); break;
    case WM_NCDESTROY: RemoveWindowSubclass(edit, EditProc, kEditSubclassId); break;
    default: break;
  }
  return DefSubclassProc(edit, message, wparam, lparam);
}

LRESULT OnCreate(TGrid& grid, HWND window) {
  grid.Window = window;
  grid.Edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, window,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!grid.Edit) return -1;
  SetWindowSubclass(grid.Edit, EditProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(&grid));
  SendMessageW(grid.Edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 1));
  SendMessageW(grid.Edit, EM_SETLIMITTEXT, 0, 0);  // a cell holds text of any length
  return 0;
}

LRESULT CopySelectedText(const TGrid& grid, WPARAM size, LPARAM buffer) {
  const std::wstring& text =
      grid.Cells[static_cast<std::size_t>(grid.View.Row)][static_cast<std::size_t>(grid.View.Col)];
  auto* out = reinterpret_cast<wchar_t*>(buffer);
  if (!out || size == 0) return 0;
  const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
  text.copy(out, count);
  out[count] = L'\0';
  return static_cast<LRESULT>(count);
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
      SendMessageW(grid.Edit, WM_SETFONT, wparam, lparam);
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
    case WM_CHAR:
      if (wparam >= L' ' && wparam != 0x7F) {
        BeginEdit(grid, false);
        SendMessageW(grid.Edit, WM_CHAR, wparam, lparam);
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      EndEdit(grid, true);
      SetFocus(window);
      int col = 0;
      int row = 0;
      if (!CellAt(grid.View, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam), col, row) ||
          col == 0 || row == 0) {
        return 0;
      }
      SelectCell(grid, col, row);
      if (message == WM_LBUTTONDBLCLK) BeginEdit(grid, true);
      return 0;
    }
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
    case WM_KILLFOCUS: InvalidateCell(grid, grid.View.Col, grid.View.Row); return 0;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(grid.Cells[static_cast<std::size_t>(grid.View.Row)]
                                            [static_cast<std::size_t>(grid.View.Col)]
                                                .size());
    case WM_GETTEXT: return CopySelectedText(grid, wparam, lparam);
    default: break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
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
    delete grid;
    return DefWindowProcW(window, message, wparam, lparam);
  }
  if (message == WM_CREATE) return OnCreate(*grid, window);
  return HandleMessage(*grid, message, wparam, lparam);
}

}  // namespace

bool RegisterStringGrid(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = GridProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = KX27_GRID_CLASS;
  return RegisterClassExW(&window_class) != 0;
}

TGridCells GetGridCells(HWND window) {
  TGridCells cells;
  TGrid* grid = GridOf(window);
  if (!grid) return cells;
  EndEdit(*grid, true);
  for (std::size_t row = 0; row < kGridSize; ++row) {
    for (std::size_t col = 0; col < kGridSize; ++col) {
      cells[row][col] = ToShiftJis(grid->Cells[row][col]);
    }
  }
  return cells;
}

void SetGridCells(HWND window, const TGridCells& cells) {
  TGrid* grid = GridOf(window);
  if (!grid) return;
  EndEdit(*grid, false);
  for (std::size_t row = 0; row < kGridSize; ++row) {
    for (std::size_t col = 0; col < kGridSize; ++col) {
      grid->Cells[row][col] = ToUtf16(cells[row][col]);
    }
  }
  InvalidateRect(window, nullptr, FALSE);
}

}  // namespace kx27
