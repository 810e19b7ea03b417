#include "app/win/main_form.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "app/win/dpi.h"
#include "app/win/failure_barrier.h"
#include "app/win/resource.h"
#include "app/win/string_grid.h"

namespace kx27 {
namespace {

// Pixels at 100 % scale; every size grows with the monitor's scale.
constexpr int kClientWidth = 648;
constexpr int kClientHeight = 393;
constexpr int kStatusHeight = 24;
constexpr int kTabWidth = 26;
constexpr int kFontHeight = 13;
constexpr int kSmallFontHeight = 11;
constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr UINT_PTR kSubclassId = 1;

constexpr COLORREF kStatusColor = RGB(231, 231, 231);
constexpr COLORREF kMemoColor = RGB(187, 235, 244);

// Leading blanks are ideographic spaces; "～" is U+FF5E.
constexpr const wchar_t* kMemoText =
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

struct TControlLayout {
  int Id;
  const wchar_t* Class;
  const wchar_t* Text;
  DWORD Style;
  DWORD ExStyle;
  int Left, Top, Width, Height;
};

// In tab order: the dialog manager moves the focus in creation order. The
// controls that lie on the tab strip come after it, so that they sit below
// it in Z order and the strip leaves their area unpainted (TabProc).
constexpr DWORD kTabStop = WS_TABSTOP | WS_GROUP;
// The grid shows 8 columns and 8 rows of value cells beside its headers;
// the strip under it names the selected cell in full.
constexpr TControlLayout kControls[] = {
    {IDC_OK, WC_BUTTONW, L"ＯＫ(&Y)", BS_DEFPUSHBUTTON | kTabStop, 0, 448, 298, 193, 33},
    {IDC_CANCEL, WC_BUTTONW, L"キャンセル(&N)", BS_PUSHBUTTON | kTabStop, 0, 448, 338, 193, 25},
    {IDC_GUIDE_MEMO, WC_EDITW, kMemoText,
     ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | WS_VSCROLL | WS_GROUP, WS_EX_CLIENTEDGE, 448, 0,
     193, 291},
    {IDC_PRESET_TABS, WC_TABCONTROLW, L"", TCS_FIXEDWIDTH | TCS_SINGLELINE | kTabStop, 0, 0, 0,
     441, 338},
    {IDC_COMMENT, WC_EDITW, L"", ES_AUTOHSCROLL | kTabStop, WS_EX_CLIENTEDGE, 64, 24, 369, 21},
    {IDC_PRESET_GRID, KX27_GRID_CLASS, L"", WS_HSCROLL | WS_VSCROLL | kTabStop, WS_EX_CLIENTEDGE,
     24, 64, 409, 237},
    {IDC_CLEAR_PRESET, WC_BUTTONW, L"内容クリア", BS_PUSHBUTTON | kTabStop, 0, 280, 44, 73, 20},
    {IDC_IMPORT_JWF, WC_BUTTONW, L"JWF読込み", BS_PUSHBUTTON | kTabStop, 0, 360, 44, 73, 20},
    {IDC_DIMENSIONS, WC_BUTTONW, L"寸法図形（寸法値線の線種を変換するか否か）",
     BS_AUTOCHECKBOX | kTabStop, 0, 8, 346, 425, 17},
    {IDC_COMMENT_LABEL, WC_STATICW, L"コメント", SS_LEFT | SS_NOPREFIX, 0, 4, 28, 56, 13},
    {IDC_LAYER_LABEL, WC_STATICW, L"", SS_LEFT | SS_NOPREFIX, 0, 124, 48, 49, 13},
    {IDC_GROUP_LABEL, WC_STATICW, L"", SS_LEFT | SS_NOPREFIX, 0, 8, 96, 49, 13},
    {IDC_CELLINFO, WC_STATICW, L"", SS_LEFT | SS_NOPREFIX, 0, 24, 303, 409, 30},
    {IDC_PROGRESS_LABEL, WC_STATICW, L"\u3000", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0, 0,
     kClientHeight - kStatusHeight, kClientWidth, kStatusHeight},
};

// The controls that lie on the tab strip and show on every tab.
constexpr int kOnTabStrip[] = {IDC_COMMENT_LABEL, IDC_LAYER_LABEL, IDC_GROUP_LABEL, IDC_COMMENT,
                               IDC_PRESET_GRID, IDC_CLEAR_PRESET, IDC_IMPORT_JWF, IDC_CELLINFO};

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
LRESULT CALLBACK TabProc(HWND tab, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                         DWORD_PTR);

LRESULT TabMessage(HWND tab, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
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
                         DWORD_PTR) {
  return Guarded(
      tab, [&] { return TabMessage(tab, message, wparam, lparam); },
      [&] { return DefSubclassProc(tab, message, wparam, lparam); });
}

// The notes only show: Enter, Esc and Tab keep their dialog meaning there,
// and focusing them selects nothing.
LRESULT CALLBACK MemoProc(HWND memo, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                          DWORD_PTR) {
  return Guarded(
      memo,
      [&] {
        if (message == WM_GETDLGCODE) {
          return DefSubclassProc(memo, message, wparam, lparam) &
                 ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_HASSETSEL);
        }
        if (message == WM_NCDESTROY) RemoveWindowSubclass(memo, MemoProc, kSubclassId);
        return DefSubclassProc(memo, message, wparam, lparam);
      },
      [&] { return DefSubclassProc(memo, message, wparam, lparam); });
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

bool IsTabStripColored(int id) {
  return std::find(std::begin(kOnTabStrip), std::end(kOnTabStrip), id) != std::end(kOnTabStrip);
}

}  // namespace

// Created at the system's scale; WM_CREATE sizes it for its own monitor.
HWND TMainForm::Create(HINSTANCE instance, HWND owner) {
  const RECT frame = FrameForClient(kClientWidth, kClientHeight, kFormStyle, 96);
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
  if (!memo_brush_) memo_brush_ = CreateSolidBrush(kMemoColor);
}

void TMainForm::CreateControls() {
  dpi_ = WindowDpi(window_);
  CreateFonts();
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
  for (const TControlLayout& layout : kControls) {
    CreateWindowExW(layout.ExStyle, layout.Class, layout.Text, WS_CHILD | WS_VISIBLE | layout.Style,
                    0, 0, 0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.Id)),
                    instance, nullptr);
  }
  HWND tab = Control(IDC_PRESET_TABS);
  AddPresetTabs(tab);
  SetWindowSubclass(tab, TabProc, kSubclassId, 0);
  SetWindowSubclass(Control(IDC_GUIDE_MEMO), MemoProc, kSubclassId, 0);
  LayoutControls();
  const RECT frame = FrameForClient(Scaled(kClientWidth), Scaled(kClientHeight), kFormStyle, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Places and sizes every control, its font and the grid's cells for the
// window's scale.
void TMainForm::LayoutControls() {
  for (const TControlLayout& layout : kControls) {
    HWND control = Control(layout.Id);
    const bool small = layout.Id == IDC_CLEAR_PRESET || layout.Id == IDC_IMPORT_JWF;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(small ? small_font_ : font_),
                 FALSE);
    const int top = layout.Id == IDC_PROGRESS_LABEL ? Scaled(kClientHeight - kStatusHeight)
                                             : Scaled(layout.Top);
    SetWindowPos(control, nullptr, Scaled(layout.Left), top, Scaled(layout.Width),
                 Scaled(layout.Height), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  HWND tab = Control(IDC_PRESET_TABS);
  TabCtrl_SetItemSize(tab, Scaled(kTabWidth), FontLineHeight(tab, font_) + Scaled(6));
  SetGridScale(Control(IDC_PRESET_GRID), dpi_);
  for (int id : {IDC_COMMENT_LABEL, IDC_LAYER_LABEL, IDC_GROUP_LABEL}) FitLabel(id);
  InvalidateRect(window_, nullptr, TRUE);
}

// Moved to a monitor of another scale, or the scale changed.
void TMainForm::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  CreateFonts();
  LayoutControls();
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
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
  if (id == IDC_GUIDE_MEMO) {
    SetBkColor(dc, kMemoColor);
    return reinterpret_cast<LRESULT>(memo_brush_);
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
