#include "app/win/main_form.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "app/form/form_layout.h"
#include "app/win/dpi.h"
#include "app/win/failure_barrier.h"
#include "app/win/line_type_grid.h"
#include "app/win/picture_view.h"
#include "app/win/resource.h"
#include "app/win/tooltip.h"
#include "app/win/window_placement.h"

namespace kx27 {
namespace {

// Pixels at 100 % scale; every size grows with the monitor's scale.
constexpr int kTabWidth = 26;
constexpr int kFontHeight = 13;
constexpr int kSmallFontHeight = 11;
constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr UINT_PTR kSubclassId = 1;

constexpr COLORREF kStatusColor = RGB(231, 231, 231);
constexpr COLORREF kGuideTextColor = RGB(187, 235, 244);

// Leading blanks are ideographic spaces; "～" is U+FF5E.
constexpr const wchar_t* kGuideText =
    L"◆0値は変換しません\r\n"
    L"◆左下部分のチェックを\r\n"
    L"\u3000していない要素は\r\n"
    L"\u3000変換しません\r\n"
    L"◆線種は\r\n"
    L"\u30001～8、9(補助線種)\r\n"
    L"\u300011～15(ランダム線種)\r\n"
    L"\u300016～19(倍長線種)\r\n"
    L"\u3000で指定可能\r\n"
    L"◆SXF線種は\r\n"
    L"\u300031～45(既定線種)\r\n"
    L"\u300047～62(ユーザー線種)\r\n"
    L"\u3000で指定可能\r\n"
    L"\u3000\r\n"
    L"◆ブロック図形内のものは\r\n"
    L"\u3000処理出来ませんので\r\n"
    L"\u3000御注意下さい。\r\n"
    L"\u3000ブロック編集内で行う\r\n"
    L"\u3000場合には、本ソフトを\r\n"
    L"\u3000Jw_cadのインストール・\r\n"
    L"\u3000フォルダに配置して\r\n"
    L"\u3000実行を行う必要がある\r\n"
    L"\u3000場合があります。";

struct TControl {
  int Id;
  const wchar_t* Class;
  const wchar_t* Text;
  DWORD Style;
  DWORD ExStyle;
  TFormRect TFormLayout::*Place;
};

// In tab order: the dialog manager moves the focus in creation order. The
// controls that lie on the tab strip come after it, so that they sit below
// it in Z order and the strip leaves their area unpainted (TabProc).
constexpr DWORD kTabStop = WS_TABSTOP | WS_GROUP;
constexpr TControl kControls[] = {
    {IDC_OK, WC_BUTTONW, L"ＯＫ(&Y)", BS_DEFPUSHBUTTON | kTabStop, 0, &TFormLayout::Ok},
    {IDC_CANCEL, WC_BUTTONW, L"キャンセル(&N)", BS_PUSHBUTTON | kTabStop, 0, &TFormLayout::Cancel},
    {IDC_GUIDE_TEXT, WC_EDITW, kGuideText,
     ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | WS_VSCROLL | WS_GROUP, WS_EX_CLIENTEDGE,
     &TFormLayout::GuideText},
    {IDC_PRESET_TABS, WC_TABCONTROLW, L"", TCS_FIXEDWIDTH | TCS_SINGLELINE | kTabStop, 0,
     &TFormLayout::Tabs},
    {IDC_COMMENT, WC_EDITW, L"", ES_AUTOHSCROLL | kTabStop, WS_EX_CLIENTEDGE,
     &TFormLayout::Comment},
    {IDC_PRESET_GRID, KX27_GRID_CLASS, L"", WS_HSCROLL | WS_VSCROLL | kTabStop, WS_EX_CLIENTEDGE,
     &TFormLayout::Grid},
    {IDC_CLEAR_PRESET, WC_BUTTONW, L"内容クリア", BS_PUSHBUTTON | kTabStop, 0,
     &TFormLayout::ClearPreset},
    {IDC_IMPORT_JWF, WC_BUTTONW, L"JWF読込み", BS_PUSHBUTTON | kTabStop, 0,
     &TFormLayout::ImportJwf},
    {IDC_DIMENSIONS, WC_BUTTONW, L"寸法図形（寸法値線の線種を変換するか否か）",
     BS_AUTOCHECKBOX | kTabStop, 0, &TFormLayout::Dimensions},
    {IDC_PICTURE, KX27_PICTURE_CLASS, L"", kTabStop, WS_EX_CLIENTEDGE, &TFormLayout::Picture},
    {IDC_PICTURE_BEFORE, WC_BUTTONW, L"変換前(&B)", BS_AUTOCHECKBOX | kTabStop, 0,
     &TFormLayout::Before},
    {IDC_PICTURE_EMPHASISE, WC_BUTTONW, L"変更を強調(&E)", BS_AUTOCHECKBOX | WS_TABSTOP, 0,
     &TFormLayout::Emphasise},
    {IDC_COMMENT_LABEL, WC_STATICW, L"コメント", SS_LEFT | SS_NOPREFIX, 0,
     &TFormLayout::CommentLabel},
    {IDC_LAYER_LABEL, WC_STATICW, L"", SS_LEFT | SS_NOPREFIX, 0, &TFormLayout::LayerLabel},
    {IDC_GROUP_LABEL, WC_STATICW, L"", SS_LEFT | SS_NOPREFIX, 0, &TFormLayout::GroupLabel},
    {IDC_CELLINFO, WC_STATICW, L"", SS_LEFT | SS_NOPREFIX, 0, &TFormLayout::CellInfo},
    {IDC_PROGRESS_LABEL, WC_STATICW, L"\u3000", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0,
     &TFormLayout::Status},
};

// The controls that lie on the tab strip and show on every tab.
constexpr int kOnTabStrip[] = {IDC_COMMENT_LABEL, IDC_LAYER_LABEL,  IDC_GROUP_LABEL, IDC_COMMENT,
                               IDC_PRESET_GRID,   IDC_CLEAR_PRESET, IDC_IMPORT_JWF,  IDC_CELLINFO};

void ExcludeTabStripControls(HWND tab, HDC dc) {
  HWND form = GetParent(tab);
  for (int id : kOnTabStrip) {
    HWND control = GetDlgItem(form, id);
    if (!control || !IsWindowVisible(control)) continue;
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, tab, reinterpret_cast<POINT*>(&rect), 2);
    ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  }
}

// The strip lies above the controls on it in Z order; left alone it would
// paint over them whenever it repaints.
LRESULT CALLBACK TabProc(HWND tab, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR);

// A new tab under the pointer starts the tooltip over, with that preset's
// comment (the form answers TTN_GETDISPINFOW).
void FollowTabUnderPointer(HWND tab, TTabTip& tip, LPARAM lparam) {
  TCHITTESTINFO hit{};
  hit.pt = POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  const int index = TabCtrl_HitTest(tab, &hit);
  if (index == tip.Hovered || !tip.Tip) return;
  tip.Hovered = index;
  SendMessageW(tip.Tip, TTM_ACTIVATE, FALSE, 0);
  SendMessageW(tip.Tip, TTM_ACTIVATE, TRUE, 0);
}

LRESULT TabMessage(HWND tab, UINT message, WPARAM wparam, LPARAM lparam, TTabTip& tip) {
  switch (message) {
    case WM_MOUSEMOVE: FollowTabUnderPointer(tab, tip, lparam); break;
    case WM_ERASEBKGND: ExcludeTabStripControls(tab, reinterpret_cast<HDC>(wparam)); break;
    case WM_PAINT:
      if (wparam == 0) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(tab, &paint);
        ExcludeTabStripControls(tab, dc);
        DefSubclassProc(tab, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        EndPaint(tab, &paint);
        return 0;
      }
      break;
    case WM_NCDESTROY: RemoveWindowSubclass(tab, TabProc, kSubclassId); break;
    default: break;
  }
  return DefSubclassProc(tab, message, wparam, lparam);
}

LRESULT CALLBACK TabProc(HWND tab, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                         DWORD_PTR data) {
  return Guarded(
      tab,
      [&] { return TabMessage(tab, message, wparam, lparam, *reinterpret_cast<TTabTip*>(data)); },
      [&] { return DefSubclassProc(tab, message, wparam, lparam); });
}

// The notes only show: Enter, Esc and Tab keep their dialog meaning there,
// and focusing them selects nothing.
LRESULT CALLBACK GuideTextProc(HWND guide_text, UINT message, WPARAM wparam, LPARAM lparam,
                               UINT_PTR, DWORD_PTR) {
  return Guarded(
      guide_text,
      [&] {
        if (message == WM_GETDLGCODE) {
          return DefSubclassProc(guide_text, message, wparam, lparam) &
                 ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_HASSETSEL);
        }
        if (message == WM_NCDESTROY) RemoveWindowSubclass(guide_text, GuideTextProc, kSubclassId);
        return DefSubclassProc(guide_text, message, wparam, lparam);
      },
      [&] { return DefSubclassProc(guide_text, message, wparam, lparam); });
}

