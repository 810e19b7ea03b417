#include "tests/win/dialog_driver.h"

#include <commctrl.h>

#include "app/win/resource.h"

namespace kx27::test {
namespace {

constexpr DWORD kPollMs = 20;

// Grid cells are 36 x 24 pixels; cell (c, r) starts at (c * 36, r * 24)
// while the grid is not scrolled.
constexpr int kCellWidth = 36;
constexpr int kCellHeight = 24;

// Every message waits at most this long, so that a program that hangs fails
// its test instead of holding up the run.
LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, 10000, &result);
  return static_cast<LRESULT>(result);
}

struct WindowQuery {
  DWORD process_id;
  std::wstring_view class_name;
  std::wstring_view caption;  // empty: any caption
  HWND found = nullptr;
};

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring WindowText(HWND window) {
  const auto length = Send(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const auto copied = Send(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                           reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM lparam) {
  auto& query = *reinterpret_cast<WindowQuery*>(lparam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != query.process_id || !IsWindowVisible(window)) return TRUE;
  if (ClassOf(window) != query.class_name) return TRUE;
  if (!query.caption.empty() && WindowText(window) != query.caption) return TRUE;
  query.found = window;
  return FALSE;
}

HWND FindTopLevel(DWORD pid, std::wstring_view class_name, std::wstring_view caption) {
  WindowQuery query{pid, class_name, caption};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

struct ChildQuery {
  int id;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM lparam) {
  auto& query = *reinterpret_cast<ChildQuery*>(lparam);
  if (GetDlgCtrlID(window) != query.id) return TRUE;
  query.found = window;
  return FALSE;
}

LPARAM ClientPoint(int x, int y) { return MAKELPARAM(x, y); }

LPARAM KeyData(wchar_t vk, bool up, bool alt) {
  const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  LPARAM data = 1 | static_cast<LPARAM>(scan) << 16;
  if (alt) data |= LPARAM{1} << 29;
  if (up) data |= LPARAM{3} << 30;
  return data;
}

// Where tab index lies in the tab control, read through memory in the
// program's process, since the message answers with a pointer of its own.
bool RemoteItemRect(HANDLE process, HWND tab, int index, RECT& rect) {
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  if (remote == nullptr) return false;
  const bool ok = Send(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(remote)) != 0 &&
                  ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr) != 0;
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return ok;
}

// The right edge of the strip where tabs can be clicked: the scroll arrows
// cover the rest.
LONG ClickableRight(HWND tab) {
  RECT client{};
  GetClientRect(tab, &client);
  HWND arrows = FindWindowExW(tab, nullptr, UPDOWN_CLASSW, nullptr);
  if (arrows != nullptr && IsWindowVisible(arrows)) {
    RECT bounds{};
    GetWindowRect(arrows, &bounds);
    MapWindowPoints(HWND_DESKTOP, tab, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds.left;
  }
  return client.right;
}

}  // namespace

RunningDialog::~RunningDialog() {
  if (process_.hProcess == nullptr) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool RunningDialog::Start(const std::filesystem::path& program) {
  std::wstring command = L"\"" + program.native() + L"\"";
  const std::wstring start_folder = program.parent_path().parent_path().native();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      start_folder.c_str(), &startup, &process_)) {
    return false;
  }
  for (DWORD waited = 0; waited < 20000; waited += kPollMs) {
    window_ = FindTopLevel(process_.dwProcessId, KX27_FORM_CLASS, {});
    if (window_ != nullptr) break;
    if (WaitForSingleObject(process_.hProcess, kPollMs) == WAIT_OBJECT_0) return false;
  }
  if (window_ == nullptr) return false;
  ui_thread_ = GetWindowThreadProcessId(window_, nullptr);
  WaitForInputIdle(process_.hProcess, 5000);
  Sync();
  return true;
}

HWND RunningDialog::Control(int id) const {
  if (HWND direct = GetDlgItem(window_, id)) return direct;
  ChildQuery query{id};
  EnumChildWindows(window_, MatchChild, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

RECT RunningDialog::WindowRect() const {
  RECT rect{};
  GetWindowRect(window_, &rect);
  return rect;
}

std::wstring RunningDialog::Text(HWND window) const { return WindowText(window); }

void RunningDialog::Click(int id) const { PostMessageW(Control(id), BM_CLICK, 0, 0); }

void RunningDialog::ClickAndWait(int id) const { Send(Control(id), BM_CLICK, 0, 0); }

void RunningDialog::PressKey(UINT vk, bool alt) const {
  HWND target = FocusedWindow();
  const auto key = static_cast<wchar_t>(vk);
  PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, KeyData(key, false, alt));
  PostMessageW(target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, KeyData(key, true, alt));
}

void RunningDialog::Post(UINT message, WPARAM wparam, LPARAM lparam) const {
  PostMessageW(window_, message, wparam, lparam);
}

int RunningDialog::SelectedTab() const {
  return static_cast<int>(Send(Control(IDC_TABCONTROL1), TCM_GETCURSEL, 0, 0));
}

bool RunningDialog::SelectTab(int index) const {
  HWND tab = Control(IDC_TABCONTROL1);
  RECT item{};
  if (RemoteItemRect(process_.hProcess, tab, index, item) && item.left >= 0 &&
      item.right <= ClickableRight(tab)) {
    const LPARAM centre = ClientPoint((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    Send(tab, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    Send(tab, WM_LBUTTONUP, 0, centre);
  } else {
    for (int steps = 0; steps < 40 && SelectedTab() != index; ++steps) {
      SendKey(tab, SelectedTab() < index ? VK_RIGHT : VK_LEFT, 0);
    }
  }
  Sync();
  return SelectedTab() == index;
}

void RunningDialog::ClickCell(int column, int row) const {
  HWND grid = Control(IDC_STRINGGRID1);
  const LPARAM centre =
      ClientPoint(column * kCellWidth + kCellWidth / 2, row * kCellHeight + kCellHeight / 2);
  Send(grid, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  Send(grid, WM_LBUTTONUP, 0, centre);
}

std::wstring RunningDialog::CellText(int column, int row) const {
  ClickCell(column, row);
  return WindowText(Control(IDC_STRINGGRID1));
}

void RunningDialog::TypeIntoCell(int column, int row, std::wstring_view text) const {
  ClickCell(column, row);
  for (wchar_t c : text) {
    const SHORT scan = VkKeyScanW(c);
    SendKey(FocusedWindow(), static_cast<wchar_t>(scan == -1 ? 0 : LOBYTE(scan)), c);
  }
  SendKey(FocusedWindow(), VK_RETURN, L'\r');
  Sync();
}

HWND RunningDialog::WaitForBox(std::wstring_view caption, DWORD timeout_ms) const {
  for (DWORD waited = 0; waited < timeout_ms; waited += kPollMs) {
    if (HWND box = FindTopLevel(process_.dwProcessId, L"#32770", caption)) return box;
    Sleep(kPollMs);
  }
  return nullptr;
}

bool RunningDialog::WaitUntilGone(HWND box, DWORD timeout_ms) const {
  for (DWORD waited = 0; waited < timeout_ms; waited += kPollMs) {
    if (!IsWindow(box)) return true;
    Sleep(kPollMs);
  }
  return false;
}

void RunningDialog::Sync() const { Send(window_, WM_NULL, 0, 0); }

bool RunningDialog::WaitForExit(DWORD timeout_ms) {
  if (WaitForSingleObject(process_.hProcess, timeout_ms) == WAIT_OBJECT_0) return true;
  TerminateProcess(process_.hProcess, 99);
  WaitForSingleObject(process_.hProcess, 5000);
  return false;
}

DWORD RunningDialog::ExitCode() const {
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

HWND RunningDialog::FocusedWindow() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(ui_thread_, &info) && info.hwndFocus != nullptr) return info.hwndFocus;
  return window_;
}

// The three messages of one key stroke, handled before this returns.
void RunningDialog::SendKey(HWND target, wchar_t vk, wchar_t ch) const {
  if (vk != 0) Send(target, WM_KEYDOWN, vk, KeyData(vk, false, false));
  if (ch != 0) Send(target, WM_CHAR, ch, KeyData(vk, false, false));
  if (vk != 0) Send(target, WM_KEYUP, vk, KeyData(vk, true, false));
}

bool ChooseFileInOpenDialog(HWND dialog, const std::filesystem::path& file) {
  // The file name box is the dialog's one visible edit (inside a combo box
  // or on its own, depending on the dialog's style).
  HWND edit = nullptr;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM found) -> BOOL {
        if (ClassOf(child) != L"Edit" || !IsWindowVisible(child)) return TRUE;
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&edit));
  if (edit == nullptr) return false;
  Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  PostMessageW(edit, WM_KEYDOWN, VK_RETURN, KeyData(VK_RETURN, false, false));
  PostMessageW(edit, WM_KEYUP, VK_RETURN, KeyData(VK_RETURN, true, false));
  return true;
}

void AnswerBox(HWND box, int button) { PostMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0); }

std::wstring BoxMessage(HWND box) {
  // The message text of a message box is the static control 0xFFFF.
  HWND text = GetDlgItem(box, 0xFFFF);
  return text != nullptr ? WindowText(text) : std::wstring();
}

}  // namespace kx27::test
