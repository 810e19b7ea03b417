#include "app/win/main_form.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "app/convert/selection.h"
#include "app/form/failure_messages.h"
#include "app/form/progress_caption.h"
#include "app/form/repaint_pacer.h"
#include "app/grid/layer_names.h"
#include "app/grid/preset_grid.h"
#include "app/grid/status.h"
#include "app/picture/picture.h"
#include "app/presets/cell_value.h"
#include "app/presets/jwf_import.h"
#include "app/presets/line_type_names.h"
#include "app/program_files/program_files.h"
#include "app/win/dpi.h"
#include "app/win/encoding.h"
#include "app/win/failure_barrier.h"
#include "app/win/line_type_grid.h"
#include "app/win/picture_view.h"
#include "app/win/resource.h"
#include "app/win/tooltip.h"
#include "app/win/window_placement.h"
#include "text/grouped_digits.h"

namespace kx27 {
namespace {

// The conversion runs without returning to the message loop: the label is
// repainted at once and Escape is read from the keyboard's current state.
class TLabelProgress final : public TWriteBackProgress {
 public:
  explicit TLabelProgress(HWND label) : label_(label) {}

  void Show(std::int32_t current, std::int32_t total) override {
    if (!pacer_.Due(TRepaintPacer::TClock::now())) return;
    const std::u16string caption = ProgressCaption(current, total);
    SetWindowTextW(label_, reinterpret_cast<const wchar_t*>(caption.c_str()));
    UpdateWindow(label_);
  }

  bool EscapeDown() override { return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0; }

  void WritingFile() override {
    SetWindowTextW(label_, L"ファイル生成中です");
    UpdateWindow(label_);
  }

 private:
  HWND label_;
  TRepaintPacer pacer_;
};

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

bool IsKeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

int TextWidth(HWND control, const std::wstring& text) {
  HDC dc = GetDC(control);
  HGDIOBJ old_font =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT size{};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &size, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old_font);
  ReleaseDC(control, dc);
  return size.right;
}

// The box sized its buttons for its own words; the Japanese ones may be
// wider, so both buttons grow to the wider text and stay centred, the box
// growing with them where it must.
void FitYesNoButtons(HWND box) {
  HWND yes = GetDlgItem(box, IDYES);
  HWND no = GetDlgItem(box, IDNO);
  if (!yes || !no) return;
  RECT yes_rect, no_rect, client;
  GetWindowRect(yes, &yes_rect);
  GetWindowRect(no, &no_rect);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&yes_rect), 2);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&no_rect), 2);
  GetClientRect(box, &client);
  const int padding = 2 * TextWidth(yes, L"  ");
  const int width =
      std::max({static_cast<int>(yes_rect.right - yes_rect.left),
                TextWidth(yes, L"はい(Y)") + padding, TextWidth(no, L"いいえ(N)") + padding});
  const int gap = std::max(0, static_cast<int>(no_rect.left - yes_rect.right));
  const int margin = std::max(0, static_cast<int>(yes_rect.left));
  const int needed = 2 * width + gap + 2 * std::min(margin, width / 2);
  if (needed > client.right) {
    RECT frame;
    GetWindowRect(box, &frame);
    SetWindowPos(box, nullptr, 0, 0, frame.right - frame.left + needed - client.right,
                 frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(box, &client);
  }
  const int left = (client.right - (2 * width + gap)) / 2;
  const int height = yes_rect.bottom - yes_rect.top;
  SetWindowPos(yes, nullptr, left, yes_rect.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(no, nullptr, left + width + gap, no_rect.top, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void LabelAndFitYesNo(HWND box) {
  SetDlgItemTextW(box, IDYES, L"はい(&Y)");
  SetDlgItemTextW(box, IDNO, L"いいえ(&N)");
  FitYesNoButtons(box);
}

// Where the box lays its buttons out after it is activated or again when it
// is shown (Wine), the fit comes again after each of those.
LRESULT CALLBACK RelabelAfterLayout(HWND box, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                    DWORD_PTR) {
  if (message == WM_INITDIALOG || (message == WM_SHOWWINDOW && wparam)) {
    const LRESULT result = DefSubclassProc(box, message, wparam, lparam);
    LabelAndFitYesNo(box);
    return result;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, RelabelAfterLayout, 0);
  return DefSubclassProc(box, message, wparam, lparam);
}

// The message box's own buttons carry the system's language; the tool's
// confirmation reads the same on every Windows.
LRESULT CALLBACK LabelYesNoInJapanese(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wparam);
    wchar_t name[16] = {};
    GetClassNameW(box, name, 16);
    if (std::wstring_view(name) == L"#32770") {
      LabelAndFitYesNo(box);
      SetWindowSubclass(box, RelabelAfterLayout, 0, 0);
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// いいえ is the default: both questions stand before a step that cannot be
// taken back (clearing a preset, converting without saving the presets).
int AskYesNo(HWND owner, const wchar_t* text, const wchar_t* caption, UINT icon = MB_ICONQUESTION) {
  HHOOK hook = SetWindowsHookExW(WH_CBT, LabelYesNoInJapanese, nullptr, GetCurrentThreadId());
  const int answer = MessageBoxW(owner, text, caption, icon | MB_YESNO | MB_DEFBUTTON2);
  if (hook) UnhookWindowsHookEx(hook);
  return answer;
}

std::wstring Grouped(std::int64_t value) { return ToUtf16(GroupedDigits(value)); }

int CellIndex(int col, int row) { return (row - 1) * 16 + (col - 1); }

}  // namespace

TMainForm::~TMainForm() {
  for (HGDIOBJ object :
       {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(small_font_),
        static_cast<HGDIOBJ>(status_brush_), static_cast<HGDIOBJ>(guide_text_brush_)}) {
    if (object) DeleteObject(object);
  }
}

bool TMainForm::Register(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_KX27));
  window_class.hIconSm = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_KX27), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszClassName = KX27_FORM_CLASS;
  return RegisterClassExW(&window_class) != 0;
}

