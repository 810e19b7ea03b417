// OK when a file cannot take what it writes: the user reads what did not
// happen and why before the dialog closes, the exchange file stays as the
// host wrote it (its "hq" leaves the drawing), and nothing is half written.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/win/resource.h"
#include "tests/win/dialog_cases.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/sample_drawing.h"
#include "tests/win/screenshot.h"
#include "tests/win/test_folder.h"

namespace kx27::test {
namespace {

// Found by argument lookup for the cases of this file.
using test::operator<<;

constexpr wchar_t kTitle[] = L"kx27_レイヤ→線種変換";

// Another program holding the file open, as an antivirus scan or an editor
// does: no one may replace or delete it meanwhile.
class HeldOpen {
 public:
  explicit HeldOpen(const std::filesystem::path& file)
      : handle_(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldOpen() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

void MakeReadOnly(const std::filesystem::path& file) {
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
}

// Clicks OK and returns the text of the box it opens, after a picture of it.
std::wstring OkMessage(RunningDialog& dialog, const std::wstring& picture, int answer) {
  dialog.Click(IDC_OK);
  HWND box = dialog.WaitForBox(kTitle);
  if (!box) return L"(no message)";
  const std::wstring text = BoxMessage(box);
  SaveWindowBitmap(box, picture);
  AnswerBox(box, answer);
  return text;
}

struct AnswerFailureCase {
  const char* name;
  void (*prepare)(const TestFolder& folder, std::vector<HeldOpen>& held);
  const wchar_t* reason;
};

const AnswerFailureCase kAnswerFailures[] = {
    {"ReadOnlyExchangeFile",
     [](const TestFolder& folder, std::vector<HeldOpen>&) {
       MakeReadOnly(folder.Dir() / kExchange);
     },
     L"読み取り専用"},
    {"ExchangeFileHeldOpen",
     [](const TestFolder& folder, std::vector<HeldOpen>& held) {
       held.emplace_back(folder.Dir() / kExchange);
     },
     L"使用中"},
    {"AnotherRunConverting",
     [](const TestFolder& folder, std::vector<HeldOpen>& held) {
       // The lock a conversion of this tool holds while it writes the file.
       held.emplace_back(folder.Dir() / L"JWC_TEMP.TXT.lock");
     },
     L"別の変換"},
};

class OkAnswerFailure : public ::testing::TestWithParam<AnswerFailureCase> {};

TEST_P(OkAnswerFailure, SaysWhyAndLeavesTheHostsFile) {
  const AnswerFailureCase& c = GetParam();
  TestFolder folder;
  folder.Write(kExchange, kDrawing);
  folder.Write(kSettings, BaseSettings().Render());
  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  std::vector<HeldOpen> held;
  held.reserve(1);
  c.prepare(folder, held);
  for (const HeldOpen& h : held) ASSERT_TRUE(h.Held());

  const std::wstring message = OkMessage(
      dialog,
      std::wstring(L"ok_fails_") + std::wstring(c.name, c.name + std::strlen(c.name)) + L".bmp",
      IDOK);
  EXPECT_NE(message.find(L"線種を変換できませんでした。図面は変更しません。"), std::wstring::npos)
      << message.c_str();
  EXPECT_NE(message.find(c.reason), std::wstring::npos) << message.c_str();
  ASSERT_TRUE(dialog.WaitForExit());
  held.clear();
  SetFileAttributesW((folder.Dir() / kExchange).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(folder.Read(kExchange), kDrawing);
}

INSTANTIATE_TEST_SUITE_P(Dialog, OkAnswerFailure, ::testing::ValuesIn(kAnswerFailures), CaseName);

// A settings file that cannot be saved is said first; the user may still
// convert, or go back to the dialog with every edit in place.
struct SettingsFailureCase {
  const char* name;
  bool read_only;  // else held open by another program
  int answer;      // IDYES: convert all the same
  const wchar_t* reason;
};

const SettingsFailureCase kSettingsFailures[] = {
    {"ReadOnlyConvertAnyway", true, IDYES, L"読み取り専用"},
    {"HeldOpenConvertAnyway", false, IDYES, L"使用中"},
    {"ReadOnlyBackToTheDialog", true, IDNO, L"読み取り専用"},
};

class OkSettingsFailure : public ::testing::TestWithParam<SettingsFailureCase> {};

TEST_P(OkSettingsFailure, SaysSoAndLetsTheUserChoose) {
  const SettingsFailureCase& c = GetParam();
  TestFolder folder;
  folder.Write(kExchange, kDrawing);
  const std::string settings = BaseSettings().Render();
  folder.Write(kSettings, settings);
  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  std::vector<HeldOpen> held;
  if (c.read_only) {
    MakeReadOnly(folder.Dir() / kSettings);
  } else {
    held.emplace_back(folder.Dir() / kSettings);
  }

  const std::wstring message = OkMessage(
      dialog,
      std::wstring(L"ok_settings_") + std::wstring(c.name, c.name + std::strlen(c.name)) + L".bmp",
      c.answer);
  EXPECT_NE(message.find(L"設定ファイル「kx27.dat」を保存できませんでした"), std::wstring::npos)
      << message.c_str();
  EXPECT_NE(message.find(c.reason), std::wstring::npos) << message.c_str();
  if (c.answer == IDNO) {
    // Still open, as it was: Cancel then leaves the drawing.
    dialog.Sync();
    ASSERT_TRUE(IsWindowVisible(dialog.Window()));
    dialog.Click(IDC_CANCEL);
  }
  ASSERT_TRUE(dialog.WaitForExit());
  held.clear();
  SetFileAttributesW((folder.Dir() / kSettings).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(folder.Read(kSettings), settings);
  EXPECT_EQ(folder.Read(kExchange), c.answer == IDYES ? kConverted : std::string(kHq));
}

INSTANTIATE_TEST_SUITE_P(Dialog, OkSettingsFailure, ::testing::ValuesIn(kSettingsFailures),
                         CaseName);

// Takes nearly all of the dialog's free address space, as other programs
// and a large drawing together would, so that its answer finds no room.
void LeaveLittleMemory(HANDLE process) {
  std::vector<void*> taken;
  for (SIZE_T size = SIZE_T{1} << 30; size >= (SIZE_T{1} << 20);) {
    void* block = VirtualAllocEx(process, nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
    if (block) {
      taken.push_back(block);
    } else {
      size /= 2;
    }
  }
  // Enough back for windows and message boxes, not for the answer.
  for (int i = 0; i < 16 && !taken.empty(); ++i) {
    VirtualFreeEx(process, taken.back(), 0, MEM_RELEASE);
    taken.pop_back();
  }
}

TEST(OkOutOfMemory, SaysSoAndLeavesTheHostsFile) {
  // A 64-bit program's address space is far too large to fill.
  if (sizeof(void*) > 4) GTEST_SKIP() << "the address space is filled only in 32-bit programs";
  TestFolder folder;
  // About 40 MB of lines: the answer needs as much again in one piece.
  std::string drawing = "hq\r\nlg0\r\nly3\r\n";
  drawing.reserve(45'000'000);
  for (int i = 0; i < 2'500'000; ++i) drawing += "1234.5 -678.25 9012.75 3456.5\r\n";
  folder.Write(kExchange, drawing);
  folder.Write(kSettings, BaseSettings().Render());
  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  LeaveLittleMemory(dialog.Process());

  const std::wstring message = OkMessage(dialog, L"ok_fails_OutOfMemory.bmp", IDOK);
  EXPECT_NE(message.find(L"メモリが足りません"), std::wstring::npos) << message.c_str();
  ASSERT_TRUE(dialog.WaitForExit());
  EXPECT_EQ(folder.Read(kExchange), drawing);
}

}  // namespace
}  // namespace kx27::test
