// The JWF import fills grid rows from an environment file chosen in the open
// dialog; a file of another kind only gets a message.

#include <gtest/gtest.h>

#include "app/win/resource.h"
#include "tests/win/case_name.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/sample_drawing.h"
#include "tests/win/test_folder.h"

namespace kx27::test {
namespace {

constexpr std::wstring_view kOpenCaption = L"環境設定ファイル（JWF）を読込む";

// Group 0: layer 3 gets 10, which is no line type; group 1: layer 2 gets 62.
constexpr std::string_view kEnvironment =
    "[\x8a\xc2\x8b\xab]\r\n"  // [環境]
    "LAYNMS_0 = A\r\n"
    "LAYTYP_0=0,0,0,10\r\n"
    "  laytyp_1 = 0 0 62\r\n"
    "; LAYTYP_2 = 9\r\n";

std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

// Presses the import button and picks the file in the open dialog.
void Import(const RunningDialog& dialog, const std::filesystem::path& file) {
  dialog.Click(IDC_BUTTON4);
  HWND open = dialog.WaitForBox(kOpenCaption);
  ASSERT_NE(open, nullptr) << "no open dialog";
  ASSERT_TRUE(ChooseFileInOpenDialog(open, file));
  ASSERT_TRUE(dialog.WaitUntilGone(open)) << "the open dialog did not take the file";
}

struct ImportCase {
  const char* name;
  const wchar_t* file_name;
  bool accepted;
  bool press_ok;
  friend std::ostream& operator<<(std::ostream& os, const ImportCase& c) {
    return os << c.name;
  }
};

const ImportCase kImportCases[] = {
    {"ThenOk", L"Layers.JwF", true, true},
    {"ThenCancel", L"layers.jwf", true, false},
    {"WrongExtension", L"layers.txt", false, true},
};

class JwfImport : public ::testing::TestWithParam<ImportCase> {};

TEST_P(JwfImport, FillsRowsOnlyFromAnEnvironmentFile) {
  const ImportCase& c = GetParam();
  TestFolder folder;
  folder.Write(L"JWC_TEMP.TXT", kDrawing);
  const std::string settings = BaseSettings().Render();
  folder.Write(L"kx27.dat", settings);
  std::filesystem::create_directory(folder.Dir() / L"env");
  const std::filesystem::path file = folder.Dir() / L"env" / c.file_name;
  WriteBytes(file, kEnvironment);

  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  ASSERT_NO_FATAL_FAILURE(Import(dialog, file));
  if (!c.accepted) {
    HWND message = dialog.WaitForBox(L"kx27_レイヤ→線種変換");
    ASSERT_NE(message, nullptr) << "no message for a file that is not .jwf";
    EXPECT_EQ(BoxMessage(message), L"環境設定ファイル(JWF)を指定して下さい。");
    AnswerBox(message, IDOK);
    ASSERT_TRUE(dialog.WaitUntilGone(message));
  }
  dialog.Sync();
  // The grid shows what was read, unfiltered, and keeps rows the file lacks.
  EXPECT_EQ(dialog.CellText(4, 1), c.accepted ? L"10" : L"5");
  EXPECT_EQ(dialog.CellText(3, 2), c.accepted ? L"62" : L"7");
  EXPECT_EQ(dialog.CellText(1, 3), L"3");

  dialog.Click(c.press_ok ? IDC_BUTTON1 : IDC_BUTTON2);
  ASSERT_TRUE(dialog.WaitForExit());
  if (!c.press_ok) {
    EXPECT_EQ(folder.Read(L"JWC_TEMP.TXT"), std::string(kHq));
    EXPECT_EQ(folder.Read(L"kx27.dat"), settings);
    return;
  }
  SettingsText expected = BaseSettings();
  expected.JwfFolder = Narrow(file.parent_path().native()) + "\\";
  if (c.accepted) {
    expected.Value(1, 0, 3) = 0;
    expected.Value(1, 1, 2) = 62;
  }
  EXPECT_EQ(folder.Read(L"JWC_TEMP.TXT"),
            std::string(c.accepted ? kOnlyGroup1Layer2To62 : kConverted));
  EXPECT_EQ(folder.Read(L"kx27.dat"), expected.Render());
}

INSTANTIATE_TEST_SUITE_P(Dialog, JwfImport,
                         ::testing::ValuesIn(kImportCases), CaseName());

}  // namespace
}  // namespace kx27::test
