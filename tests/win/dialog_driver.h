#pragma once

// Drives a running kx27.exe from outside, as a user does: clicks, keys and
// typed text reach its controls through ordinary window messages.

#include <windows.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kx27::test {

class RunningDialog {
 public:
  RunningDialog() = default;
  ~RunningDialog();  // ends a program that is still running
  RunningDialog(const RunningDialog&) = delete;
  RunningDialog& operator=(const RunningDialog&) = delete;

  // Starts the program from another folder than its own, as the host may,
  // and waits until its window is shown and idle.
  bool Start(const std::filesystem::path& program);

  HWND Window() const { return window_; }
  HANDLE Process() const { return process_.hProcess; }
  HWND Control(int id) const { return GetDlgItem(window_, id); }
  std::wstring Text(int id) const;

  // A click that may open a modal box: returns before the handler ends.
  void Click(int id) const { PostMessageW(Control(id), BM_CLICK, 0, 0); }
  // A click whose handler opens nothing: returns when it is done.
  void ClickAndWait(int id) const;
  // A key press, through the dialog's own message loop, to the focused
  // control (or the window when nothing has the focus).
  void PressKey(UINT vk, bool alt = false) const;

  // Keys pressed together as on the keyboard (modifiers first), through the
  // system's input to the focused control; the dialog is brought to the
  // front first.
  void PressChord(std::initializer_list<WORD> keys) const;

  // Moves the mouse pointer over a point of a control, as the user does.
  void PointAt(int id, int x, int y) const;

  // The id of the focused control, 0 when the focus is elsewhere.
  int FocusedId() const;

  // A visible window of the program of this class, or null after a short wait.
  HWND WaitForWindowOfClass(std::wstring_view class_name) const;
  // The same once it holds the keyboard focus, so that keys go to it.
  HWND WaitForFocusedWindowOfClass(std::wstring_view class_name) const;

  // Selects tab index (0-19) as a user does: a click on the tab while it is
  // in view, the arrow keys otherwise. True when the tab ends up selected.
  bool SelectTab(int index) const;
  int SelectedTab() const;
  // Where tab index lies in the strip's client area, as now scrolled.
  RECT TabBounds(int index) const;

  // A value cell's place in the grid's client area, as now scrolled.
  RECT CellBounds(int column, int row) const;

  // Cells in view before any scrolling. TypeIntoCell
  // clicks the cell and types text followed by Enter; CellText selects the
  // cell and reads what it shows.
  void TypeIntoCell(int column, int row, std::wstring_view text) const;
  std::wstring CellText(int column, int row) const;

  // A dialog box of the program with this caption, or null after the timeout.
  HWND WaitForBox(std::wstring_view caption) const;
  bool WaitUntilGone(HWND box) const;
  // Returns once the program has handled everything sent before.
  void Sync() const;

  // Waits for the program to end; on timeout ends it and returns false.
  bool WaitForExit();
  DWORD ExitCode() const;

 private:
  void ClickCell(int column, int row) const;
  HWND FocusedWindow() const;

  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

// Sets the text of the file name box of an open dialog and presses Enter.
bool ChooseFileInOpenDialog(HWND dialog, const std::filesystem::path& file);

// Puts text on the clipboard, as a spreadsheet's copy does.
bool SetClipboardText(std::wstring_view text);

// Presses a button of a message box (IDYES, IDNO, IDOK).
void AnswerBox(HWND box, int button);

// The message text of a message box.
std::wstring BoxMessage(HWND box);

}  // namespace kx27::test