LRESULT CALLBACK TMainForm::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TMainForm*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return DefWindowProcW(window, message, wparam, lparam);
  // No exception may cross the system's frames: the user is told, and the
  // drawing is left as it is.
  try {
    return form->HandleMessage(message, wparam, lparam);
  } catch (...) {
    form->OnUnexpectedFailure();
    return DefWindowProcW(window, message, wparam, lparam);
  }
}

void TMainForm::OnUnexpectedFailure() {
  if (failing_) return;
  failing_ = true;
  MessageBoxW(window_, kUnexpectedFailureMessage, kApplicationTitle, MB_OK | MB_ICONERROR);
  DestroyWindow(window_);  // answers "hq" unless OK wrote the answer
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: CreateControls(); return 0;
    case WM_SHOWWINDOW:
      if (wparam && !shown_) {
        shown_ = true;
        OnShow();
      }
      break;
    case WM_COMMAND: OnCommand(LOWORD(wparam), HIWORD(wparam)); return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<NMHDR*>(lparam));
    case WM_ACTIVATE: OnActivate(LOWORD(wparam) != WA_INACTIVE); return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) LayoutControls();
      return 0;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lparam)); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColor(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case DM_GETDEFID: return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_SYSCOMMAND:
      // Minimising the owner keeps the taskbar button's window in step.
      if ((wparam & 0xFFF0) == SC_MINIMIZE) {
        if (HWND owner = GetWindow(window_, GW_OWNER)) {
          ShowWindow(owner, SW_MINIMIZE);
          return 0;
        }
      }
      break;
    case WM_ENDSESSION:
      if (wparam) OnClose();
      return 0;
    case kUnexpectedFailureNotice: OnUnexpectedFailure(); return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      OnClose();
      return 0;
    default: break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void TMainForm::OnCommand(int id, int code) {
  if (id == IDC_PRESET_GRID) {
    if (code == kGridSelChange) OnGridSelectionChanged();
    if (code == kGridChange) OnGridChanged();
    if (code == kGridHoverChange) FocusPicture();
    if (code == kGridCommentBack) {
      SetWindowTextW(Control(IDC_COMMENT),
                     ToUtf16(RestoredGridComment(Control(IDC_PRESET_GRID))).c_str());
    }
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_OK: OnOk(); break;
    case IDC_CANCEL: OnCancel(); break;
    case IDC_CLEAR_PRESET: OnClearPreset(); break;
    case IDC_IMPORT_JWF: OnImportJwf(); break;
    case IDC_DIMENSIONS: OnDimensionsClicked(); break;
    case IDC_PICTURE_BEFORE:
      SetPictureBefore(Control(IDC_PICTURE), IsChecked(IDC_PICTURE_BEFORE));
      break;
    case IDC_PICTURE_EMPHASISE: FocusPicture(); break;
    default: break;
  }
}

LRESULT TMainForm::OnNotify(NMHDR& header) {
  if (header.hwndFrom == tab_tip_.Tip && header.code == TTN_GETDISPINFOW) {
    OnTabTip(reinterpret_cast<NMTTDISPINFOW&>(header));
    return 0;
  }
  if (header.idFrom == IDC_PRESET_GRID && header.code == kGridCellTip) {
    OnGridCellTip(reinterpret_cast<TGridCellTip&>(header));
    return 0;
  }
  if (header.idFrom != IDC_PRESET_TABS) return 0;
  if (header.code == TCN_SELCHANGING) {
    OnPresetChanging();
    return FALSE;  // never refuses
  }
  if (header.code == TCN_SELCHANGE) OnPresetChanged();
  return 0;
}

// The focus goes back where it was when the window is active again (after a
// message box, the open dialog or the line-type list); at first to OK.
void TMainForm::OnActivate(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) focus_ = focus;
    return;
  }
  SetFocus(focus_ && IsWindow(focus_) && IsWindowEnabled(focus_) ? focus_ : Control(IDC_OK));
}

