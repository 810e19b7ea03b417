// The grid that knows the drawing, driven as the user drives it: names and
// counts from the drawing, errors on the spot, ranges pasted, filled and
// undone, the line-type list, the keyboard and the focus, and the dialog at
// each screen scale. Judged by what the dialog shows and the files it
// leaves.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "app/win/resource.h"
#include "tests/win/dialog_cases.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/sample_drawing.h"
#include "tests/win/screenshot.h"
#include "tests/win/test_folder.h"

namespace kx27::test {
namespace {

std::wstring WindowTextOf(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                      &length);
  return text;
}

bool OpenNamed(const TestFolder& folder, RunningDialog& dialog,
               const SettingsText& settings = BaseSettings()) {
  folder.Write(kExchange, kNamedDrawing);
  folder.Write(kSettings, settings.Render());
  return dialog.Start(folder.Program());
}

TEST(GridKnowsTheDrawing, NamesCountsAndValuesThatAreNoLineType) {
  TestFolder folder;
  RunningDialog dialog;
  ASSERT_TRUE(OpenNamed(folder, dialog));
  // Preset 1 changes the line, circle and arc of group 0 layer 3 and the line
  // of group 1 layer 2; the dimension line only with the box ticked.
  EXPECT_EQ(dialog.Text(IDC_PROGRESS_LABEL), L"変更される要素: 4");
  EXPECT_EQ(dialog.CellText(4, 1), L"5");
  EXPECT_EQ(dialog.Text(IDC_CELLINFO),
            L"グループ 0 建具\u3000レイヤ 3 窓\r\n線種 5 一点鎖1\u3000要素 3（変更 3）");
  EXPECT_EQ(dialog.CellText(3, 2), L"7");
  EXPECT_EQ(dialog.Text(IDC_CELLINFO),
            L"グループ 1\u3000レイヤ 2 外構\r\n線種 7 二点鎖1\u3000要素 1（変更 1）");
  dialog.ClickAndWait(IDC_DIMENSIONS);
  EXPECT_EQ(dialog.Text(IDC_PROGRESS_LABEL), L"変更される要素: 5");

  // The pointer on group 0 layer 3, then on group 1 layer 2: the tip follows.
  const struct {
    int col, row;
    const wchar_t* tip;
  } tips[] = {
      {4, 1,
       L"グループ 0 建具\r\nレイヤ 3 窓\r\n線種 5 一点鎖1\r\n線 1・円 1・弧 1・寸法線 0\r\n"
       L"変更される要素 3"},
      {3, 2,
       L"グループ 1\r\nレイヤ 2 外構\r\n線種 7 二点鎖1\r\n線 1・円 0・弧 0・寸法線 0\r\n"
       L"変更される要素 1"},
  };
  for (const auto& t : tips) {
    const RECT cell = dialog.CellBounds(t.col, t.row);
    dialog.PointAt(IDC_PRESET_GRID, cell.left + 10, cell.top + 10);
    HWND tip = dialog.WaitForWindowOfClass(TOOLTIPS_CLASSW);
    ASSERT_NE(tip, nullptr) << "no tooltip";
    for (int waited = 0; waited < 3000 && WindowTextOf(tip) != t.tip; waited += 100) Sleep(100);
    EXPECT_EQ(WindowTextOf(tip), t.tip);
  }
  SaveWindowBitmap(dialog.Window(), L"dialog_cell_tooltip.bmp");

  dialog.TypeIntoCell(1, 1, L"10");
  EXPECT_EQ(dialog.Text(IDC_PROGRESS_LABEL),
            L"変更される要素: 5\u3000／\u3000線種にない値 1 か所（0 として保存）");
  EXPECT_EQ(
      dialog.Text(IDC_CELLINFO),
      L"グループ 0 建具\u3000レイヤ 0\r\n「10」は線種ではありません（0 として保存）\u3000要素 0");
  SaveWindowBitmap(dialog.Window(), L"dialog_not_a_line_type.bmp");
  dialog.TypeIntoCell(4, 1, L"1");  // group 0 layer 3: only the arc is not of type 1
  EXPECT_EQ(dialog.Text(IDC_PROGRESS_LABEL),
            L"変更される要素: 3\u3000／\u3000線種にない値 1 か所（0 として保存）");

  dialog.Click(IDC_CANCEL);
  ASSERT_TRUE(dialog.WaitForExit());
  EXPECT_EQ(folder.Read(kExchange), kHq);
}

// With the Japanese IME on, digits and blanks come full-width, typed or
// pasted; the grid keeps them as the plain numbers they stand for.
TEST(GridFullWidthInput, TypedAndPastedDigitsAreTakenHalfWidth) {
  TestFolder folder;
  RunningDialog dialog;
  ASSERT_TRUE(OpenNamed(folder, dialog));
  dialog.TypeIntoCell(4, 1, L"\uFF11\uFF12");  // １２
  EXPECT_EQ(dialog.CellText(4, 1), L"12");
  dialog.TypeIntoCell(5, 1, L"\u3000\uFF15\u3000");  // 　５　
  EXPECT_EQ(dialog.CellText(5, 1), L"5");
  ASSERT_TRUE(SetClipboardText(L"\uFF17\t\uFF0B\uFF13\r\n"));  // ７ ＋３
  dialog.CellText(1, 5);
  dialog.PressChord({VK_CONTROL, 'V'});
  EXPECT_EQ(dialog.CellText(1, 5), L"7");
  EXPECT_EQ(dialog.CellText(2, 5), L"+3");
  EXPECT_EQ(dialog.Text(IDC_PROGRESS_LABEL).find(L"線種にない値"), std::wstring::npos);
  dialog.Click(IDC_CANCEL);
  ASSERT_TRUE(dialog.WaitForExit());
}

// A block from a spreadsheet, a range filled and one taken back, a cell
// deleted: OK stores what the grid shows.
TEST(GridRangeEditing, PasteFillUndoAndDeleteThenOk) {
  TestFolder folder;
  RunningDialog dialog;
  ASSERT_TRUE(OpenNamed(folder, dialog));
  ASSERT_TRUE(SetClipboardText(L"1\t2\r\n3\t4\r\n"));
  dialog.CellText(1, 5);  // group 4, layer 0
  dialog.PressChord({VK_CONTROL, 'V'});
  SaveWindowBitmap(dialog.Window(), L"dialog_pasted_block.bmp");
  EXPECT_EQ(dialog.CellText(2, 6), L"4");

  dialog.CellText(3, 3);  // group 2, layers 2 and 3
  dialog.PressChord({VK_SHIFT, VK_RIGHT});
  dialog.PressChord({'9'});
  dialog.PressChord({VK_CONTROL, VK_RETURN});
  EXPECT_EQ(dialog.CellText(4, 3), L"9");
  dialog.CellText(3, 3);
  dialog.PressChord({'8'});
  dialog.PressChord({VK_RETURN});
  EXPECT_EQ(dialog.CellText(3, 3), L"8");
  dialog.PressChord({VK_CONTROL, 'Z'});
  EXPECT_EQ(dialog.CellText(3, 3), L"9");

  dialog.CellText(2, 5);
  dialog.PressChord({VK_DELETE});
  EXPECT_EQ(dialog.CellText(2, 5), L"0");
  dialog.Click(IDC_OK);
  ASSERT_TRUE(dialog.WaitForExit());

  EXPECT_EQ(folder.Read(kExchange), kConverted);
  SettingsText expected = BaseSettings();
  expected.Left = 120;
  expected.Top = 90;
  expected.Value(1, 4, 0) = 1;
  expected.Value(1, 5, 0) = 3;
  expected.Value(1, 5, 1) = 4;
  expected.Value(1, 2, 2) = 9;
  expected.Value(1, 2, 3) = 9;
  EXPECT_EQ(folder.Read(kSettings), expected.Render());
}

// F4 opens the list on the cell; a key moves to the next line type and
// Enter takes it. The cell's small button opens it too, and Esc closes it
// leaving the cell.
TEST(GridLineTypeList, ChoosesByKeyboardAndClosesWithEscape) {
  TestFolder folder;
  RunningDialog dialog;
  ASSERT_TRUE(OpenNamed(folder, dialog));
  EXPECT_EQ(dialog.CellText(4, 1), L"5");
  dialog.PressKey(VK_F4);
  HWND list = dialog.WaitForFocusedWindowOfClass(KX27_LINETYPE_LIST_CLASS);
  ASSERT_NE(list, nullptr) << "F4 opened no list";
  SaveWindowBitmap(dialog.Window(), L"dialog_line_type_list.bmp");  // the list lies on it
  dialog.PressKey(VK_DOWN);
  dialog.PressKey(VK_RETURN);
  ASSERT_TRUE(dialog.WaitUntilGone(list));
  dialog.Sync();
  EXPECT_EQ(dialog.FocusedId(), IDC_PRESET_GRID);
  EXPECT_EQ(dialog.Text(IDC_PRESET_GRID), L"6");

  // The button at the cell's right edge (layer 3 is the fourth column).
  const RECT cell = dialog.CellBounds(4, 1);
  const LPARAM button = MAKELPARAM(cell.right - 6, (cell.top + cell.bottom) / 2);
  PostMessageW(dialog.Control(IDC_PRESET_GRID), WM_LBUTTONDOWN, MK_LBUTTON, button);
  PostMessageW(dialog.Control(IDC_PRESET_GRID), WM_LBUTTONUP, 0, button);
  list = dialog.WaitForFocusedWindowOfClass(KX27_LINETYPE_LIST_CLASS);
  ASSERT_NE(list, nullptr) << "the cell's button opened no list";
  dialog.PressKey(VK_DOWN);
  dialog.PressKey(VK_ESCAPE);
  ASSERT_TRUE(dialog.WaitUntilGone(list));
  dialog.Sync();
  EXPECT_EQ(dialog.Text(IDC_PRESET_GRID), L"6");

  dialog.Click(IDC_OK);
  ASSERT_TRUE(dialog.WaitForExit());
  EXPECT_EQ(folder.Read(kExchange), Returned("lt6", "", "lt7", "lt1"));
}

// OK has the focus at first; Ctrl+Tab and Ctrl+PgDn switch presets where the
// focus is; the focus comes back after the clear box, whose buttons read in
// Japanese; Tab leaves the grid.
TEST(GridKeyboard, PresetKeysFocusAndJapaneseButtons) {
  TestFolder folder;
  RunningDialog dialog;
  ASSERT_TRUE(OpenNamed(folder, dialog));
  EXPECT_EQ(dialog.FocusedId(), IDC_OK);

  dialog.CellText(1, 1);
  const struct {
    std::initializer_list<WORD> keys;
    int tab;
  } switches[] = {
      {{VK_CONTROL, VK_TAB}, 1},  {{VK_CONTROL, VK_SHIFT, VK_TAB}, 0}, {{VK_CONTROL, VK_PRIOR}, 19},
      {{VK_CONTROL, VK_NEXT}, 0}, {{VK_CONTROL, VK_NEXT}, 1},
  };
  for (const auto& s : switches) {
    dialog.PressChord(s.keys);
    EXPECT_EQ(dialog.SelectedTab(), s.tab);
    EXPECT_EQ(dialog.FocusedId(), IDC_PRESET_GRID);
  }
  EXPECT_EQ(dialog.Text(IDC_COMMENT), L"既存の設定");

  dialog.Click(IDC_CLEAR_PRESET);
  HWND box = dialog.WaitForBox(L"確認");
  ASSERT_NE(box, nullptr);
  SaveWindowBitmap(box, L"dialog_clear_box.bmp");
  wchar_t yes[32] = {};
  wchar_t no[32] = {};
  GetDlgItemTextW(box, IDYES, yes, 32);
  GetDlgItemTextW(box, IDNO, no, 32);
  EXPECT_STREQ(yes, L"はい(&Y)");
  EXPECT_STREQ(no, L"いいえ(&N)");
  // Clearing cannot be taken back once saved: Enter answers いいえ.
  EXPECT_TRUE(GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_FALSE(GetWindowLongW(GetDlgItem(box, IDYES), GWL_STYLE) & BS_DEFPUSHBUTTON);
  AnswerBox(box, IDNO);
  ASSERT_TRUE(dialog.WaitUntilGone(box));
  dialog.Sync();
  EXPECT_EQ(dialog.FocusedId(), IDC_CLEAR_PRESET);  // the clicked button had it

  dialog.CellText(2, 2);
  dialog.PressChord({VK_TAB});
  EXPECT_EQ(dialog.FocusedId(), IDC_CLEAR_PRESET);
  dialog.Click(IDC_CANCEL);
  ASSERT_TRUE(dialog.WaitForExit());
  EXPECT_EQ(folder.Read(kExchange), kHq);
}

// The screen's scale as Wine takes it from the registry when a program
// starts; the old value comes back at the end of the scope.
class ScreenScale {
 public:
  explicit ScreenScale(DWORD dpi) {
    DWORD size = sizeof old_;
    had_ = RegGetValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &old_,
                        &size) == ERROR_SUCCESS;
    Set(dpi);
  }
  ~ScreenScale() {
    if (had_) {
      Set(old_);
    } else {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels");
    }
  }
  ScreenScale(const ScreenScale&) = delete;
  ScreenScale& operator=(const ScreenScale&) = delete;

 private:
  static constexpr const wchar_t* kKey = L"Control Panel\\Desktop";
  static void Set(DWORD dpi) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
  }
  DWORD old_ = 96;
  bool had_ = false;
};

