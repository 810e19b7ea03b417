#include "app/win/form1.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <string>
#include <system_error>

#include "app/jwf_import.h"
#include "app/preset_grid.h"
#include "app/program_path.h"
#include "app/progress_caption.h"
#include "app/selection.h"
#include "app/win/encoding.h"
#include "app/win/resource.h"
#include "app/win/string_grid.h"
#include "app/win/window_placement.h"

namespace kx27 {
namespace {

// The conversion runs without returning to the message loop: LabelA1 is
// repainted at once and Escape is read from the keyboard's current state.
class TLabelProgress final : public TWriteBackProgress {
 public:
  explicit TLabelProgress(HWND label) : label_(label) {}

  void Show(std::int32_t current, std::int32_t total) override {
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
};

// What the user is told when OK cannot write the selection back; null when
// it can.
const wchar_t* WriteBackRefusal(TWriteBackProblem problem) {
  switch (problem) {
    case TWriteBackProblem::kIncompleteRead:
      return L"選択された図形（JWC_TEMP.TXT）を最後まで読み込めませんでした。\r\n"
             L"図面は変更しません。";
    case TWriteBackProblem::kBlockFigures:
      return L"選択範囲にブロック図形が含まれています。このツールはブロック図形を書き戻せないため、"
             L"図面は変更しません。\r\n"
             L"外部変形のBATファイルに「REM #ht10」を入れてください（付属のBATファイルには入っています）。";
    case TWriteBackProblem::kNone: break;
  }
  return nullptr;
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

}  // namespace

TForm1::~TForm1() {
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(small_font_),
                         static_cast<HGDIOBJ>(status_brush_), static_cast<HGDIOBJ>(memo_brush_)}) {
    if (object) DeleteObject(object);
  }
}

bool TForm1::Register(HINSTANCE instance) {
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

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return DefWindowProcW(window, message, wparam, lparam);
  // No exception may cross the system's frames; the window stays usable and
  // every way of closing still writes the exchange file.
  try {
    return form->HandleMessage(message, wparam, lparam);
  } catch (...) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateFonts();
      CreateControls();
      return 0;
    case WM_SHOWWINDOW:
      if (wparam && !shown_) {
        shown_ = true;
        FormShow();
      }
      break;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
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
      if (wparam) FormClose();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      FormClose();
      return 0;
    default: break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void TForm1::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_BUTTON1: Button1Click(); break;
    case IDC_BUTTON2: Button2Click(); break;
    case IDC_BUTTON3: Button3Click(); break;
    case IDC_BUTTON4: Button4Click(); break;
    default: break;
  }
}

LRESULT TForm1::OnNotify(const NMHDR& header) {
  if (header.idFrom != IDC_TABCONTROL1) return 0;
  if (header.code == TCN_SELCHANGING) {
    TabControl1Changing();
    return FALSE;  // never refuses
  }
  if (header.code == TCN_SELCHANGE) TabControl1Change();
  return 0;
}

