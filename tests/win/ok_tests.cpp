// OK: the settings are saved and the drawing comes back with the line types
// of the current preset.

#include <gtest/gtest.h>

#include "app/win/resource.h"
#include "tests/win/case_name.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/sample_drawing.h"
#include "tests/win/test_folder.h"

namespace kx27::test {
namespace {

struct DimensionCase {
  const char* name;
  bool saved_checked;
  bool click_check_box;
  std::string_view expected_drawing;
  friend std::ostream& operator<<(std::ostream& os, const DimensionCase& c) {
    return os << c.name;
  }
};

const DimensionCase kDimensionCases[] = {
    {"OffStaysOff", false, false, kConverted},
    {"OnStaysOn", true, false, kConvertedWithDimension},
    {"OffTurnedOn", false, true, kConvertedWithDimension},
    {"OnTurnedOff", true, true, kConverted},
};

class OkWithDimensionSwitch : public ::testing::TestWithParam<DimensionCase> {};

TEST_P(OkWithDimensionSwitch, ConvertsAndSavesTheSwitch) {
  const DimensionCase& c = GetParam();
  TestFolder folder;
  folder.Write(L"JWC_TEMP.TXT", kDrawing);
  SettingsText settings = BaseSettings();
  settings.Dimensions = c.saved_checked;
  folder.Write(L"kx27.dat", settings.Render());

  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  EXPECT_EQ(SendMessageW(dialog.Control(IDC_CHECKBOX1), BM_GETCHECK, 0, 0) == BST_CHECKED,
            c.saved_checked);
  if (c.click_check_box) dialog.ClickAndWait(IDC_CHECKBOX1);
  dialog.Click(IDC_BUTTON1);
  ASSERT_TRUE(dialog.WaitForExit());

  EXPECT_EQ(dialog.ExitCode(), 0u);
  EXPECT_EQ(folder.Read(L"JWC_TEMP.TXT"), std::string(c.expected_drawing));
  settings.Dimensions = c.saved_checked != c.click_check_box;
  EXPECT_EQ(folder.Read(L"kx27.dat"), settings.Render());
}

INSTANTIATE_TEST_SUITE_P(Dialog, OkWithDimensionSwitch,
                         ::testing::ValuesIn(kDimensionCases), CaseName());

// The default button and its mnemonic do what a click does.
struct OkKeyCase {
  const char* name;
  UINT key;
  bool alt;
  friend std::ostream& operator<<(std::ostream& os, const OkKeyCase& c) {
    return os << c.name;
  }
};

const OkKeyCase kOkKeys[] = {
    {"Enter", VK_RETURN, false},
    {"AltY", 'Y', true},
};

class OkByKey : public ::testing::TestWithParam<OkKeyCase> {};

TEST_P(OkByKey, Converts) {
  TestFolder folder;
  folder.Write(L"JWC_TEMP.TXT", kDrawing);
  const std::string settings = BaseSettings().Render();
  folder.Write(L"kx27.dat", settings);

  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  dialog.PressKey(GetParam().key, GetParam().alt);
  ASSERT_TRUE(dialog.WaitForExit());

  EXPECT_EQ(folder.Read(L"JWC_TEMP.TXT"), std::string(kConverted));
  EXPECT_EQ(folder.Read(L"kx27.dat"), settings);
}

INSTANTIATE_TEST_SUITE_P(Dialog, OkByKey,
                         ::testing::ValuesIn(kOkKeys), CaseName());

TEST(OkFirstRun, WithoutExchangeFileWritesHdAndDefaultSettings) {
  TestFolder folder;

  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  const RECT window = dialog.WindowRect();
  EXPECT_EQ(window.left, 0);
  EXPECT_EQ(window.top, 0);
  EXPECT_EQ(dialog.SelectedTab(), 0);
  EXPECT_EQ(dialog.CellText(1, 1), L"0");
  EXPECT_EQ(dialog.CellText(6, 5), L"0");
  dialog.Click(IDC_BUTTON1);
  ASSERT_TRUE(dialog.WaitForExit());

  EXPECT_EQ(folder.Read(L"JWC_TEMP.TXT"), std::string("hd\r\nlg0\r\nly0\r\n"));
  EXPECT_EQ(folder.Read(L"kx27.dat"), SettingsText{}.Render());
}

// Typed cells go through the line-type filter when the tab is left and when
// OK stores the shown preset; OK makes the shown tab the current preset.
TEST(OkAfterEdits, StoresTypedCellsThroughTheFilter) {
  TestFolder folder;
  folder.Write(L"JWC_TEMP.TXT", kDrawing);
  folder.Write(L"kx27.dat", BaseSettings().Render());

  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  EXPECT_EQ(dialog.Text(dialog.Control(IDC_EDIT1)), L"外壁");
  dialog.TypeIntoCell(4, 1, L"10");   // group 0 layer 3: not a line type
  dialog.TypeIntoCell(2, 1, L"4");    // group 0 layer 1
  EXPECT_EQ(dialog.CellText(4, 1), L"10");

  ASSERT_TRUE(dialog.SelectTab(1));
  EXPECT_EQ(dialog.Text(dialog.Control(IDC_EDIT1)), L"既存の設定");
  dialog.TypeIntoCell(3, 2, L"62");   // group 1 layer 2
  dialog.TypeIntoCell(1, 1, L"25");   // group 0 layer 0: not a line type

  ASSERT_TRUE(dialog.SelectTab(0));
  EXPECT_EQ(dialog.CellText(4, 1), L"0");
  EXPECT_EQ(dialog.CellText(2, 1), L"4");
  ASSERT_TRUE(dialog.SelectTab(19));  // out of view: reached with the arrow keys
  EXPECT_EQ(dialog.Text(dialog.Control(IDC_EDIT1)), L"");
  ASSERT_TRUE(dialog.SelectTab(1));
  EXPECT_EQ(dialog.CellText(1, 1), L"0");
  EXPECT_EQ(dialog.CellText(3, 2), L"62");
  dialog.Click(IDC_BUTTON1);
  ASSERT_TRUE(dialog.WaitForExit());

  EXPECT_EQ(folder.Read(L"JWC_TEMP.TXT"), std::string(kOnlyGroup1Layer2To62));
  SettingsText expected = BaseSettings();
  expected.PresetNo = 2;
  expected.Value(1, 0, 3) = 0;
  expected.Value(1, 0, 1) = 4;
  expected.Value(2, 1, 2) = 62;
  EXPECT_EQ(folder.Read(L"kx27.dat"), expected.Render());
}

TEST(OkInJapaneseFolder, ReadsAndWritesBesideTheProgram) {
  TestFolder folder(L"図面 테스트 ✓");
  folder.Write(L"JWC_TEMP.TXT", kDrawing);
  const std::string settings = BaseSettings().Render();
  folder.Write(L"kx27.dat", settings);

  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  dialog.Click(IDC_BUTTON1);
  ASSERT_TRUE(dialog.WaitForExit());

  EXPECT_EQ(folder.Read(L"JWC_TEMP.TXT"), std::string(kConverted));
  EXPECT_EQ(folder.Read(L"kx27.dat"), settings);
}

}  // namespace
}  // namespace kx27::test
