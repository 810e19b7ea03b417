// Times, under Windows or Wine, what the user waits for after OK in the
// dialog beside a whole run of the console program on the same drawing,
// driven as the dialog tests drive it: from the click on OK to the end of the
// process, best of several runs each.
//   time_dialog FOLDER
// FOLDER holds kx27.exe, kx27c.exe, kx27.dat and drawing.txt; each run
// copies drawing.txt to JWC_TEMP.TXT there first.

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/win/resource.h"

namespace {

constexpr int kRuns = 3;

double Seconds() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

PROCESS_INFORMATION Start(const std::filesystem::path& program, const std::wstring& arguments) {
  std::wstring command = L"\"" + program.wstring() + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                 program.parent_path().c_str(), &startup, &process);
  return process;
}

double Finish(PROCESS_INFORMATION process, double start) {
  WaitForSingleObject(process.hProcess, INFINITE);
  const double took = Seconds() - start;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return took;
}

struct TFind {
  DWORD Pid;
  HWND Window;
};

// The dialog's window, once the program shows it.
HWND WaitForDialog(DWORD pid) {
  for (int tries = 0; tries < 3000; ++tries) {
    TFind find{pid, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) CALLBACK -> BOOL {
          auto& f = *reinterpret_cast<TFind*>(data);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          wchar_t name[64];
          GetClassNameW(window, name, 64);
          if (owner != f.Pid || std::wstring(name) != KX27_FORM_CLASS || !IsWindowVisible(window))
            return TRUE;
          f.Window = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    if (find.Window) return find.Window;
    Sleep(10);
  }
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: time_dialog FOLDER\n", stderr);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const auto fresh_drawing = [&] {
    CopyFileW((folder / "drawing.txt").c_str(), (folder / "JWC_TEMP.TXT").c_str(), FALSE);
  };
  double console = 1e9, dialog = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    fresh_drawing();
    const double start = Seconds();
    console = std::min(console, Finish(Start(folder / "kx27c.exe", L"-q"), start));
  }
  for (int run = 0; run < kRuns; ++run) {
    fresh_drawing();
    const PROCESS_INFORMATION process = Start(folder / "kx27.exe", L"");
    HWND window = WaitForDialog(process.dwProcessId);
    if (window == nullptr) return 1;
    // The drawing is read before the window takes input.
    SendMessageW(window, WM_NULL, 0, 0);
    const double start = Seconds();
    PostMessageW(GetDlgItem(window, IDC_OK), BM_CLICK, 0, 0);
    dialog = std::min(dialog, Finish(process, start));
  }
  std::printf("kx27c.exe %.0f ms, dialog from OK to exit %.0f ms (%.2f x)\n", console * 1000,
              dialog * 1000, dialog / console);
  return 0;
}
