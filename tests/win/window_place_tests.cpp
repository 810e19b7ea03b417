// The dialog opens where it was left, but never where no screen shows it.

#include <gtest/gtest.h>

#include "app/win/resource.h"
#include "tests/win/case_name.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/sample_drawing.h"
#include "tests/win/test_folder.h"

namespace kx27::test {
namespace {

struct PlaceCase {
  const char* name;
  int left;
  int top;
  bool kept;  // opens exactly there
  friend std::ostream& operator<<(std::ostream& os, const PlaceCase& c) {
    return os << c.name;
  }
};

const PlaceCase kPlaceCases[] = {
    {"Stored", 150, 100, true},
    {"FarOffScreen", -30000, -30000, false},
    {"BeyondRightEdge", 5000, 200, false},
};

class WindowPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(WindowPlace, OpensOnScreenAndSavesWhereItWas) {
  const PlaceCase& c = GetParam();
  TestFolder folder;
  folder.Write(L"JWC_TEMP.TXT", kDrawing);
  SettingsText settings = BaseSettings();
  settings.Left = c.left;
  settings.Top = c.top;
  folder.Write(L"kx27.dat", settings.Render());

  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  const RECT window = dialog.WindowRect();
  if (c.kept) {
    EXPECT_EQ(window.left, c.left);
    EXPECT_EQ(window.top, c.top);
  }
  // The caption bar, by which the user moves the window, lies on a screen.
  EXPECT_NE(MonitorFromPoint(POINT{window.left + 10, window.top + 5}, MONITOR_DEFAULTTONULL),
            nullptr);
  EXPECT_NE(MonitorFromPoint(POINT{window.right - 10, window.top + 5}, MONITOR_DEFAULTTONULL),
            nullptr);
  dialog.Click(IDC_BUTTON1);
  ASSERT_TRUE(dialog.WaitForExit());

  settings.Left = window.left;
  settings.Top = window.top;
  EXPECT_EQ(folder.Read(L"kx27.dat"), settings.Render());
  EXPECT_EQ(folder.Read(L"JWC_TEMP.TXT"), std::string(kConverted));
}

INSTANTIATE_TEST_SUITE_P(Dialog, WindowPlace,
                         ::testing::ValuesIn(kPlaceCases), CaseName());

}  // namespace
}  // namespace kx27::test
