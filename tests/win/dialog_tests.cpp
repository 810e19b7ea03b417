// The dialog driven as the user drives it, judged by the files it leaves:
// the exchange file and the settings file, compared byte for byte. Pictures
// of the dialog go to the test artefacts and the README.

#include <gtest/gtest.h>

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

constexpr wchar_t kOpenCaption[] = L"環境設定ファイル（JWF）を読込む";

// Lays the drawing and, unless empty, the settings beside the program and
// starts it.
bool Open(const TestFolder& folder, RunningDialog& dialog, const std::string& settings) {
  folder.Write(kExchange, kDrawing);
  if (!settings.empty()) folder.Write(kSettings, settings);
  return dialog.Start(folder.Program());
}

using Action = void (*)(const RunningDialog&);
void ClickOk(const RunningDialog& d) { d.Click(IDC_OK); }
void ClickCancel(const RunningDialog& d) { d.Click(IDC_CANCEL); }

// Every way of leaving the dialog without OK hands the drawing back
// untouched ("hq") and leaves the settings file as it was, even after edits.
struct CloseCase {
  const char* name;
  Action close;
  bool first_run = false;  // no settings file yet, and none afterwards
};

const CloseCase kCloseCases[] = {
    {"CancelButton", ClickCancel},
    {"EscapeKey", [](const RunningDialog& d) { d.PressKey(VK_ESCAPE); }},
    {"CloseBox",
     [](const RunningDialog& d) { PostMessageW(d.Window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"AltF4", [](const RunningDialog& d) { d.PressKey(VK_F4, true); }},
    {"WmClose", [](const RunningDialog& d) { PostMessageW(d.Window(), WM_CLOSE, 0, 0); }},
    {"CancelOnFirstRun", ClickCancel, true},
};

class CloseWithoutOk : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseWithoutOk, ReturnsHqAndKeepsSettings) {
  const CloseCase& c = GetParam();
  TestFolder folder;
  const std::string settings = c.first_run ? "" : BaseSettings().Render();
  RunningDialog dialog;
  ASSERT_TRUE(Open(folder, dialog, settings));
  dialog.TypeIntoCell(4, 1, L"9");
  ASSERT_TRUE(dialog.SelectTab(2));
  dialog.ClickAndWait(IDC_DIMENSIONS);
  c.close(dialog);
  ASSERT_TRUE(dialog.WaitForExit()) << "the dialog did not close";

  EXPECT_EQ(dialog.ExitCode(), 0u);
  EXPECT_EQ(folder.Read(kExchange), kHq);
  if (c.first_run) {
    EXPECT_FALSE(folder.Read(kSettings).has_value());
  } else {
    EXPECT_EQ(folder.Read(kSettings), settings);
  }
}

INSTANTIATE_TEST_SUITE_P(Dialog, CloseWithoutOk, ::testing::ValuesIn(kCloseCases), CaseName);

// OK converts with the current preset and saves the settings, the window's
// place and the dimension switch included. The window opens where it was
// left, but never where no screen shows it.
struct OkCase {
  const char* name;
  Action ok = ClickOk;
  int left = 120, top = 90;  // the saved place
  bool kept = true;          // the window opens exactly there
  bool dimensions_saved = false, dimensions_clicked = false;
  const wchar_t* folder = L"";
};

const OkCase kOkCases[] = {
    {.name = "DimensionsOffStayOff"},
    {.name = "DimensionsOnStayOn", .dimensions_saved = true},
    {.name = "DimensionsOffTurnedOn", .dimensions_clicked = true},
    {.name = "DimensionsOnTurnedOff", .dimensions_saved = true, .dimensions_clicked = true},
    // The default button and its mnemonic do what a click does.
    {.name = "EnterKey", .ok = [](const RunningDialog& d) { d.PressKey(VK_RETURN); }},
    {.name = "AltY", .ok = [](const RunningDialog& d) { d.PressKey('Y', true); }},
    {.name = "StoredPlace", .left = 150, .top = 100},
    {.name = "FarOffScreen", .left = -30000, .top = -30000, .kept = false},
    {.name = "BeyondRightEdge", .left = 5000, .top = 200, .kept = false},
    // Files beside the program, in a folder that Shift_JIS cannot name.
    {.name = "JapaneseFolder", .folder = L"図面 테스트 ✓"},
};

class Ok : public ::testing::TestWithParam<OkCase> {};

TEST_P(Ok, ConvertsAndSaves) {
  const OkCase& c = GetParam();
  TestFolder folder(c.folder);
  SettingsText settings = BaseSettings();
  settings.Left = c.left;
  settings.Top = c.top;
  settings.Dimensions = c.dimensions_saved;
  RunningDialog dialog;
  ASSERT_TRUE(Open(folder, dialog, settings.Render()));
  RECT window{};
  GetWindowRect(dialog.Window(), &window);
  if (c.kept) {
    EXPECT_EQ(window.left, c.left);
    EXPECT_EQ(window.top, c.top);
  }
  // The caption bar, by which the user moves the window, lies on a screen.
  for (LONG x : {window.left + 10, window.right - 10}) {
    EXPECT_NE(MonitorFromPoint(POINT{x, window.top + 5}, MONITOR_DEFAULTTONULL), nullptr) << x;
  }
  EXPECT_EQ(SendMessageW(dialog.Control(IDC_DIMENSIONS), BM_GETCHECK, 0, 0) == BST_CHECKED,
            c.dimensions_saved);
  if (c.dimensions_clicked) dialog.ClickAndWait(IDC_DIMENSIONS);
  c.ok(dialog);
  ASSERT_TRUE(dialog.WaitForExit());

  EXPECT_EQ(dialog.ExitCode(), 0u);
  settings.Dimensions = c.dimensions_saved != c.dimensions_clicked;
  EXPECT_EQ(folder.Read(kExchange), settings.Dimensions ? kConvertedWithDimension : kConverted);
  settings.Left = window.left;
  settings.Top = window.top;
  EXPECT_EQ(folder.Read(kSettings), settings.Render());
}

INSTANTIATE_TEST_SUITE_P(Dialog, Ok, ::testing::ValuesIn(kOkCases), CaseName);

// Block figures cannot be written back, and after "hd" the host would
// delete them: OK says so, saves the settings and leaves the drawing.
TEST(OkWithBlocks, TellsTheUserAndLeavesTheDrawing) {
  TestFolder folder;
  folder.Write(kExchange, std::string(kDrawing) + "BL 10 20 block\r\n");
  folder.Write(kSettings, BaseSettings().Render());
  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  RECT window{};
  GetWindowRect(dialog.Window(), &window);
  // Said as the dialog opens, before OK saves anything.
  EXPECT_NE(dialog.Text(IDC_PROGRESS_LABEL).find(L"ブロック図形を含むため変換できません"),
            std::wstring::npos);
  SaveWindowBitmap(dialog.Window(), L"dialog_with_blocks.bmp");
  ClickOk(dialog);
  HWND message = dialog.WaitForBox(L"kx27_レイヤ→線種変換");
  ASSERT_NE(message, nullptr) << "no message about the blocks";
  EXPECT_NE(BoxMessage(message).find(L"REM #ht10"), std::wstring::npos);
  AnswerBox(message, IDOK);
  ASSERT_TRUE(dialog.WaitForExit());

  EXPECT_EQ(folder.Read(kExchange), kHq);
  SettingsText expected = BaseSettings();
  expected.Left = window.left;
  expected.Top = window.top;
  EXPECT_EQ(folder.Read(kSettings), expected.Render());
}

TEST(OkFirstRun, WithoutExchangeFileWritesHdAndDefaultSettings) {
  TestFolder folder;
  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  RECT window{};
  GetWindowRect(dialog.Window(), &window);
  EXPECT_EQ(window.left, 0);
  EXPECT_EQ(window.top, 0);
  EXPECT_EQ(dialog.SelectedTab(), 0);
  EXPECT_EQ(dialog.CellText(1, 1), L"0");
  EXPECT_EQ(dialog.CellText(6, 5), L"0");
  ClickOk(dialog);
  ASSERT_TRUE(dialog.WaitForExit());

  EXPECT_EQ(folder.Read(kExchange), "hd\r\nlg0\r\nly0\r\n");
  EXPECT_EQ(folder.Read(kSettings), SettingsText{}.Render());
}

// Typed cells go through the line-type filter when the tab is left and when
// OK stores the shown preset; OK makes the shown tab the current preset.
TEST(OkAfterEdits, StoresTypedCellsThroughTheFilter) {
  TestFolder folder;
  RunningDialog dialog;
  ASSERT_TRUE(Open(folder, dialog, BaseSettings().Render()));
  EXPECT_EQ(dialog.Text(IDC_COMMENT), L"外壁");
  dialog.TypeIntoCell(4, 1, L"10");  // group 0 layer 3: not a line type
  dialog.TypeIntoCell(2, 1, L"4");   // group 0 layer 1
  EXPECT_EQ(dialog.CellText(4, 1), L"10");

  ASSERT_TRUE(dialog.SelectTab(1));
  EXPECT_EQ(dialog.Text(IDC_COMMENT), L"既存の設定");
  dialog.TypeIntoCell(3, 2, L"62");  // group 1 layer 2
  dialog.TypeIntoCell(1, 1, L"25");  // group 0 layer 0: not a line type

  ASSERT_TRUE(dialog.SelectTab(0));
  EXPECT_EQ(dialog.CellText(4, 1), L"0");
  EXPECT_EQ(dialog.CellText(2, 1), L"4");
  ASSERT_TRUE(dialog.SelectTab(19));  // out of view: reached with the arrow keys
  EXPECT_EQ(dialog.Text(IDC_COMMENT), L"");
  ASSERT_TRUE(dialog.SelectTab(1));
  EXPECT_EQ(dialog.CellText(1, 1), L"0");
  EXPECT_EQ(dialog.CellText(3, 2), L"62");
  ClickOk(dialog);
  ASSERT_TRUE(dialog.WaitForExit());

  EXPECT_EQ(folder.Read(kExchange), kOnlyGroup1Layer2To62);
  SettingsText expected = BaseSettings();
  expected.PresetNo = 2;
  expected.Value(1, 0, 3) = 0;
  expected.Value(1, 0, 1) = 4;
  expected.Value(2, 1, 2) = 62;
  EXPECT_EQ(folder.Read(kSettings), expected.Render());
}

// The clear button asks first; only Yes empties the shown preset, and OK
// keeps what the answer left.
struct ClearCase {
  const char* name;
  int answer;
};

class ClearThenOk : public ::testing::TestWithParam<ClearCase> {};

TEST_P(ClearThenOk, SavesWhatTheAnswerLeft) {
  const bool cleared = GetParam().answer == IDYES;
  TestFolder folder;
  RunningDialog dialog;
  ASSERT_TRUE(Open(folder, dialog, BaseSettings().Render()));
  dialog.Click(IDC_CLEAR_PRESET);
  HWND box = dialog.WaitForBox(L"確認");
  ASSERT_NE(box, nullptr) << "no confirmation";
  EXPECT_EQ(BoxMessage(box),
            L"この設定画面のレイヤ設定をクリアします。よろしいですか？\r\n"
            L"（※画面切替／[OK]をせず[キャンセル]をした場合は保存されません）");
  AnswerBox(box, GetParam().answer);
  ASSERT_TRUE(dialog.WaitUntilGone(box));
  dialog.Sync();

  EXPECT_EQ(dialog.Text(IDC_COMMENT), cleared ? L"" : L"外壁");
  EXPECT_EQ(dialog.CellText(4, 1), cleared ? L"0" : L"5");
  ClickOk(dialog);
  ASSERT_TRUE(dialog.WaitForExit());

  EXPECT_EQ(folder.Read(kExchange), cleared ? kUnchanged : kConverted);
  SettingsText expected = BaseSettings();
  if (cleared) {
    expected.Comments[0].clear();
    expected.Values[0].fill(0);
  }
  EXPECT_EQ(folder.Read(kSettings), expected.Render());
}

INSTANTIATE_TEST_SUITE_P(Dialog, ClearThenOk,
                         ::testing::Values(ClearCase{"Yes", IDYES}, ClearCase{"No", IDNO}),
                         CaseName);

// The import fills grid rows from an environment file chosen in the open
// dialog; a file of another kind, or one without line types before its END
// (as the host's own sample), only gets a message.
struct ImportCase {
  const char* name;
  const wchar_t* file_name;
  bool accepted;
  bool press_ok;
  const char* head = "";  // before the rows
};

const ImportCase kImportCases[] = {
    {"ThenOk", L"Layers.JwF", true, true},
    {"ThenCancel", L"layers.jwf", true, false},
    {"WrongExtension", L"layers.txt", false, true},
    {"NoRowsBeforeEnd", L"Sample.jwf", false, true, "END\r\n"},
};

class JwfImport : public ::testing::TestWithParam<ImportCase> {};

TEST_P(JwfImport, FillsRowsOnlyFromAnEnvironmentFile) {
  const ImportCase& c = GetParam();
  TestFolder folder;
  // Group 0: layer 3 gets 10, which is no line type; group 1: layer 2 gets 62.
  folder.Write(std::filesystem::path(L"env") / c.file_name,
               std::string("[\x8a\xc2\x8b\xab]\r\n") + c.head +  // [環境]
                   "LAYNMS_0 = A\r\n"
                   "LAYTYP_0=0,0,0,10\r\n"
                   "  laytyp_1 = 0 0 62\r\n"
                   "; LAYTYP_2 = 9\r\n");
  const std::filesystem::path file = folder.Dir() / L"env" / c.file_name;
  const std::string settings = BaseSettings().Render();
  RunningDialog dialog;
  ASSERT_TRUE(Open(folder, dialog, settings));
  dialog.Click(IDC_IMPORT_JWF);
  HWND open = dialog.WaitForBox(kOpenCaption);
  ASSERT_NE(open, nullptr) << "no open dialog";
  ASSERT_TRUE(ChooseFileInOpenDialog(open, file));
  ASSERT_TRUE(dialog.WaitUntilGone(open)) << "the open dialog did not take the file";
  if (!c.accepted) {
    HWND message = dialog.WaitForBox(L"kx27_レイヤ→線種変換");
    ASSERT_NE(message, nullptr) << "no message for a file it cannot import";
    if (*c.head) {
      EXPECT_NE(BoxMessage(message).find(
                    L"「Sample.jwf」には、読み込める線種の設定（LAYTYP_ の行）がありませんでした"),
                std::wstring::npos);
      SaveWindowBitmap(message, L"jwf_without_rows.bmp");
    } else {
      EXPECT_EQ(BoxMessage(message), L"環境設定ファイル(JWF)を指定して下さい。");
    }
    AnswerBox(message, IDOK);
    ASSERT_TRUE(dialog.WaitUntilGone(message));
  }
  dialog.Sync();
  EXPECT_EQ(dialog.FocusedId(), IDC_IMPORT_JWF) << "the focus is back where it was";
  // The grid shows what was read, unfiltered, and keeps rows the file lacks.
  EXPECT_EQ(dialog.CellText(4, 1), c.accepted ? L"10" : L"5");
  EXPECT_EQ(dialog.CellText(3, 2), c.accepted ? L"62" : L"7");
  EXPECT_EQ(dialog.CellText(1, 3), L"3");

  (c.press_ok ? ClickOk : ClickCancel)(dialog);
  ASSERT_TRUE(dialog.WaitForExit());
  if (!c.press_ok) {
    EXPECT_EQ(folder.Read(kExchange), kHq);
    EXPECT_EQ(folder.Read(kSettings), settings);
    return;
  }
  SettingsText expected = BaseSettings();
  const std::wstring env = file.parent_path().native();  // ASCII here
  expected.JwfFolder = std::string(env.begin(), env.end()) + "\\";
  if (c.accepted) {
    expected.Value(1, 0, 3) = 0;
    expected.Value(1, 1, 2) = 62;
  }
  EXPECT_EQ(folder.Read(kExchange), c.accepted ? kOnlyGroup1Layer2To62 : kConverted);
  EXPECT_EQ(folder.Read(kSettings), expected.Render());
}

INSTANTIATE_TEST_SUITE_P(Dialog, JwfImport, ::testing::ValuesIn(kImportCases), CaseName);

// A settings file cut short is read as far as it goes and said so in the
// status line, without a box.
TEST(TruncatedSettings, WarnsInTheStatusLine) {
  constexpr std::wstring_view kWarning =
      L"設定ファイル kx27.dat が途中で切れています（欠けた値は 0）\u3000／\u3000変更される要素: ";
  TestFolder folder;
  RunningDialog dialog;
  ASSERT_TRUE(Open(folder, dialog, "10\r\n20\r\n\r\n2\r\n"));
  EXPECT_EQ(dialog.Text(IDC_PROGRESS_LABEL).rfind(kWarning, 0), 0u)
      << dialog.Text(IDC_PROGRESS_LABEL);
  // It stays while the grid changes.
  ASSERT_TRUE(dialog.SelectTab(2));
  EXPECT_EQ(dialog.Text(IDC_PROGRESS_LABEL).rfind(kWarning, 0), 0u)
      << dialog.Text(IDC_PROGRESS_LABEL);
  EXPECT_TRUE(SaveWindowBitmap(dialog.Window(), L"dialog_truncated_settings.bmp"));
  ClickCancel(dialog);
  ASSERT_TRUE(dialog.WaitForExit());
  EXPECT_EQ(folder.Read(kExchange), kHq);
  EXPECT_EQ(folder.Read(kSettings), "10\r\n20\r\n\r\n2\r\n");
}

TEST(DialogScreenshots, FirstTabOtherTabAndImport) {
  TestFolder folder;
  SettingsText settings = BaseSettings();
  settings.Left = 0;
  settings.Top = 0;
  settings.Value(1, 0, 1) = 2;
  settings.Value(1, 3, 4) = 9;
  folder.Write(L"sample.jwf",
               "LAYTYP_0 = 1,2,3,4,5,6,7,8\r\n"
               "LAYTYP_1 = 9,11,12,13,14,15,16,17\r\n"
               "LAYTYP_2 = 31,32,33,34,35,36,37,38\r\n");

  // The drawing with the names of its layers, a cell of a named layer
  // selected: the README's picture.
  folder.Write(kExchange, kNamedDrawing);
  folder.Write(kSettings, settings.Render());
  RunningDialog dialog;
  ASSERT_TRUE(dialog.Start(folder.Program()));
  dialog.CellText(4, 1);
  EXPECT_TRUE(SaveWindowBitmap(dialog.Window(), L"dialog_first_tab.bmp"));
  ASSERT_TRUE(dialog.SelectTab(1));
  EXPECT_TRUE(SaveWindowBitmap(dialog.Window(), L"dialog_second_tab.bmp"));

  dialog.Click(IDC_IMPORT_JWF);
  HWND open = dialog.WaitForBox(kOpenCaption);
  ASSERT_NE(open, nullptr);
  EXPECT_TRUE(SaveWindowBitmap(open, L"dialog_open_jwf.bmp"));
  ASSERT_TRUE(ChooseFileInOpenDialog(open, folder.Dir() / L"sample.jwf"));
  ASSERT_TRUE(dialog.WaitUntilGone(open));
  dialog.Sync();
  EXPECT_TRUE(SaveWindowBitmap(dialog.Window(), L"dialog_after_import.bmp"));

  ClickCancel(dialog);
  ASSERT_TRUE(dialog.WaitForExit());
  EXPECT_EQ(folder.Read(kExchange), kHq);
}

}  // namespace
}  // namespace kx27::test
