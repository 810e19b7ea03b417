// Every way of leaving the dialog without OK must hand the drawing back
// untouched ("hq") and leave the settings file as it was, even after edits.

#include <gtest/gtest.h>

#include "app/win/resource.h"
#include "tests/win/case_name.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/sample_drawing.h"
#include "tests/win/test_folder.h"

namespace kx27::test {
namespace {

struct CloseCase {
  const char* name;
  void (*close)(const RunningDialog&);
  friend std::ostream& operator<<(std::ostream& os, const CloseCase& c) {
    return os << c.name;
  }
};

const CloseCase kCloseCases[] = {
    {"CancelButton", [](const RunningDialog& d) { d.Click(IDC_BUTTON2); }},
    {"EscapeKey", [](const RunningDialog& d) { d.PressKey(VK_ESCAPE); }},
    {"CloseBox", [](const RunningDialog& d) { d.Post(WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"AltF4", [](const RunningDialog& d) { d.PressKey(VK_F4, true); }},
    {"WmClose", [](const RunningDialog& d) { d.Post(WM_CLOSE, 0, 0); }},
};

class CloseWithoutOk : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseWithoutOk, ReturnsHqAndKeepsSettings) {
  TestFolder folder;
  folder.Write(L"JWC_TEMP.TXT", kDrawing);
  const std::string settings = BaseSettings().Render();
  folder.Write(L"kx27.dat", settings);

  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  // Edits of the grid, the comment, the tabs and the check box are all lost.
  dialog.TypeIntoCell(4, 1, L"9");
  ASSERT_TRUE(dialog.SelectTab(2));
  dialog.ClickAndWait(IDC_CHECKBOX1);
  GetParam().close(dialog);
  ASSERT_TRUE(dialog.WaitForExit()) << "the dialog did not close";

  EXPECT_EQ(dialog.ExitCode(), 0u);
  EXPECT_EQ(folder.Read(L"JWC_TEMP.TXT"), std::string(kHq));
  EXPECT_EQ(folder.Read(L"kx27.dat"), settings);
}

INSTANTIATE_TEST_SUITE_P(Dialog, CloseWithoutOk,
                         ::testing::ValuesIn(kCloseCases), CaseName());

TEST(CloseWithoutOkFirstRun, WritesNoSettingsFile) {
  TestFolder folder;
  folder.Write(L"JWC_TEMP.TXT", kDrawing);

  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  dialog.Click(IDC_BUTTON2);
  ASSERT_TRUE(dialog.WaitForExit());

  EXPECT_EQ(folder.Read(L"JWC_TEMP.TXT"), std::string(kHq));
  EXPECT_FALSE(folder.Read(L"kx27.dat").has_value());
}

}  // namespace
}  // namespace kx27::test