HFONT CreateGothic(int height) {
  return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック");
}

void AddPresetTabs(HWND tab) {
  wchar_t text[2] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  for (int index = 0; index < kPresetCount; ++index) {
    text[0] = static_cast<wchar_t>(L'①' + index);
    TabCtrl_InsertItem(tab, index, &item);
  }
}

int FontLineHeight(HWND window, HFONT font) {
  HDC dc = GetDC(window);
  HGDIOBJ old_font = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old_font);
  ReleaseDC(window, dc);
  return static_cast<int>(metrics.tmHeight);
}

// What the grid's border and scroll bars, always shown, take from its
// window: measured, since both follow the system's metrics and scale.
SIZE GridFrame(HWND grid) {
  RECT window{};
  RECT client{};
  GetWindowRect(grid, &window);
  GetClientRect(grid, &client);
  return {(window.right - window.left) - client.right,
          (window.bottom - window.top) - client.bottom};
}

bool IsTabStripColored(int id) {
  return std::find(std::begin(kOnTabStrip), std::end(kOnTabStrip), id) != std::end(kOnTabStrip);
}

}  // namespace

// Created at the system's scale; WM_CREATE sizes it for its own monitor.
HWND TMainForm::Create(HINSTANCE instance, HWND owner) {
  const TFormSize size = MinimumClientSize(TFormMetrics{});
  const RECT frame = FrameForClient(size.Width, size.Height, kFormStyle, 96);
  return CreateWindowExW(0, KX27_FORM_CLASS, L"レイヤ→線種変換", kFormStyle, 202, 107,
                         frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                         instance, this);
}

