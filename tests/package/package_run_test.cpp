// The unzipped release package run as Jw_cad runs it: the host's files in the
// package's folder (a name with Japanese characters and blanks), then
// "cmd /c" on a BAT there, then the files the host reads back.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <string_view>

#include "app/settings_file.h"
#include "app/win/resource.h"
#include "tests/package/text_file_checks.h"

namespace kx27::testing {
namespace {

namespace fs = std::filesystem;

// レイヤ→線種変換
constexpr std::wstring_view kDialogCaption =
    L"\u30ec\u30a4\u30e4\u2192\u7dda\u7a2e\u5909\u63db";
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kRunTimeoutMs = 60000;

// Lines, circles and arcs on group 0 layer 3 and group 1 layer 2, a text
// beside them, and a line on group 1 layer 4 that no preset touches.
constexpr std::string_view kDrawing =
    "hq\r\n"
    "lg0\r\n"
    "ly3\r\n"
    "lc1\r\n"
    "lt1\r\n"
    "0 0 100 0\r\n"
    "ci 50 50 25\r\n"
    "ci 0 0 10 0 90 1 0\r\n"
    "lg1\r\n"
    "ly2\r\n"
    "lc3\r\n"
    "lt2\r\n"
    "10 10 20 20\r\n"
    "ch 0 0 1 0 \"\x95\xb6\x8e\x9a\r\n"  // 文字
    "ly4\r\n"
    "0 5 50 5\r\n";

std::wstring Widen(std::string_view utf8) {
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
  return wide;
}

// The build tree's path as Wine's programs see it: drive Z: is the root.
fs::path FromHostPath(std::string_view utf8_path) {
  std::wstring path = L"Z:" + Widen(utf8_path);
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

const fs::path& PackageDir() {
  static const fs::path dir = FromHostPath(KX27_UNPACKED_PACKAGE);
  return dir;
}

fs::path ExchangeFile() { return PackageDir() / L"JWC_TEMP.TXT"; }
fs::path SettingsFile() { return PackageDir() / L"kx27.dat"; }

void WriteBytes(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << file.string();
}

// Preset 1 turns group 0 layer 3 into 5 and group 1 layer 2 into 7; preset 2
// differs, so a run with the wrong preset shows.
std::string SettingsBytes(std::int32_t current_preset) {
  TSettings settings;
  settings.PresetNo = current_preset;
  settings.Presets[0].Values[0 * 16 + 3] = 5;
  settings.Presets[0].Values[1 * 16 + 2] = 7;
  settings.Presets[1].Values[0 * 16 + 3] = 9;
  return RenderSettings(settings);
}

// The folder as Jw_cad leaves it before it runs a BAT.
void LayOutHostFiles(std::int32_t current_preset) {
  std::error_code ignored;
  fs::remove_all(SettingsFile(), ignored);
  WriteBytes(ExchangeFile(), kDrawing);
  WriteBytes(SettingsFile(), SettingsBytes(current_preset));
}

class TProcess {
 public:
  TProcess() = default;
  TProcess(const TProcess&) = delete;
  TProcess& operator=(const TProcess&) = delete;
  ~TProcess() {
    if (info_.hProcess == nullptr) return;
    if (!Ended(0)) {
      TerminateProcess(info_.hProcess, 99);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }

  bool Start(std::wstring command_line, const fs::path& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE,
                          CREATE_NO_WINDOW, nullptr, folder.c_str(), &startup, &info_) != 0;
  }

  bool Ended(DWORD timeout_ms) const {
    return WaitForSingleObject(info_.hProcess, timeout_ms) == WAIT_OBJECT_0;
  }

  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION info_{};
};

// What kx27c in the package makes of the drawing with preset 1.
std::string ConsoleResult() {
  const fs::path scratch = PackageDir().parent_path() / L"console";
  fs::create_directories(scratch);
  WriteBytes(scratch / L"input.txt", kDrawing);
  std::error_code ignored;
  fs::remove(scratch / L"expected.txt", ignored);
  TProcess console;
  const std::wstring command = L"\"" + (PackageDir() / L"kx27c.exe").native() +
                               L"\" -p 1 -o \"" + (scratch / L"expected.txt").native() +
                               L"\" \"" + (scratch / L"input.txt").native() + L"\"";
  EXPECT_TRUE(console.Start(command, scratch));
  EXPECT_TRUE(console.Ended(kRunTimeoutMs));
  EXPECT_EQ(console.ExitCode(), 0u);
  return ReadBytes(scratch / L"expected.txt");
}

struct TDialogQuery {
  fs::path program;
  HWND found = nullptr;
};

bool SameFile(const fs::path& a, const fs::path& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Only a dialog of the package's own kx27.exe counts: other tests may have
// dialogs with the same caption open in the same Wine.
BOOL CALLBACK MatchDialog(HWND window, LPARAM lparam) {
  auto& query = *reinterpret_cast<TDialogQuery*>(lparam);
  wchar_t text[64] = {};
  if (!IsWindowVisible(window) || GetClassNameW(window, text, 64) == 0 ||
      std::wstring_view(text) != KX27_FORM_CLASS) {
    return TRUE;
  }
  if (GetWindowTextW(window, text, 64) == 0 || std::wstring_view(text) != kDialogCaption) {
    return TRUE;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (process == nullptr) return TRUE;
  wchar_t image[MAX_PATH * 2] = {};
  DWORD size = MAX_PATH * 2;
  const bool ours = QueryFullProcessImageNameW(process, 0, image, &size) != 0 &&
                    SameFile(image, query.program);
  CloseHandle(process);
  if (!ours) return TRUE;
  query.found = window;
  return FALSE;
}

HWND FindDialog() {
  TDialogQuery query{PackageDir() / L"kx27.exe"};
  EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

// The package's dialog once it is shown, or null when the BAT ended first or
// nothing came in time.
HWND WaitForDialog(const TProcess& cmd) {
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += 50) {
    if (HWND dialog = FindDialog()) return dialog;
    if (cmd.Ended(50)) break;
  }
  return nullptr;
}

// A dialog that a failed case left open would answer for the next case.
void EndLeftoverDialog() {
  const HWND dialog = FindDialog();
  if (dialog == nullptr) return;
  DWORD pid = 0;
  GetWindowThreadProcessId(dialog, &pid);
  if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
    TerminateProcess(process, 99);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
}

struct TDialogCase {
  const char* name;
  int button;
  bool converts;
};

void PrintTo(const TDialogCase& test, std::ostream* out) { *out << test.name; }

class DialogBatTest : public ::testing::TestWithParam<TDialogCase> {
 protected:
  void SetUp() override { EndLeftoverDialog(); }
  void TearDown() override { EndLeftoverDialog(); }
};

TEST_P(DialogBatTest, CmdWaitsForTheDialogAndTheFileHoldsItsAnswer) {
  LayOutHostFiles(1);
  const std::string converted = ConsoleResult();

  TProcess cmd;
  ASSERT_TRUE(cmd.Start(L"cmd.exe /c kx27.bat", PackageDir()));
  const HWND dialog = WaitForDialog(cmd);
  ASSERT_NE(dialog, nullptr) << "no dialog; cmd ended with " << cmd.ExitCode();
  DWORD dialog_pid = 0;
  GetWindowThreadProcessId(dialog, &dialog_pid);
  HANDLE dialog_process = OpenProcess(SYNCHRONIZE, FALSE, dialog_pid);
  ASSERT_NE(dialog_process, nullptr);

  // Jw_cad reads the file back when cmd ends: not while the dialog is open.
  EXPECT_FALSE(cmd.Ended(1000)) << "cmd did not wait for the dialog";
  EXPECT_EQ(ReadBytes(ExchangeFile()), kDrawing);

  PostMessageW(GetDlgItem(dialog, GetParam().button), BM_CLICK, 0, 0);
  ASSERT_TRUE(cmd.Ended(kRunTimeoutMs));
  const std::string returned = ReadBytes(ExchangeFile());
  EXPECT_EQ(WaitForSingleObject(dialog_process, 0), WAIT_OBJECT_0)
      << "cmd ended before the dialog";
  CloseHandle(dialog_process);

  if (GetParam().converts) {
    EXPECT_TRUE(returned.starts_with("hd\r\n"));
    EXPECT_EQ(returned, converted);
  } else {
    EXPECT_EQ(returned, "hq\r\n");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, DialogBatTest,
    ::testing::Values(TDialogCase{"Ok", IDC_BUTTON1, true},
                      TDialogCase{"Cancel", IDC_BUTTON2, false}),
    [](const ::testing::TestParamInfo<TDialogCase>& test) { return test.param.name; });

TEST(ConsoleResultTest, ConvertsByPresetOne) {
  LayOutHostFiles(2);
  const std::string converted = ConsoleResult();
  EXPECT_TRUE(converted.starts_with("hd\r\n")) << converted;
  EXPECT_NE(converted.find("lt5\r\n"), std::string::npos) << converted;
  EXPECT_NE(converted.find("lt7\r\n"), std::string::npos) << converted;
  EXPECT_EQ(converted.find("lt9\r\n"), std::string::npos) << converted;
}

TEST(PresetBatTest, ConvertsByPresetOneWhateverTheDialogLastUsed) {
  LayOutHostFiles(2);
  const std::string converted = ConsoleResult();

  TProcess cmd;
  ASSERT_TRUE(cmd.Start(L"cmd.exe /c kx27_preset1.bat", PackageDir()));
  ASSERT_TRUE(cmd.Ended(kRunTimeoutMs));
  EXPECT_EQ(ReadBytes(ExchangeFile()), converted);
  EXPECT_EQ(ReadBytes(SettingsFile()), SettingsBytes(2)) << "the settings are only read";
}

TEST(PresetBatTest, LeavesTheDrawingAsItWasWhenTheSettingsCannotBeRead) {
  LayOutHostFiles(1);
  fs::remove(SettingsFile());
  fs::create_directory(SettingsFile());

  TProcess cmd;
  ASSERT_TRUE(cmd.Start(L"cmd.exe /c kx27_preset1.bat", PackageDir()));
  ASSERT_TRUE(cmd.Ended(kRunTimeoutMs));
  EXPECT_EQ(ReadBytes(ExchangeFile()), kDrawing);
}

}  // namespace
}  // namespace kx27::testing
