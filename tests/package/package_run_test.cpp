// The unzipped release package run as Jw_cad runs it: the host's files in the
// package's folder (a name with Japanese characters and blanks), then
// "cmd /c" on a BAT there, then the files the host reads back.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/presets/settings_file.h"
#include "app/win/resource.h"
#include "tests/win/sample_drawing.h"

namespace kx27::testing {
namespace {

namespace fs = std::filesystem;
using test::kConverted;
using test::kDrawing;

constexpr DWORD kRunTimeoutMs = 60000;

// The build tree as Wine's programs see it: drive Z: is the root.
const fs::path kPackage = fs::path(u8"Z:" KX27_UNPACKED_PACKAGE).make_preferred();
const fs::path kExchangeFile = kPackage / L"JWC_TEMP.TXT";
const fs::path kSettingsFile = kPackage / L"kx27.dat";

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
  EXPECT_TRUE((std::ofstream(file, std::ios::binary) << bytes).good()) << file.string();
}

// Preset 1 converts the drawing to kConverted; preset 2 differs, so a run
// with the wrong preset shows.
std::string SettingsBytes(std::int32_t current_preset) {
  TSettings settings;
  settings.PresetNo = current_preset;
  settings.Presets[0].Values[0 * 16 + 3] = 5;
  settings.Presets[0].Values[1 * 16 + 2] = 7;
  settings.Presets[0].Values[2 * 16 + 0] = 3;
  settings.Presets[1].Values[0 * 16 + 3] = 9;
  return RenderSettings(settings);
}

// The folder as Jw_cad leaves it before it runs a BAT.
void LayOutHostFiles(std::int32_t current_preset) {
  std::error_code ignored;
  fs::remove_all(kSettingsFile, ignored);
  WriteBytes(kExchangeFile, kDrawing);
  WriteBytes(kSettingsFile, SettingsBytes(current_preset));
}

// A program started in the package's folder; ended with the test at the latest.
struct TEndProcess {
  void operator()(HANDLE process) const {
    TerminateProcess(process, 99);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
};
using TProcess = std::unique_ptr<void, TEndProcess>;

TProcess Start(std::wstring command_line) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                      nullptr, kPackage.c_str(), &startup, &info)) {
    return nullptr;
  }
  CloseHandle(info.hThread);
  return TProcess(info.hProcess);
}

bool Ended(const TProcess& process, DWORD timeout_ms) {
  return process && WaitForSingleObject(process.get(), timeout_ms) == WAIT_OBJECT_0;
}

// The program's exit code once it ended in time, or nothing.
std::optional<DWORD> RunToEnd(std::wstring command_line) {
  const TProcess process = Start(std::move(command_line));
  DWORD code = 0;
  if (!Ended(process, kRunTimeoutMs) || !GetExitCodeProcess(process.get(), &code)) return {};
  return code;
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

// The package's dialog once it shows, or null when cmd ended first or nothing
// came in time. Other tests may have dialogs with the same class and caption
// open in the same Wine.
HWND WaitForDialog(const TProcess& cmd, int tries = 600) {
  const fs::path program = kPackage / L"kx27.exe";
  for (; tries > 0 && !Ended(cmd, 50); --tries) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, KX27_FORM_CLASS, L"レイヤ→線種変換"))) {
      HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOf(window));
      wchar_t image[MAX_PATH * 2] = {};
      DWORD size = MAX_PATH * 2;
      const bool ours = process != nullptr &&
                        QueryFullProcessImageNameW(process, 0, image, &size) &&
                        CompareStringOrdinal(image, -1, program.c_str(), -1, TRUE) == CSTR_EQUAL;
      if (process != nullptr) CloseHandle(process);
      if (ours && IsWindowVisible(window)) return window;
    }
  }
  return nullptr;
}

struct TDialogCase {
  const char* name;
  int button;
  std::string_view returned;
};
void PrintTo(const TDialogCase& test, std::ostream* out) { *out << test.name; }

// A dialog that a failed case left open would answer for the next case.
void EndLeftoverDialog() {
  const TProcess none;
  if (const HWND dialog = WaitForDialog(none, 1)) {
    TEndProcess()(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOf(dialog)));
  }
}

class DialogBatTest : public ::testing::TestWithParam<TDialogCase> {
 protected:
  void SetUp() override { EndLeftoverDialog(); }
  void TearDown() override { EndLeftoverDialog(); }
};

TEST_P(DialogBatTest, CmdWaitsForTheDialogAndTheFileHoldsItsAnswer) {
  LayOutHostFiles(1);
  const TProcess cmd = Start(L"cmd.exe /c kx27.bat");
  const HWND dialog = WaitForDialog(cmd);
  ASSERT_NE(dialog, nullptr) << "no dialog";
  const TProcess kx27(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, ProcessOf(dialog)));
  ASSERT_NE(kx27, nullptr);

  // Jw_cad reads the file back when cmd ends: not while the dialog is open.
  EXPECT_FALSE(Ended(cmd, 1000)) << "cmd did not wait for the dialog";
  EXPECT_EQ(ReadBytes(kExchangeFile), kDrawing);

  PostMessageW(GetDlgItem(dialog, GetParam().button), BM_CLICK, 0, 0);
  ASSERT_TRUE(Ended(cmd, kRunTimeoutMs));
  EXPECT_EQ(ReadBytes(kExchangeFile), GetParam().returned);
  EXPECT_TRUE(Ended(kx27, 0)) << "cmd ended before the dialog";
}

INSTANTIATE_TEST_SUITE_P(Buttons, DialogBatTest,
                         ::testing::Values(TDialogCase{"Ok", IDC_OK, kConverted},
                                           TDialogCase{"Cancel", IDC_CANCEL, test::kHq}),
                         [](const ::testing::TestParamInfo<TDialogCase>& test) {
                           return test.param.name;
                         });

TEST(PresetBatTest, ConvertsAsKx27cDoesByPresetOneWhateverTheDialogLastUsed) {
  LayOutHostFiles(2);
  const fs::path console = kPackage.parent_path() / L"console.txt";
  std::error_code ignored;
  fs::remove(console, ignored);
  EXPECT_EQ(RunToEnd(L"\"" + (kPackage / L"kx27c.exe").native() + L"\" -p 1 -o \"" +
                     console.native() + L"\" JWC_TEMP.TXT"),
            0u);
  EXPECT_EQ(ReadBytes(console), kConverted);

  ASSERT_TRUE(RunToEnd(L"cmd.exe /c kx27_preset1.bat").has_value());
  EXPECT_EQ(ReadBytes(kExchangeFile), ReadBytes(console));
  EXPECT_EQ(ReadBytes(kSettingsFile), SettingsBytes(2)) << "the settings are only read";
}

TEST(PresetBatTest, LeavesTheDrawingAsItWasWhenTheSettingsCannotBeRead) {
  LayOutHostFiles(1);
  fs::remove(kSettingsFile);
  fs::create_directory(kSettingsFile);

  ASSERT_TRUE(RunToEnd(L"cmd.exe /c kx27_preset1.bat").has_value());
  EXPECT_EQ(ReadBytes(kExchangeFile), kDrawing);
}

}  // namespace
}  // namespace kx27::testing
