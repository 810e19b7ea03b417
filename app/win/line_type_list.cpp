#include "app/win/line_type_list.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <new>
#include <string>

#include "app/presets/line_type_names.h"
#include "app/presets/line_type_pattern.h"
#include "app/win/encoding.h"
#include "app/win/failure_barrier.h"
#include "app/win/resource.h"

namespace kx27 {
namespace {

constexpr UINT_PTR kListSubclassId = 1;
constexpr UINT kCloseList = WM_APP;  // after the list lost the activation
constexpr int kItemHeight = 20;      // at 100 % scale
constexpr int kListWidth = 300;
constexpr int kVisibleItems = 14;
constexpr int kSampleWidth = 110;
constexpr int kNumberWidth = 22;

struct TLineTypeList {
  HWND Grid = nullptr;
  HWND Popup = nullptr;
  HWND List = nullptr;
  HFONT Font = nullptr;
  int Dpi = 96;
  std::int32_t Current = 0;
  bool Done = false;
};

int Scaled(const TLineTypeList& list, int size) { return MulDiv(size, list.Dpi, 96); }

void FillColor(HDC dc, const RECT& rect, COLORREF color) {
  SetDCBrushColor(dc, color);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void DrawDashes(HDC dc, const TLineTypePattern& pattern, const RECT& area, int thickness, int dpi,
                COLORREF color) {
  const int y = (area.top + area.bottom - thickness) / 2;
  if (pattern.Dashes.empty()) {
    FillColor(dc, RECT{area.left, y, area.right, y + thickness}, color);
    return;
  }
  int x = area.left;
  for (std::size_t i = 0; x < area.right; i = (i + 1) % pattern.Dashes.size()) {
    const int length = std::max(1, MulDiv(pattern.Dashes[i], dpi, 96));
    if (i % 2 == 0)
      FillColor(dc, RECT{x, y, std::min<LONG>(x + length, area.right), y + thickness}, color);
    x += length;
  }
}

void DrawWave(HDC dc, const TLineTypePattern& pattern, const RECT& area, int thickness, int dpi,
              COLORREF color) {
  const double height = MulDiv(pattern.WaveHeight, dpi, 96);
  const double mid = (area.top + area.bottom) / 2.0;
  const double period = MulDiv(16, dpi, 96);
  for (int x = area.left; x < area.right; ++x) {
    const int y =
        static_cast<int>(std::lround(mid + height * std::sin((x - area.left) * 6.2832 / period)));
    FillColor(dc, RECT{x, y, x + thickness, y + thickness}, color);
  }
}

void DrawItem(const TLineTypeList& list, const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const auto value = static_cast<std::int32_t>(item.itemData);
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const COLORREF fore = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  FillColor(item.hDC, item.rcItem, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

  // The number right-aligned in a column of its own, then the name.
  RECT number = item.rcItem;
  number.right = number.left + Scaled(list, kNumberWidth);
  RECT text = item.rcItem;
  text.left = number.right + Scaled(list, 8);
  text.right -= Scaled(list, kSampleWidth + 8);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, fore);
  HGDIOBJ old_font = SelectObject(item.hDC, list.Font);
  const std::wstring digits = std::to_wstring(value);
  DrawTextW(item.hDC, digits.c_str(), -1, &number, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  const std::wstring name = ToUtf16(LineTypeName(value));
  DrawTextW(item.hDC, name.c_str(), -1, &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);

  RECT sample{item.rcItem.right - Scaled(list, kSampleWidth + 4), item.rcItem.top,
              item.rcItem.right - Scaled(list, 4), item.rcItem.bottom};
  const TLineTypePattern pattern = LineTypePattern(value);
  const int thickness = std::max(1, Scaled(list, 1));
  switch (pattern.Style) {
    case TSampleStyle::kDashes:
      DrawDashes(item.hDC, pattern, sample, thickness, list.Dpi, fore);
      break;
    case TSampleStyle::kWave: DrawWave(item.hDC, pattern, sample, thickness, list.Dpi, fore); break;
    case TSampleStyle::kUserDefined:
      SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
      DrawTextW(item.hDC, L"（図面で定義）", -1, &sample,
                DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
      break;
    case TSampleStyle::kNone: break;
  }
  SelectObject(item.hDC, old_font);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

void Choose(TLineTypeList& list) {
  if (list.Done) return;
  list.Done = true;
  const LRESULT index = SendMessageW(list.List, LB_GETCURSEL, 0, 0);
  const HWND grid = list.Grid;
  const HWND popup = list.Popup;
  if (index != LB_ERR) {
    const auto value = static_cast<std::int32_t>(
        SendMessageW(list.List, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    DestroyWindow(popup);
    SendMessageW(grid, kLineTypeChosen, static_cast<WPARAM>(value), 0);
  } else {
    DestroyWindow(popup);
  }
  SetFocus(grid);
}

// refocus is false when the list lost the activation: the click that took
// it keeps the focus where it put it.
void Close(TLineTypeList& list, bool refocus) {
  if (list.Done) return;
  list.Done = true;
  const HWND grid = list.Grid;
  DestroyWindow(list.Popup);
  if (refocus) SetFocus(grid);
}

LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                          DWORD_PTR data);

LRESULT ListMessage(TLineTypeList& list, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DefSubclassProc(window, message, wparam, lparam);
    case WM_KEYDOWN:
      if (wparam == VK_RETURN) {
        Choose(list);
        return 0;
      }
      if (wparam == VK_ESCAPE || wparam == VK_F4 || wparam == VK_TAB) {
        Close(list, true);
        return 0;
      }
      break;
    case WM_SYSKEYDOWN:
      if (wparam == VK_UP || wparam == VK_DOWN) {
        Choose(list);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wparam == L'\r' || wparam == L'\x1b' || wparam == L'\t') return 0;
      break;
    case WM_LBUTTONUP: {
      const LRESULT hit = SendMessageW(window, LB_ITEMFROMPOINT, 0, lparam);
      if (HIWORD(hit) == 0) {
        SendMessageW(window, LB_SETCURSEL, LOWORD(hit), 0);
        Choose(list);
        return 0;
      }
      break;
    }
    case WM_NCDESTROY: RemoveWindowSubclass(window, ListProc, kListSubclassId); break;
    default: break;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                          DWORD_PTR data) {
  TLineTypeList& list = *reinterpret_cast<TLineTypeList*>(data);
  return Guarded(
      window, [&] { return ListMessage(list, window, message, wparam, lparam); },
      [&] { return DefSubclassProc(window, message, wparam, lparam); });
}

LRESULT OnCreate(TLineTypeList& list, HWND popup) {
  list.Popup = popup;
  RECT client;
  GetClientRect(popup, &client);
  list.List = CreateWindowExW(
      0, WC_LISTBOXW, L"",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
      0, 0, client.right, client.bottom, popup, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!list.List) return -1;
  SendMessageW(list.List, WM_SETFONT, reinterpret_cast<WPARAM>(list.Font), FALSE);
  for (std::int32_t value : PresetValues()) {
    const LRESULT index = SendMessageW(list.List, LB_ADDSTRING, 0, static_cast<LPARAM>(value));
    if (value == list.Current) SendMessageW(list.List, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  SetWindowSubclass(list.List, ListProc, kListSubclassId, reinterpret_cast<DWORD_PTR>(&list));
  return 0;
}

LRESULT PopupMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    // The window owns its state from here until WM_NCDESTROY.
    const auto* init =
        static_cast<const TLineTypeList*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    auto* list = new (std::nothrow) TLineTypeList(*init);
    if (!list) return FALSE;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(list));
  }
  auto* list = reinterpret_cast<TLineTypeList*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!list) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_CREATE: return OnCreate(*list, window);
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight =
          static_cast<UINT>(Scaled(*list, kItemHeight));
      return TRUE;
    case WM_DRAWITEM:
      DrawItem(*list, *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_SETFOCUS: SetFocus(list->List); return 0;
    case WM_ACTIVATE:
      // A click anywhere else closes the list, as a combo box's does.
      if (LOWORD(wparam) == WA_INACTIVE) PostMessageW(window, kCloseList, 0, 0);
      return 0;
    case kCloseList: Close(*list, false); return 0;
    case WM_CLOSE: Close(*list, true); return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete list;
      return DefWindowProcW(window, message, wparam, lparam);
    default: break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK PopupProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return Guarded(
      window, [&] { return PopupMessage(window, message, wparam, lparam); },
      [&] { return DefWindowProcW(window, message, wparam, lparam); });
}

}  // namespace

bool RegisterLineTypeList(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_DROPSHADOW;
  window_class.lpfnWndProc = PopupProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = KX27_LINETYPE_LIST_CLASS;
  return RegisterClassExW(&window_class) != 0;
}

HWND OpenLineTypeList(HWND grid, const RECT& cell, std::int32_t current, int dpi, HFONT font) {
  const TLineTypeList init{grid, nullptr, nullptr, font, dpi, current, false};
  const int width = MulDiv(kListWidth, dpi, 96);
  const int height =
      MulDiv(kItemHeight * kVisibleItems, dpi, 96) + 2 * GetSystemMetrics(SM_CYBORDER);
  // Below the cell, or above it where the screen ends.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromRect(&cell, MONITOR_DEFAULTTONEAREST), &monitor);
  int x = std::clamp<int>(cell.left, monitor.rcWork.left,
                          std::max<int>(monitor.rcWork.left, monitor.rcWork.right - width));
  int y = cell.bottom + height <= monitor.rcWork.bottom ? cell.bottom : cell.top - height;
  HWND popup =
      CreateWindowExW(WS_EX_TOOLWINDOW, KX27_LINETYPE_LIST_CLASS, L"", WS_POPUP | WS_BORDER, x, y,
                      width, height, GetAncestor(grid, GA_ROOT), nullptr, GetModuleHandleW(nullptr),
                      const_cast<TLineTypeList*>(&init));
  if (!popup) return nullptr;
  ShowWindow(popup, SW_SHOW);
  SetFocus(popup);
  return popup;
}

}  // namespace kx27