bool TMainForm::TranslateWindowKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || !IsKeyDown(VK_CONTROL) || IsKeyDown(VK_MENU)) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  switch (message.wParam) {
    case 'Z': return UndoFromAnywhere(message.hwnd);
    case VK_TAB: SwitchPreset(IsKeyDown(VK_SHIFT) ? -1 : 1); return true;
    case VK_NEXT: SwitchPreset(1); return true;
    case VK_PRIOR: SwitchPreset(-1); return true;
    default: return false;
  }
}

bool TMainForm::RouteWheelToPicture(const MSG& message) {
  if (message.message != WM_MOUSEWHEEL) return false;
  HWND picture = Control(IDC_PICTURE);
  const POINT at{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
  if (message.hwnd == picture || WindowFromPoint(at) != picture) return false;
  SendMessageW(picture, WM_MOUSEWHEEL, message.wParam, message.lParam);
  return true;
}

// The comment box takes back its own typing, and the grid and its cell
// editor their own; from anywhere else Ctrl+Z takes back the grid's last
// change, as the user means.
bool TMainForm::UndoFromAnywhere(HWND target) {
  HWND grid = Control(IDC_PRESET_GRID);
  if (target == Control(IDC_COMMENT) || target == grid || IsChild(grid, target)) return false;
  UndoGridChange(grid);
  return true;
}

// As a click on the tab does, the focus staying where it is.
void TMainForm::SwitchPreset(int step) {
  const int next = (SelectedPreset() - 1 + step + kPresetCount) % kPresetCount;
  OnPresetChanging();
  TabCtrl_SetCurSel(Control(IDC_PRESET_TABS), next);
  OnPresetChanged();
}
void TMainForm::OnShow() {
  exchange_path_ = ExchangeFilePath();
  settings_path_ = SettingsFilePath();
  selection_ = ReadSelection(exchange_path_);
  summary_ = SummarizeLayers(selection_.Drawing.Store);
  const std::u16string warning = SettingsWarningCaption(LoadSettings(settings_path_, settings_),
                                                        settings_path_.filename().u16string());
  settings_warning_.assign(warning.begin(), warning.end());
  ExplainRefusalOnOk(Wide(WriteBackRefusalMessage(FindWriteBackProblem(selection_))));

  OpenAt(SettingsToScreen(POINT{settings_.WinLeft, settings_.WinTop}));

  SetLabelText(IDC_LAYER_LABEL, L"レイヤ");
  SetLabelText(IDC_GROUP_LABEL, L"レ\r\nイ\r\nヤ\r\nグ\r\nル\r\n｜\r\nプ");
  Button_SetCheck(Control(IDC_DIMENSIONS), settings_.Dimensions ? BST_CHECKED : BST_UNCHECKED);
  OnDimensionsClicked();

  if (settings_.PresetNo < 1 || settings_.PresetNo > kPresetCount) settings_.PresetNo = 1;
  TabCtrl_SetCurSel(Control(IDC_PRESET_TABS), settings_.PresetNo - 1);  // sends no notification
  ShowPreset(settings_.PresetNo);
  OnGridSelectionChanged();
  TPictureOptions picture;
  picture.Values = GridValues(ShownGridCells(Control(IDC_PRESET_GRID)));
  picture.Dimensions = IsChecked(IDC_DIMENSIONS);
  SetPictureContent(Control(IDC_PICTURE), BuildPicture(selection_.Drawing, picture));
  FocusPicture();
}

// Said before OK is pressed: hovering it tells what it will and will not do.
void TMainForm::ExplainRefusalOnOk(const std::wstring& reason) {
  if (reason.empty()) return;
  ok_tip_text_ = L"ＯＫを押すと設定だけを保存し、図面は変更しません。\r\n" + reason;
  ok_tip_ = CreateControlTooltip(window_, Control(IDC_OK), ok_tip_text_.data());
  if (!ok_tip_) return;
  SendMessageW(ok_tip_, TTM_SETMAXTIPWIDTH, 0, Scaled(420));
  SendMessageW(ok_tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
}

void TMainForm::OnClose() {
  if (closed_) return;
  closed_ = true;
  // Every way of closing but OK leaves the drawing as the host has it.
  if (!answered_) LeaveUnchanged(exchange_path_.empty() ? ExchangeFilePath() : exchange_path_);
  selection_ = TSelection();
}

void TMainForm::OnOk() {
  const RECT frame = RestoredWindowRect(window_);
  const POINT position = ScreenToSettings(POINT{frame.left, frame.top});
  settings_.WinLeft = position.x;
  settings_.WinTop = position.y;
  settings_.PresetNo = SelectedPreset();
  StoreGrid(settings_.PresetNo);
  settings_.Dimensions = IsChecked(IDC_DIMENSIONS);
  const TWriteBackProblem problem = FindWriteBackProblem(selection_);
  if (!SaveSettingsOrAsk(problem == TWriteBackProblem::kNone)) return;

  if (problem != TWriteBackProblem::kNone) {
    MessageBoxW(window_, Wide(WriteBackRefusalMessage(problem)).c_str(), kApplicationTitle,
                MB_OK | MB_ICONEXCLAMATION);
    SendMessageW(window_, WM_CLOSE, 0, 0);  // answers "hq"
    return;
  }

  ShowProgress(L"処理中です");
  TLabelProgress progress(Control(IDC_PROGRESS_LABEL));
  const TWriteBack result =
      WriteBack(selection_, settings_.Presets[static_cast<std::size_t>(settings_.PresetNo - 1)],
                settings_.Dimensions, progress, exchange_path_);
  // Written or not, the file now holds what the host should read: the answer,
  // or the host's own "hq" that no failed replacement touched.
  answered_ = true;
  if (result.Answer != TAnswer::kWritten) {
    ShowProgress(L"変換できませんでした");
    MessageBoxW(
        window_,
        Wide(AnswerFailureMessage(result.Answer, exchange_path_.filename().u16string())).c_str(),
        kApplicationTitle, MB_OK | MB_ICONERROR);
  }
  SendMessageW(window_, WM_CLOSE, 0, 0);
}

// A settings file that cannot be saved is said before anything else; the
// user may still convert, or go back to the dialog, where every edit stays.
// False when the user goes back.
bool TMainForm::SaveSettingsOrAsk(bool converts) {
  const TReplaceResult saved = SaveSettings(settings_path_, settings_);
  if (saved == TReplaceResult::kReplaced) return true;
  std::wstring text =
      Wide(SettingsSaveFailureMessage(saved, settings_path_.filename().u16string()));
  if (!converts) {
    MessageBoxW(window_, text.c_str(), kApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
    return true;
  }
  text +=
      L"\r\n\r\nこのまま線種を変換しますか？\r\n"
      L"［いいえ］でダイアログに戻ります（変更した内容はそのまま残ります）。";
  return AskYesNo(window_, text.c_str(), kApplicationTitle, MB_ICONEXCLAMATION) == IDYES;
}

void TMainForm::OnCancel() { SendMessageW(window_, WM_CLOSE, 0, 0); }

void TMainForm::OnClearPreset() {
  const int answer = AskYesNo(window_,
                              L"この設定画面のレイヤ設定をクリアします。よろしいですか？\r\n"
                              L"（※画面切替／[OK]をせず[キャンセル]をした場合は保存されません）",
                              L"確認");
  if (answer != IDYES) return;
  HWND comment = Control(IDC_COMMENT);
  std::string cleared = ToShiftJis(WindowText(comment));
  SetWindowTextW(comment, L"");
  HWND grid = Control(IDC_PRESET_GRID);
  TGridCells cells = GetGridCells(grid);
  ClearGridValues(cells);
  EditGridCells(grid, cells, std::move(cleared));
}

void TMainForm::OnImportJwf() {
  std::wstring file(32768, L'\0');
  const std::wstring initial_folder = ToUtf16(settings_.JwfFolder);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = L"環境設定ファイル(*.JWF)\0*.jwf\0";
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = initial_folder.empty() ? nullptr : initial_folder.c_str();
  dialog.lpstrTitle = L"環境設定ファイル（JWF）を読込む";
  dialog.lpstrDefExt = L"jwf";
  dialog.Flags =
      OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!GetOpenFileNameW(&dialog)) return;
  file.resize(file.find(L'\0'));
  settings_.JwfFolder = FolderOf(ToShiftJis(file));

  const std::filesystem::path path(file);
  if (!HasJwfExtension(path)) {
    MessageBoxW(window_, L"環境設定ファイル(JWF)を指定して下さい。", kApplicationTitle, MB_OK);
    return;
  }
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return;

  const TJwfRows rows = ImportJwf(path);
  if (std::none_of(rows.begin(), rows.end(), [](const auto& row) { return row.has_value(); })) {
    MessageBoxW(window_, Wide(JwfWithoutRowsMessage(path.filename().u16string())).c_str(),
                kApplicationTitle, MB_OK | MB_ICONINFORMATION);
    return;
  }
  HWND grid = Control(IDC_PRESET_GRID);
  TGridCells cells = GetGridCells(grid);
  for (std::size_t group = 0; group < rows.size(); ++group) {
    if (!rows[group]) continue;
    for (std::size_t layer = 0; layer < 16; ++layer) {
      cells[group + 1][layer + 1] = (*rows[group])[layer];
    }
  }
  EditGridCells(grid, cells);
}

void TMainForm::OnPresetChanging() {
  StoreGrid(SelectedPreset());
  undo_[static_cast<std::size_t>(SelectedPreset() - 1)] = TakeGridUndo(Control(IDC_PRESET_GRID));
}

void TMainForm::OnPresetChanged() {
  ShowPreset(SelectedPreset());
  SetGridUndo(Control(IDC_PRESET_GRID),
              std::move(undo_[static_cast<std::size_t>(SelectedPreset() - 1)]));
}

// Which elements count follows the box: the grid's markers and the count.
// Without an exchange file there is no drawing to mark the layers by.
void TMainForm::OnDimensionsClicked() {
  if (selection_.Status != TReadStatus::kMissing) {
    TCellElements elements{};
    for (int cell = 0; cell < 256; ++cell) {
      elements[static_cast<std::size_t>(cell)] = summary_.Elements(cell, IsChecked(IDC_DIMENSIONS));
    }
    SetGridElements(Control(IDC_PRESET_GRID), elements);
  }
  OnGridChanged();
}

// The headers name the layers of the selected cell's group; the strip under
// the grid names the cell and its line type in full.
void TMainForm::OnGridSelectionChanged() {
  const TDrawingState& drawing = selection_.Drawing.State;
  HWND grid = Control(IDC_PRESET_GRID);
  int col = 1;
  int row = 1;
  GetGridCurrentCell(grid, col, row);
  TGridCells headers;
  LabelGridHeaders(headers, drawing, row - 1);
  SetGridHeaders(grid, headers);

  const int cell = CellIndex(col, row);
  const std::string& text =
      ShownGridCells(grid)[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
  const std::optional<std::int32_t> value = AllowedCellValue(text);
  std::wstring info = L"グループ " + ToUtf16(GroupLabel(drawing, row - 1)) + L"\u3000レイヤ " +
                      ToUtf16(LayerLabel(drawing, row - 1, col - 1)) + L"\r\n";
  if (value) {
    info += L"線種 " + std::to_wstring(*value) + L" " + ToUtf16(LineTypeName(*value));
  } else {
    info += L"「" + ToUtf16(text) + L"」は線種ではありません（0 として保存）";
  }
  const bool dimensions = IsChecked(IDC_DIMENSIONS);
  info += L"\u3000要素 " + Grouped(summary_.Elements(cell, dimensions));
  if (value) info += L"（変更 " + Grouped(summary_.Changed(cell, *value, dimensions)) + L"）";
  const TGridRange range = GetGridSelection(grid);
  const int width = range.Right - range.Left + 1;
  const int height = range.Bottom - range.Top + 1;
  if (width * height > 1) {
    info += L"\u3000選択 " + std::to_wstring(height) + L"×" + std::to_wstring(width);
  }
  SetWindowTextW(Control(IDC_CELLINFO), info.c_str());
  FocusPicture();
}

// The status line: what OK would change now, and any value that is no line
// type, so that it is seen before it is stored as 0.
void TMainForm::OnGridChanged() {
  const TGridStatus status =
      GridStatus(ShownGridCells(Control(IDC_PRESET_GRID)), summary_, IsChecked(IDC_DIMENSIONS));
  std::wstring text = L"変更される要素: " + Grouped(status.Changed);
  if (status.NotLineTypes > 0) {
    text += L"\u3000／\u3000線種にない値 " + std::to_wstring(status.NotLineTypes) +
            L" か所（0 として保存）";
  }
  // A settings file cut short, and a selection OK cannot write back, stay
  // said as long as the dialog is open.
  if (!settings_warning_.empty()) text = settings_warning_ + L"\u3000／\u3000" + text;
  const std::u16string refusal = WriteBackRefusalStatus(FindWriteBackProblem(selection_));
  if (!refusal.empty()) text = Wide(refusal) + L"\u3000／\u3000" + text;
  SetWindowTextW(Control(IDC_PROGRESS_LABEL), text.c_str());
  SetPictureLineTypes(Control(IDC_PICTURE), GridValues(ShownGridCells(Control(IDC_PRESET_GRID))),
                      IsChecked(IDC_DIMENSIONS));
  OnGridSelectionChanged();
}

// The picture brings forward the layers of the group whose header the
// pointer is over, else those of the grid's selection.
void TMainForm::FocusPicture() {
  HWND grid = Control(IDC_PRESET_GRID);
  const int group = HoveredGridGroup(grid);
  TPictureFocus focus;
  focus.Layers = group >= 0 ? TLayerSet::Group(group) : TLayerSet::Range(GetGridSelection(grid));
  focus.EmphasiseChanges = IsChecked(IDC_PICTURE_EMPHASISE);
  SetPictureFocus(Control(IDC_PICTURE), focus);
}

void TMainForm::OnGridCellTip(TGridCellTip& tip) {
  const TDrawingState& drawing = selection_.Drawing.State;
  const bool dimensions = IsChecked(IDC_DIMENSIONS);
  if (tip.Col == 0 && tip.Row == 0) return;
  if (tip.Row == 0) {
    int col = 1;
    int row = 1;
    GetGridCurrentCell(Control(IDC_PRESET_GRID), col, row);
    tip.Text = L"グループ " + ToUtf16(GroupLabel(drawing, row - 1)) + L" のレイヤ " +
               ToUtf16(LayerLabel(drawing, row - 1, tip.Col - 1));
    return;
  }
  if (tip.Col == 0) {
    std::int64_t elements = 0;
    for (int layer = 0; layer < 16; ++layer) {
      elements += summary_.Elements(CellIndex(layer + 1, tip.Row), dimensions);
    }
    tip.Text =
        L"グループ " + ToUtf16(GroupLabel(drawing, tip.Row - 1)) + L"\r\n要素 " + Grouped(elements);
    return;
  }
  const int cell = CellIndex(tip.Col, tip.Row);
  const std::string& text = ShownGridCells(Control(
      IDC_PRESET_GRID))[static_cast<std::size_t>(tip.Row)][static_cast<std::size_t>(tip.Col)];
  const std::optional<std::int32_t> value = AllowedCellValue(text);
  tip.Text = L"グループ " + ToUtf16(GroupLabel(drawing, tip.Row - 1)) + L"\r\nレイヤ " +
             ToUtf16(LayerLabel(drawing, tip.Row - 1, tip.Col - 1)) + L"\r\n";
  tip.Text += value ? L"線種 " + std::to_wstring(*value) + L" " + ToUtf16(LineTypeName(*value))
                    : L"「" + ToUtf16(text) + L"」は線種ではありません（0 として保存）";
  tip.Text += L"\r\n線 " + Grouped(summary_.Count(TConvertible::kLine, cell)) + L"・円 " +
              Grouped(summary_.Count(TConvertible::kCircle, cell)) + L"・弧 " +
              Grouped(summary_.Count(TConvertible::kArc, cell)) + L"・寸法線 " +
              Grouped(summary_.Count(TConvertible::kDimensionLine, cell)) +
              (dimensions ? L"" : L"（変換しない）");
  if (value) {
    tip.Text += L"\r\n変更される要素 " + Grouped(summary_.Changed(cell, *value, dimensions));
  }
}

// The hovered tab's comment; the shown preset's as it is being typed.
void TMainForm::OnTabTip(NMTTDISPINFOW& info) {
  const int index = tab_tip_.Hovered;
  tab_tip_text_.clear();
  if (index >= 0 && index < kPresetCount) {
    tab_tip_text_ = index + 1 == SelectedPreset()
                        ? WindowText(Control(IDC_COMMENT))
                        : ToUtf16(settings_.Presets[static_cast<std::size_t>(index)].Comment);
  }
  info.lpszText = tab_tip_text_.data();
}

bool TMainForm::IsChecked(int id) const { return Button_GetCheck(Control(id)) == BST_CHECKED; }

int TMainForm::SelectedPreset() const {
  const int index = TabCtrl_GetCurSel(Control(IDC_PRESET_TABS));
  return index >= 0 && index < kPresetCount ? index + 1 : 1;
}

void TMainForm::StoreGrid(int preset_no) {
  const TGridCells cells = GetGridCells(Control(IDC_PRESET_GRID));
  StoreGridToPreset(cells, ToShiftJis(WindowText(Control(IDC_COMMENT))),
                    settings_.Presets[static_cast<std::size_t>(preset_no - 1)]);
}

void TMainForm::ShowPreset(int preset_no) {
  HWND grid = Control(IDC_PRESET_GRID);
  TGridCells cells = GetGridCells(grid);
  std::string comment;
  ShowPresetInGrid(settings_.Presets[static_cast<std::size_t>(preset_no - 1)], cells, comment);
  SetGridCells(grid, cells);
  SetWindowTextW(Control(IDC_COMMENT), ToUtf16(comment).c_str());
  OnGridChanged();
}

void TMainForm::ShowProgress(const wchar_t* text) {
  HWND label = Control(IDC_PROGRESS_LABEL);
  SetWindowTextW(label, text);
  UpdateWindow(label);
}

}  // namespace kx27
