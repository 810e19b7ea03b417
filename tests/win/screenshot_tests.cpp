// Pictures of the dialog for the test artefacts and the README: the first
// tab, another tab, and the grid after an import.

#include <gtest/gtest.h>

#include "app/win/resource.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/sample_drawing.h"
#include "tests/win/screenshot.h"
#include "tests/win/test_folder.h"

namespace kx27::test {
namespace {

constexpr std::string_view kEnvironment =
    "LAYTYP_0 = 1,2,3,4,5,6,7,8\r\n"
    "LAYTYP_1 = 9,11,12,13,14,15,16,17\r\n"
    "LAYTYP_2 = 31,32,33,34,35,36,37,38\r\n";

TEST(DialogScreenshots, FirstTabOtherTabAndImport) {
  TestFolder folder;
  folder.Write(L"JWC_TEMP.TXT", kDrawing);
  SettingsText settings = BaseSettings();
  settings.Left = 0;
  settings.Top = 0;
  settings.Value(1, 0, 1) = 2;
  settings.Value(1, 3, 4) = 9;
  folder.Write(L"kx27.dat", settings.Render());
  const std::filesystem::path environment = folder.Dir() / L"sample.jwf";
  WriteBytes(environment, kEnvironment);
  std::filesystem::create_directories(ScreenshotFolder());

  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  EXPECT_TRUE(SaveWindowBitmap(dialog.Window(), ScreenshotFolder() / L"dialog_first_tab.bmp"));
  ASSERT_TRUE(dialog.SelectTab(1));
  EXPECT_TRUE(SaveWindowBitmap(dialog.Window(), ScreenshotFolder() / L"dialog_second_tab.bmp"));

  dialog.Click(IDC_BUTTON4);
  HWND open = dialog.WaitForBox(L"環境設定ファイル（JWF）を読込む");
  ASSERT_NE(open, nullptr);
  EXPECT_TRUE(SaveWindowBitmap(open, ScreenshotFolder() / L"dialog_open_jwf.bmp"));
  ASSERT_TRUE(ChooseFileInOpenDialog(open, environment));
  ASSERT_TRUE(dialog.WaitUntilGone(open));
  dialog.Sync();
  EXPECT_TRUE(SaveWindowBitmap(dialog.Window(), ScreenshotFolder() / L"dialog_after_import.bmp"));

  dialog.Click(IDC_BUTTON2);
  ASSERT_TRUE(dialog.WaitForExit());
  EXPECT_EQ(folder.Read(L"JWC_TEMP.TXT"), std::string(kHq));
}

}  // namespace
}  // namespace kx27::test