// At 100, 125, 150 and 200 % the dialog grows with the scale, its text and
// cells with it, opening as large as shows the whole table where the screen
// (1600 x 1200) allows, never smaller than it always was nor beyond the
// screen; the settings file keeps the position in the pixels it always had
// (the system scale's).
TEST(DialogScreenshots, AtEachScale) {
  for (const int dpi : {96, 120, 144, 192}) {
    const ScreenScale scale(static_cast<DWORD>(dpi));
    TestFolder folder(L"scale" + std::to_wstring(dpi));
    SettingsText settings = BaseSettings();
    settings.Left = 40;
    settings.Top = 30;
    RunningDialog dialog;
    ASSERT_TRUE(OpenNamed(folder, dialog, settings)) << dpi;
    RECT client{};
    GetClientRect(dialog.Window(), &client);
    EXPECT_GE(client.right, MulDiv(648, dpi, 96)) << dpi;
    EXPECT_GE(client.bottom, MulDiv(393, dpi, 96)) << dpi;
    RECT frame{};
    GetWindowRect(dialog.Window(), &frame);
    EXPECT_LE(frame.right, GetSystemMetrics(SM_CXSCREEN)) << dpi;
    EXPECT_LE(frame.bottom, GetSystemMetrics(SM_CYSCREEN)) << dpi;
    RECT grid{};
    GetClientRect(dialog.Control(IDC_PRESET_GRID), &grid);
    const RECT last = dialog.CellBounds(16, 16);
    if (dpi <= 144) {
      EXPECT_LE(last.right, grid.right) << dpi;
      EXPECT_LE(last.bottom, grid.bottom) << dpi;
    }
    // A sent click: a posted one may still wait in the queue when the text is read.
    EXPECT_EQ(dialog.CellText(4, 1), L"5") << dpi;
    Sleep(500);  // the picture's first frame
    EXPECT_TRUE(
        SaveWindowBitmap(dialog.Window(), L"dialog_scale_" + std::to_wstring(dpi) + L".bmp"));
    dialog.Click(IDC_OK);
    ASSERT_TRUE(dialog.WaitForExit()) << dpi;
    EXPECT_EQ(folder.Read(kSettings), settings.Render()) << dpi;
  }
}

}  // namespace
}  // namespace kx27::test
