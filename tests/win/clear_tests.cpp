// The clear button asks first; only Yes empties the shown preset, and only
// OK keeps the result.

#include <gtest/gtest.h>

#include "app/win/resource.h"
#include "tests/win/case_name.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/sample_drawing.h"
#include "tests/win/test_folder.h"

namespace kx27::test {
namespace {

constexpr std::wstring_view kQuestion =
    L"この設定画面のレイヤ設定をクリアします。よろしいですか？\r\n"
    L"（※画面切替／[OK]をせず[キャンセル]をした場合は保存されません）";

struct ClearCase {
  const char* name;
  int answer;
  bool cleared;
  std::string_view expected_drawing;
  friend std::ostream& operator<<(std::ostream& os, const ClearCase& c) {
    return os << c.name;
  }
};

const ClearCase kClearCases[] = {
    {"Yes", IDYES, true, kUnchanged},
    {"No", IDNO, false, kConverted},
};

class ClearThenOk : public ::testing::TestWithParam<ClearCase> {};

TEST_P(ClearThenOk, SavesWhatTheAnswerLeft) {
  const ClearCase& c = GetParam();
  TestFolder folder;
  folder.Write(L"JWC_TEMP.TXT", kDrawing);
  folder.Write(L"kx27.dat", BaseSettings().Render());

  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  dialog.Click(IDC_BUTTON3);
  HWND box = dialog.WaitForBox(L"確認");
  ASSERT_NE(box, nullptr) << "no confirmation";
  EXPECT_EQ(BoxMessage(box), kQuestion);
  AnswerBox(box, c.answer);
  ASSERT_TRUE(dialog.WaitUntilGone(box));
  dialog.Sync();

  EXPECT_EQ(dialog.Text(dialog.Control(IDC_EDIT1)), c.cleared ? L"" : L"外壁");
  EXPECT_EQ(dialog.CellText(4, 1), c.cleared ? L"0" : L"5");
  dialog.Click(IDC_BUTTON1);
  ASSERT_TRUE(dialog.WaitForExit());

  EXPECT_EQ(folder.Read(L"JWC_TEMP.TXT"), std::string(c.expected_drawing));
  SettingsText expected = BaseSettings();
  if (c.cleared) {
    expected.Comments[0].clear();
    expected.Values[0].fill(0);
  }
  EXPECT_EQ(folder.Read(L"kx27.dat"), expected.Render());
}

INSTANTIATE_TEST_SUITE_P(Dialog, ClearThenOk,
                         ::testing::ValuesIn(kClearCases), CaseName());

}  // namespace
}  // namespace kx27::test