void TForm1::FormShow() {
  exchange_path_ = ExchangeFilePath();
  settings_path_ = SettingsFilePath();
  selection_ = ReadSelection(exchange_path_);
  LoadSettings(settings_path_, settings_);

  RECT frame;
  GetWindowRect(window_, &frame);
  const POINT position = OpeningPosition(settings_.WinLeft, settings_.WinTop,
                                         frame.right - frame.left, frame.bottom - frame.top);
  SetWindowPos(window_, nullptr, position.x, position.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  SetLabelText(IDC_LABELL1, L"レイヤ");
  SetLabelText(IDC_LABELL2, L"レ\r\nイ\r\nヤ\r\nグ\r\nル\r\n｜\r\nプ");
  TGridCells cells;
  LabelGridHeaders(cells);
  SetGridCells(Control(IDC_STRINGGRID1), cells);
  Button_SetCheck(Control(IDC_CHECKBOX1), settings_.Dimensions ? BST_CHECKED : BST_UNCHECKED);

  if (settings_.PresetNo < 1 || settings_.PresetNo > kPresetCount) settings_.PresetNo = 1;
  TabCtrl_SetCurSel(Control(IDC_TABCONTROL1), settings_.PresetNo - 1);  // sends no notification
  ShowPreset(settings_.PresetNo);
}

void TForm1::FormClose() {
  if (closed_) return;
  closed_ = true;
  // Every way of closing but OK leaves the drawing as the host has it.
  if (!answered_) LeaveUnchanged(exchange_path_.empty() ? ExchangeFilePath() : exchange_path_);
  selection_ = TSelection();
}

void TForm1::Button1Click() {
  RECT frame;
  GetWindowRect(window_, &frame);
  settings_.WinLeft = frame.left;
  settings_.WinTop = frame.top;
  settings_.PresetNo = SelectedPreset();
  StoreGrid(settings_.PresetNo);
  settings_.Dimensions = Button_GetCheck(Control(IDC_CHECKBOX1)) == BST_CHECKED;
  SaveSettings(settings_path_, settings_);

  if (const wchar_t* reason = WriteBackRefusal(FindWriteBackProblem(selection_))) {
    MessageBoxW(window_, reason, kApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
    SendMessageW(window_, WM_CLOSE, 0, 0);  // answers "hq"
    return;
  }

  ShowProgress(L"処理中です");
  TLabelProgress progress(Control(IDC_LABELA1));
  WriteBack(selection_, settings_.Presets[static_cast<std::size_t>(settings_.PresetNo - 1)],
            settings_.Dimensions, progress, exchange_path_);
  answered_ = true;
  SendMessageW(window_, WM_CLOSE, 0, 0);
}

void TForm1::Button2Click() { SendMessageW(window_, WM_CLOSE, 0, 0); }

void TForm1::Button3Click() {
  const int answer = MessageBoxW(
      window_,
      L"この設定画面のレイヤ設定をクリアします。よろしいですか？\r\n"
      L"（※画面切替／[OK]をせず[キャンセル]をした場合は保存されません）",
      L"確認", MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON1);
  if (answer == IDNO) return;
  SetWindowTextW(Control(IDC_EDIT1), L"");
  HWND grid = Control(IDC_STRINGGRID1);
  TGridCells cells = GetGridCells(grid);
  ClearGridValues(cells);
  SetGridCells(grid, cells);
}

void TForm1::Button4Click() {
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
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING |
                 OFN_EXPLORER;
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
  HWND grid = Control(IDC_STRINGGRID1);
  TGridCells cells = GetGridCells(grid);
  for (std::size_t group = 0; group < rows.size(); ++group) {
    if (!rows[group]) continue;
    for (std::size_t layer = 0; layer < 16; ++layer) {
      cells[group + 1][layer + 1] = (*rows[group])[layer];
    }
  }
  SetGridCells(grid, cells);
}

void TForm1::TabControl1Changing() { StoreGrid(SelectedPreset()); }

void TForm1::TabControl1Change() { ShowPreset(SelectedPreset()); }

int TForm1::SelectedPreset() const {
  const int index = TabCtrl_GetCurSel(Control(IDC_TABCONTROL1));
  return index >= 0 && index < kPresetCount ? index + 1 : 1;
}

void TForm1::StoreGrid(int preset_no) {
  const TGridCells cells = GetGridCells(Control(IDC_STRINGGRID1));
  StoreGridToPreset(cells, ToShiftJis(WindowText(Control(IDC_EDIT1))),
                    settings_.Presets[static_cast<std::size_t>(preset_no - 1)]);
}

void TForm1::ShowPreset(int preset_no) {
  HWND grid = Control(IDC_STRINGGRID1);
  TGridCells cells = GetGridCells(grid);
  std::string comment;
  ShowPresetInGrid(settings_.Presets[static_cast<std::size_t>(preset_no - 1)], cells, comment);
  SetGridCells(grid, cells);
  SetWindowTextW(Control(IDC_EDIT1), ToUtf16(comment).c_str());
}

void TForm1::ShowProgress(const wchar_t* text) {
  HWND label = Control(IDC_LABELA1);
  SetWindowTextW(label, text);
  UpdateWindow(label);
}

}  // namespace kx27
