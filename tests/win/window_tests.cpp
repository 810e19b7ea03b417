// The window that grows and the picture in it, driven as the user drives
// them: the opening size that shows the whole table, resizing down to the
// smallest window and maximising, the picture's highlight following the
// grid and the pointer, before and after, the tabs' tooltips, Ctrl+Z from
// anywhere and the clear taken back with its comment. Judged by what the
// window shows (its pixels) and the files it leaves.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/picture/host_colour.h"
#include "app/win/resource.h"
#include "tests/win/dialog_cases.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/sample_drawing.h"
#include "tests/win/screenshot.h"
#include "tests/win/test_folder.h"

namespace kx27::test {
namespace {

constexpr DWORD kPictureWaitMs = 5000;

// The sample drawing's line colours: group 0 layer 3 draws in 1, group 1
// layer 2 in 3.
const std::uint32_t kGroup0 = HostRgb(1);
const std::uint32_t kGroup1 = HostRgb(3);

bool Open(const TestFolder& folder, RunningDialog& dialog,
          const SettingsText& settings = BaseSettings()) {
  folder.Write(kExchange, kNamedDrawing);
  folder.Write(kSettings, settings.Render());
  return dialog.Start(folder.Program());
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                      &length);
  return text;
}

RECT ClientOf(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client;
}

// The picture paints on a thread of its own: its pixels once they satisfy
// the test, or the last ones seen after the wait.
TScreenPixels WaitForPicture(const RunningDialog& dialog,
                             const std::function<bool(const TScreenPixels&)>& wanted) {
  TScreenPixels shot;
  for (DWORD waited = 0; waited < kPictureWaitMs; waited += 100) {
    dialog.Sync();
    shot = CaptureWindowPixels(dialog.Control(IDC_PICTURE));
    if (wanted(shot)) break;
    Sleep(100);
  }
  return shot;
}

bool ShowsWholeTable(const RunningDialog& dialog) {
  const RECT grid = ClientOf(dialog.Control(IDC_PRESET_GRID));
  const RECT first = dialog.CellBounds(1, 1);
  const RECT last = dialog.CellBounds(16, 16);
  return first.left >= 0 && first.top >= 0 && last.right <= grid.right &&
         last.bottom <= grid.bottom;
}

// Opens showing all 16 x 16 cells with two lines of layer names beside the
// picture; the user can make it as small as it always was (the picture
// gives way, the grid scrolls), and maximise it. OK keeps the position the
// window has when restored.
TEST(WindowGrows, OpensWithTheWholeTableResizesAndMaximises) {
  TestFolder folder;
  RunningDialog dialog;
  const SettingsText settings = BaseSettings();
  ASSERT_TRUE(Open(folder, dialog, settings));
  HWND window = dialog.Window();
  EXPECT_TRUE(ShowsWholeTable(dialog));
  EXPECT_GE(dialog.CellBounds(1, 1).top, 38) << "the layer row has two lines";
  HWND picture = dialog.Control(IDC_PICTURE);
  ASSERT_TRUE(IsWindowVisible(picture));
  const LONG opening_picture = ClientOf(picture).right;
  EXPECT_GE(opening_picture, 300);
  EXPECT_TRUE(SaveWindowBitmap(window, L"window_opening.bmp"));

  SetWindowPos(window, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  dialog.Sync();
  const RECT smallest = ClientOf(window);
  EXPECT_EQ(smallest.right, 648);
  EXPECT_EQ(smallest.bottom, 393);
  EXPECT_FALSE(IsWindowVisible(picture));
  EXPECT_FALSE(ShowsWholeTable(dialog));
  const RECT eighth = dialog.CellBounds(8, 8);
  EXPECT_LE(eighth.right, ClientOf(dialog.Control(IDC_PRESET_GRID)).right);
  EXPECT_LE(eighth.bottom, ClientOf(dialog.Control(IDC_PRESET_GRID)).bottom);
  EXPECT_TRUE(SaveWindowBitmap(window, L"window_smallest.bmp"));

  // A large window; Wine without a window manager leaves a maximised one
  // off its screen pixels.
  SetWindowPos(window, nullptr, 0, 0, 1400, 1000, SWP_NOMOVE | SWP_NOZORDER);
  dialog.Sync();
  EXPECT_TRUE(ShowsWholeTable(dialog));
  EXPECT_TRUE(SaveWindowBitmap(window, L"window_large.bmp"));

  SendMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  dialog.Sync();
  EXPECT_TRUE(IsZoomed(window));
  EXPECT_TRUE(ShowsWholeTable(dialog));
  ASSERT_TRUE(IsWindowVisible(picture));
  EXPECT_GT(ClientOf(picture).right, opening_picture);

  dialog.Click(IDC_OK);
  ASSERT_TRUE(dialog.WaitForExit());
  EXPECT_EQ(folder.Read(kExchange), kConverted);
  EXPECT_EQ(folder.Read(kSettings), settings.Render());
}

// The selected cell's layer in its colour, the rest dimmed; a range brings
// both forward; the pointer on a group's header brings that group forward.
TEST(Picture, HighlightFollowsTheSelectionAndTheHoveredGroup) {
  TestFolder folder;
  RunningDialog dialog;
  ASSERT_TRUE(Open(folder, dialog));
  dialog.PointAt(IDC_PICTURE, 5, 5);  // no tooltip over the screenshots
  const struct {
    const char* name;
    int col, row;
    std::uint32_t bright, dimmed;
  } cells[] = {
      {"group 0 layer 3", 4, 1, kGroup0, DimmedRgb(kGroup1)},
      {"group 1 layer 2", 3, 2, kGroup1, DimmedRgb(kGroup0)},
  };
  for (const auto& c : cells) {
    dialog.CellText(c.col, c.row);
    const TScreenPixels shot = WaitForPicture(dialog, [&](const TScreenPixels& pixels) {
      return pixels.Count(c.bright) > 0 && pixels.Count(c.dimmed) > 0 &&
             pixels.Count(c.bright == kGroup0 ? kGroup1 : kGroup0) == 0;
    });
    EXPECT_GT(shot.Count(c.bright), 0u) << c.name;
    EXPECT_GT(shot.Count(c.dimmed), 0u) << c.name;
    EXPECT_EQ(shot.Count(c.bright == kGroup0 ? kGroup1 : kGroup0), 0u) << c.name;
  }
  EXPECT_TRUE(SaveWindowBitmap(dialog.Window(), L"picture_highlight.bmp"));

  // Group 0's header under the pointer while group 1's cell is selected.
  const RECT header = dialog.CellBounds(1, 1);
  dialog.PointAt(IDC_PRESET_GRID, 10, (header.top + header.bottom) / 2);
  const TScreenPixels hovered = WaitForPicture(dialog, [](const TScreenPixels& pixels) {
    return pixels.Count(kGroup0) > 0 && pixels.Count(kGroup1) == 0;
  });
  EXPECT_GT(hovered.Count(kGroup0), 0u);
  EXPECT_EQ(hovered.Count(kGroup1), 0u);
  EXPECT_TRUE(SaveWindowBitmap(dialog.Window(), L"picture_hovered_group.bmp"));
  dialog.PointAt(IDC_OK, 5, 5);

  dialog.Click(IDC_CANCEL);
  ASSERT_TRUE(dialog.WaitForExit());
  EXPECT_EQ(folder.Read(kExchange), kHq);
}

// "変換前" shows the line types as they are, and back; an edit of the grid
// shows at once; neither changes what OK writes.
TEST(Picture, BeforeAndAfterAndEditsShowAtOnce) {
  TestFolder folder;
  RunningDialog dialog;
  ASSERT_TRUE(Open(folder, dialog));
  dialog.PointAt(IDC_PICTURE, 5, 5);  // no tooltip over the screenshots
  dialog.CellText(3, 2);              // group 1 layer 2: solid now, 二点鎖 after OK
  auto settled = [&](const TScreenPixels& pixels) { return pixels.Count(kGroup1) > 0; };
  const TScreenPixels after = WaitForPicture(dialog, settled);
  ASSERT_GT(after.Count(kGroup1), 0u);
  EXPECT_TRUE(SaveWindowBitmap(dialog.Window(), L"picture_after.bmp"));

  dialog.ClickAndWait(IDC_PICTURE_BEFORE);
  const TScreenPixels before = WaitForPicture(dialog, [&](const TScreenPixels& pixels) {
    return pixels.Count(kGroup1) > after.Count(kGroup1);
  });
  EXPECT_GT(before.Count(kGroup1), after.Count(kGroup1)) << "a solid line has no gaps";
  EXPECT_TRUE(SaveWindowBitmap(dialog.Window(), L"picture_before.bmp"));
  dialog.ClickAndWait(IDC_PICTURE_BEFORE);
  const TScreenPixels again =
      WaitForPicture(dialog, [&](const TScreenPixels& pixels) { return pixels.Rgb == after.Rgb; });
  EXPECT_TRUE(again.Rgb == after.Rgb);

  // Solid (1) after OK: the picture shows as many pixels as before.
  dialog.TypeIntoCell(3, 2, L"1");
  const TScreenPixels edited = WaitForPicture(dialog, [&](const TScreenPixels& pixels) {
    return pixels.Count(kGroup1) == before.Count(kGroup1);
  });
  EXPECT_EQ(edited.Count(kGroup1), before.Count(kGroup1));

  dialog.Click(IDC_OK);
  ASSERT_TRUE(dialog.WaitForExit());
  EXPECT_EQ(folder.Read(kExchange), Returned("lt5", "", "lt1", ""));
}

// Ctrl+Z takes back the grid's last change with the focus anywhere but in
// the comment box; the clear, whose box defaults to いいえ and shows both
// buttons whole, comes back with its comment.
TEST(DialogKeys, UndoFromAnywhereBringsBackAClearedComment) {
  TestFolder folder;
  RunningDialog dialog;
  ASSERT_TRUE(Open(folder, dialog));
  dialog.TypeIntoCell(1, 1, L"3");
  dialog.PressChord({VK_TAB});
  ASSERT_NE(dialog.FocusedId(), IDC_PRESET_GRID);
  ASSERT_NE(dialog.FocusedId(), IDC_COMMENT);
  dialog.PressChord({VK_CONTROL, 'Z'});
  EXPECT_EQ(dialog.CellText(1, 1), L"0");

  dialog.Click(IDC_CLEAR_PRESET);
  HWND box = dialog.WaitForBox(L"確認");
  ASSERT_NE(box, nullptr);
  // Wine's box answers DM_GETDEFID with IDOK; the button's style tells.
  EXPECT_EQ(GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  RECT yes{}, no{}, client{};
  GetWindowRect(GetDlgItem(box, IDYES), &yes);
  GetWindowRect(GetDlgItem(box, IDNO), &no);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&no), 2);
  GetClientRect(box, &client);
  EXPECT_EQ(no.right - no.left, yes.right - yes.left);
  EXPECT_LE(no.right, client.right);
  EXPECT_TRUE(SaveWindowBitmap(box, L"clear_box_buttons.bmp"));
  AnswerBox(box, IDYES);
  ASSERT_TRUE(dialog.WaitUntilGone(box));
  dialog.Sync();
  EXPECT_EQ(dialog.Text(IDC_COMMENT), L"");
  EXPECT_EQ(dialog.FocusedId(), IDC_CLEAR_PRESET);
  dialog.PressChord({VK_CONTROL, 'Z'});
  EXPECT_EQ(dialog.Text(IDC_COMMENT), L"外壁");
  EXPECT_EQ(dialog.CellText(4, 1), L"5");

  dialog.Click(IDC_OK);
  ASSERT_TRUE(dialog.WaitForExit());
  EXPECT_EQ(folder.Read(kExchange), kConverted);
  EXPECT_EQ(folder.Read(kSettings), BaseSettings().Render());
}

// The program has a tooltip for the tabs and one for the grid; a window's
// text read from another process is its caption, not a tooltip's text, so
// each shown tooltip is asked for it.
HWND WaitForTip(const RunningDialog& dialog, const std::wstring& text) {
  struct Query {
    DWORD Pid;
    const std::wstring& Text;
    HWND Found = nullptr;
    std::wstring Shown;  // the last other text seen
  } query{GetProcessId(dialog.Process()), text};
  for (DWORD waited = 0; waited < 4000 && !query.Found; waited += 100) {
    EnumWindows(
        [](HWND window, LPARAM lparam) CALLBACK -> BOOL {
          auto& q = *reinterpret_cast<Query*>(lparam);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          wchar_t name[32] = {};
          GetClassNameW(window, name, 32);
          if (owner != q.Pid || !IsWindowVisible(window) ||
              std::wstring_view(name) != TOOLTIPS_CLASSW) {
            return TRUE;
          }
          q.Shown = TextOf(window);
          if (q.Shown != q.Text) return TRUE;
          q.Found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&query));
    if (!query.Found) Sleep(100);
  }
  if (!query.Found) ADD_FAILURE() << "the tooltip shown reads \"" << query.Shown << "\"";
  return query.Found;
}

// A tab's tooltip is its preset's comment; a cell's tooltip that shows
// takes the pasted value at once.
TEST(Tooltips, TabsShowTheirCommentsAndACellTipFollowsAPaste) {
  TestFolder folder;
  RunningDialog dialog;
  ASSERT_TRUE(Open(folder, dialog));
  const RECT tab = dialog.TabBounds(1);
  dialog.PointAt(IDC_PRESET_TABS, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_NE(WaitForTip(dialog, L"既存の設定"), nullptr);

  // A click ends a cell's tooltip until the pointer comes to a cell anew.
  dialog.CellText(4, 1);
  const RECT away = dialog.CellBounds(6, 6);
  dialog.PointAt(IDC_PRESET_GRID, away.left + 10, away.top + 10);
  const RECT cell = dialog.CellBounds(4, 1);
  dialog.PointAt(IDC_PRESET_GRID, cell.left + 10, cell.top + 10);
  const std::wstring tip =
      L"グループ 0 建具\r\nレイヤ 3 窓\r\n線種 5 一点鎖1\r\n"
      L"線 1・円 1・弧 1・寸法線 0（変換しない）\r\n変更される要素 3";
  ASSERT_NE(WaitForTip(dialog, tip), nullptr);
  ASSERT_TRUE(SetClipboardText(L"7"));
  dialog.PressChord({VK_CONTROL, 'V'});
  EXPECT_EQ(dialog.Text(IDC_CELLINFO),
            L"グループ 0 建具\u3000レイヤ 3 窓\r\n線種 7 二点鎖1\u3000要素 3（変更 3）");
  EXPECT_NE(WaitForTip(dialog,
                       L"グループ 0 建具\r\nレイヤ 3 窓\r\n線種 7 二点鎖1\r\n"
                       L"線 1・円 1・弧 1・寸法線 0（変換しない）\r\n変更される要素 3"),
            nullptr);
  EXPECT_TRUE(SaveWindowBitmap(dialog.Window(), L"tooltip_after_paste.bmp"));

  dialog.Click(IDC_CANCEL);
  ASSERT_TRUE(dialog.WaitForExit());
  EXPECT_EQ(folder.Read(kExchange), kHq);
}

}  // namespace
}  // namespace kx27::test