void TMainForm::CreateFonts() {
  for (HFONT font : {font_, small_font_}) {
    if (font) DeleteObject(font);
  }
  font_ = CreateGothic(Scaled(kFontHeight));
  small_font_ = CreateGothic(Scaled(kSmallFontHeight));
  if (!status_brush_) status_brush_ = CreateSolidBrush(kStatusColor);
  if (!guide_text_brush_) guide_text_brush_ = CreateSolidBrush(kGuideTextColor);
}

void TMainForm::CreateControls() {
  dpi_ = WindowDpi(window_);
  CreateFonts();
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
  for (const TControl& control : kControls) {
    CreateWindowExW(control.ExStyle, control.Class, control.Text,
                    WS_CHILD | WS_VISIBLE | control.Style, 0, 0, 0, 0, window_,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.Id)), instance, nullptr);
  }
  HWND tab = Control(IDC_PRESET_TABS);
  AddPresetTabs(tab);
  tab_tip_.Tip = CreateControlTooltip(window_, tab, LPSTR_TEXTCALLBACKW);
  SetWindowSubclass(tab, TabProc, kSubclassId, reinterpret_cast<DWORD_PTR>(&tab_tip_));
  SetWindowSubclass(Control(IDC_GUIDE_TEXT), GuideTextProc, kSubclassId, 0);
  ScaleControls();
  const TFormSize size = MinimumClientSize(Metrics());
  const RECT frame = FrameForClient(size.Width, size.Height, kFormStyle, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TFormMetrics TMainForm::Metrics() const {
  const SIZE frame = GridFrame(Control(IDC_PRESET_GRID));
  return TFormMetrics{dpi_, frame.cx, frame.cy};
}

// Where it was saved (OpeningPosition), at the size that shows the whole
// table and the picture where the monitor's work area allows, never below
// the smallest window.
void TMainForm::OpenAt(POINT saved) {
  RECT frame;
  GetWindowRect(window_, &frame);
  const POINT first =
      OpeningPosition(saved.x, saved.y, frame.right - frame.left, frame.bottom - frame.top);
  SetWindowPos(window_, nullptr, first.x, first.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);  // the monitor's scale follows
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  // The room right of and below the saved corner, unless it is too small
  // for the whole table and the work area is not: then the work area's, and
  // the window moves in by the least that shows it whole. Where even the
  // work area is too small, the saved corner stays.
  const RECT& area = monitor.rcWork;
  const RECT extra = FrameForClient(0, 0, kFormStyle, dpi_);
  const int extra_width = extra.right - extra.left;
  const int extra_height = extra.bottom - extra.top;
  const TFormMetrics metrics = Metrics();
  const TFormSize whole = WholeTableClientSize(metrics);
  TFormSize largest{area.right - std::max(first.x, area.left) - extra_width,
                    area.bottom - std::max(first.y, area.top) - extra_height};
  const TFormSize work{area.right - area.left - extra_width, area.bottom - area.top - extra_height};
  if (largest.Width < whole.Width && work.Width >= whole.Width) largest.Width = work.Width;
  if (largest.Height < whole.Height && work.Height >= whole.Height) largest.Height = work.Height;
  const TFormSize size = OpeningClientSize(metrics, largest);
  const RECT opening = FrameForClient(size.Width, size.Height, kFormStyle, dpi_);
  const int width = opening.right - opening.left;
  const int height = opening.bottom - opening.top;
  const POINT position =
      MoveInside(RECT{first.x, first.y, first.x + width, first.y + height}, area);
  SetWindowPos(window_, nullptr, position.x, position.y, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window's least size: the one the dialog always had.
void TMainForm::OnGetMinMaxInfo(MINMAXINFO& info) const {
  const TFormSize size = MinimumClientSize(Metrics());
  const RECT frame = FrameForClient(size.Width, size.Height, kFormStyle, dpi_);
  info.ptMinTrackSize = POINT{frame.right - frame.left, frame.bottom - frame.top};
}

// Fonts, the tabs' size and the grid's cells for the window's scale.
void TMainForm::ScaleControls() {
  for (const TControl& control : kControls) {
    const bool small = control.Id == IDC_CLEAR_PRESET || control.Id == IDC_IMPORT_JWF;
    SendMessageW(Control(control.Id), WM_SETFONT,
                 reinterpret_cast<WPARAM>(small ? small_font_ : font_), FALSE);
  }
  HWND tab = Control(IDC_PRESET_TABS);
  TabCtrl_SetItemSize(tab, Scaled(kTabWidth), FontLineHeight(tab, font_) + Scaled(6));
  SetGridScale(Control(IDC_PRESET_GRID), dpi_);
  SetPictureScale(Control(IDC_PICTURE), dpi_);
  LayoutControls();
}

// Places every control for the client area's size, all in one step.
void TMainForm::LayoutControls() {
  RECT client;
  GetClientRect(window_, &client);
  if (client.right == 0 || client.bottom == 0) return;  // minimised
  const TFormLayout layout = LayOutForm(Metrics(), TFormSize{client.right, client.bottom});
  HDWP positions = BeginDeferWindowPos(static_cast<int>(std::size(kControls)));
  for (const TControl& control : kControls) {
    const TFormRect& place = layout.*control.Place;
    HWND window = Control(control.Id);
    const UINT show = place.Empty() ? SWP_HIDEWINDOW : SWP_SHOWWINDOW;
    if (positions) {
      positions = DeferWindowPos(positions, window, nullptr, place.Left, place.Top, place.Width,
                                 place.Height, SWP_NOZORDER | SWP_NOACTIVATE | show);
    }
  }
  if (positions) EndDeferWindowPos(positions);
  for (int id : {IDC_COMMENT_LABEL, IDC_LAYER_LABEL, IDC_GROUP_LABEL}) FitLabel(id);
  InvalidateRect(window_, nullptr, TRUE);
}

// Moved to a monitor of another scale, or the scale changed.
void TMainForm::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  CreateFonts();
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ScaleControls();
}

void TMainForm::SetLabelText(int id, const wchar_t* text) {
  SetWindowTextW(Control(id), text);
  FitLabel(id);
}

void TMainForm::FitLabel(int id) {
  HWND label = Control(id);
  const int length = GetWindowTextLengthW(label);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(label, text.data(), length + 1)));
  HDC dc = GetDC(label);
  HGDIOBJ old_font = SelectObject(dc, font_);
  RECT size{};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &size, DT_CALCRECT | DT_NOPREFIX);
  SelectObject(dc, old_font);
  ReleaseDC(label, dc);
  SetWindowPos(label, nullptr, 0, 0, size.right, size.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TMainForm::OnControlColor(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  if (id == IDC_PROGRESS_LABEL) {
    SetBkColor(dc, kStatusColor);
    return reinterpret_cast<LRESULT>(status_brush_);
  }
  if (id == IDC_GUIDE_TEXT) {
    SetBkColor(dc, kGuideTextColor);
    return reinterpret_cast<LRESULT>(guide_text_brush_);
  }
  if (IsTabStripColored(id)) {
    // The strip's page is white under visual styles and button face without.
    const int page = IsAppThemed() ? COLOR_WINDOW : COLOR_BTNFACE;
    SetBkColor(dc, GetSysColor(page));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(page));
  }
  SetBkColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

}  // namespace kx27
