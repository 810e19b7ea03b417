#include "tests/win/dialog_driver.h"

#include <commctrl.h>
#include <windowsx.h>

#include <iterator>
#include <vector>

#include "app/win/line_type_grid.h"
#include "app/win/resource.h"

namespace kx27::test {
namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kTimeoutMs = 10000;

// Every message waits at most this long, so that a program that hangs fails
// its test instead of holding up the run.
LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, kTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(Send(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// A visible top-level window of the process with this class and, unless it
// is empty, this caption.
HWND FindTopLevel(DWORD pid, std::wstring_view class_name, std::wstring_view caption) {
  struct Query {
    DWORD pid;
    std::wstring_view class_name, caption;
    HWND found = nullptr;
  } query{pid, class_name, caption};
  EnumWindows(
      [](HWND window, LPARAM lparam) CALLBACK -> BOOL {
        auto& q = *reinterpret_cast<Query*>(lparam);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != q.pid || !IsWindowVisible(window) || ClassOf(window) != q.class_name ||
            (!q.caption.empty() && WindowText(window) != q.caption)) {
          return TRUE;
        }
        q.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.found;
}

LPARAM KeyData(wchar_t vk, bool up, bool alt) {
  LPARAM data = 1 | static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  if (alt) data |= LPARAM{1} << 29;
  if (up) data |= LPARAM{3} << 30;
  return data;
}

// The three messages of one key stroke, handled before this returns.
void SendKey(HWND target, wchar_t vk, wchar_t ch) {
  if (vk != 0) Send(target, WM_KEYDOWN, vk, KeyData(vk, false, false));
  if (ch != 0) Send(target, WM_CHAR, ch, KeyData(vk, false, false));
  if (vk != 0) Send(target, WM_KEYUP, vk, KeyData(vk, true, false));
}

void SendClick(HWND window, int x, int y) {
  Send(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  Send(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
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
  RECT bounds{};
  HWND arrows = FindWindowExW(tab, nullptr, UPDOWN_CLASSW, nullptr);
  if (arrows == nullptr || !IsWindowVisible(arrows)) {
    GetClientRect(tab, &bounds);
    return bounds.right;
  }
  GetWindowRect(arrows, &bounds);
  MapWindowPoints(HWND_DESKTOP, tab, reinterpret_cast<POINT*>(&bounds), 2);
  return bounds.left;
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
  for (DWORD waited = 0; waited < 2 * kTimeoutMs; waited += kPollMs) {
    window_ = FindTopLevel(process_.dwProcessId, KX27_FORM_CLASS, {});
    if (window_ != nullptr) break;
    if (WaitForSingleObject(process_.hProcess, kPollMs) == WAIT_OBJECT_0) return false;
  }
  if (window_ == nullptr) return false;
  WaitForInputIdle(process_.hProcess, 5000);
  Sync();
  return true;
}

std::wstring RunningDialog::Text(int id) const { return WindowText(Control(id)); }

void RunningDialog::ClickAndWait(int id) const { Send(Control(id), BM_CLICK, 0, 0); }

void RunningDialog::PressKey(UINT vk, bool alt) const {
  HWND target = FocusedWindow();
  const auto key = static_cast<wchar_t>(vk);
  PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, KeyData(key, false, alt));
  PostMessageW(target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, KeyData(key, true, alt));
}

void RunningDialog::PressChord(std::initializer_list<WORD> keys) const {
  SetForegroundWindow(window_);
  Sync();
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *key;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  // The input reaches the program's queue asynchronously.
  Sleep(200);
  Sync();
}

void RunningDialog::PointAt(int id, int x, int y) const {
  POINT point{x, y};
  ClientToScreen(Control(id), &point);
  // Two steps, so that the control sees the pointer move inside it.
  for (const int step : {1, 0}) {
    SetCursorPos(point.x - step, point.y - step);
    Sleep(100);
  }
  Sync();
}

int RunningDialog::FocusedId() const {
  HWND focus = FocusedWindow();
  return focus != window_ && IsChild(window_, focus) ? GetDlgCtrlID(focus) : 0;
}

HWND RunningDialog::WaitForWindowOfClass(std::wstring_view class_name) const {
  for (DWORD waited = 0; waited < kTimeoutMs; waited += kPollMs) {
    if (HWND found = FindTopLevel(process_.dwProcessId, class_name, {})) return found;
    Sleep(kPollMs);
  }
  return nullptr;
}

HWND RunningDialog::WaitForFocusedWindowOfClass(std::wstring_view class_name) const {
  HWND found = WaitForWindowOfClass(class_name);
  if (!found) return nullptr;
  // Wine hands the activation over from the window that just closed some
  // time after: the focus counts once it has stayed for a few polls.
  int steady = 0;
  for (DWORD waited = 0; waited < kTimeoutMs; waited += kPollMs) {
    HWND focus = FocusedWindow();
    steady = focus == found || IsChild(found, focus) ? steady + 1 : 0;
    if (steady == 4) return IsWindow(found) ? found : nullptr;
    Sleep(kPollMs);
  }
  return nullptr;
}

RECT RunningDialog::TabBounds(int index) const {
  RECT item{};
  RemoteItemRect(process_.hProcess, Control(IDC_PRESET_TABS), index, item);
  return item;
}

int RunningDialog::SelectedTab() const {
  return static_cast<int>(Send(Control(IDC_PRESET_TABS), TCM_GETCURSEL, 0, 0));
}

bool RunningDialog::SelectTab(int index) const {
  HWND tab = Control(IDC_PRESET_TABS);
  RECT item{};
  if (RemoteItemRect(process_.hProcess, tab, index, item) && item.left >= 0 &&
      item.right <= ClickableRight(tab)) {
    SendClick(tab, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
  } else {
    for (int steps = 0; steps < 40 && SelectedTab() != index; ++steps) {
      SendKey(tab, SelectedTab() < index ? VK_RIGHT : VK_LEFT, 0);
    }
  }
  Sync();
  return SelectedTab() == index;
}

RECT RunningDialog::CellBounds(int column, int row) const {
  HWND grid = Control(IDC_PRESET_GRID);
  const WPARAM cell = MAKEWPARAM(column, row);
  const LRESULT top_left = Send(grid, kGridCellCorner, cell, 0);
  const LRESULT bottom_right = Send(grid, kGridCellCorner, cell, 1);
  return RECT{GET_X_LPARAM(top_left), GET_Y_LPARAM(top_left), GET_X_LPARAM(bottom_right),
              GET_Y_LPARAM(bottom_right)};
}

void RunningDialog::ClickCell(int column, int row) const {
  const RECT cell = CellBounds(column, row);
  SendClick(Control(IDC_PRESET_GRID), (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
}

std::wstring RunningDialog::CellText(int column, int row) const {
  ClickCell(column, row);
  return Text(IDC_PRESET_GRID);
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

HWND RunningDialog::WaitForBox(std::wstring_view caption) const {
  for (DWORD waited = 0; waited < kTimeoutMs; waited += kPollMs) {
    if (HWND box = FindTopLevel(process_.dwProcessId, L"#32770", caption)) return box;
    Sleep(kPollMs);
  }
  return nullptr;
}

bool RunningDialog::WaitUntilGone(HWND box) const {
  for (DWORD waited = 0; IsWindow(box); waited += kPollMs) {
    if (waited >= kTimeoutMs) return false;
    Sleep(kPollMs);
  }
  return true;
}

void RunningDialog::Sync() const { Send(window_, WM_NULL, 0, 0); }

bool RunningDialog::WaitForExit() {
  if (WaitForSingleObject(process_.hProcess, 15000) == WAIT_OBJECT_0) return true;
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
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) &&
      info.hwndFocus != nullptr) {
    return info.hwndFocus;
  }
  return window_;
}

bool ChooseFileInOpenDialog(HWND dialog, const std::filesystem::path& file) {
  // The file name box is the dialog's one visible edit (inside a combo box
  // or on its own, depending on the dialog's style).
  HWND edit = nullptr;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM found) CALLBACK -> BOOL {
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

bool SetClipboardText(std::wstring_view text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  bool put = false;
  if (auto* target = memory ? static_cast<wchar_t*>(GlobalLock(memory)) : nullptr) {
    text.copy(target, text.size());
    target[text.size()] = L'\0';
    GlobalUnlock(memory);
    put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  }
  if (!put && memory) GlobalFree(memory);
  CloseClipboard();
  return put;
}

void AnswerBox(HWND box, int button) { PostMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0); }

// The message text of a message box is the static control 0xFFFF.
std::wstring BoxMessage(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text != nullptr ? WindowText(text) : std::wstring();
}

}  // namespace kx27::test
