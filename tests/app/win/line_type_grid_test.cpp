#include "app/win/line_type_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/grid/view.h"
#include "app/win/encoding.h"
#include "app/win/resource.h"

namespace kx27 {
namespace {

enum class Act {
  kClick,
  kDoubleClick,
  kType,
  kKey,
  kAltKey,
  kFocusAway,
  kChord,
  kShiftClick,
  kDrag,
  kClipboard
};

constexpr int kShift = 1;
constexpr int kCtrl = 2;

struct Step {
  Act act;
  int a = 0;  // column, or virtual key
  int b = 0;  // row
  std::wstring text = {};
};

Step Click(int col, int row) { return {Act::kClick, col, row}; }
Step DoubleClick(int col, int row) { return {Act::kDoubleClick, col, row}; }
Step Type(std::wstring text) { return {Act::kType, 0, 0, std::move(text)}; }
Step Key(int vk) { return {Act::kKey, vk}; }
Step AltKey(int vk) { return {Act::kAltKey, vk}; }
Step FocusAway() { return {Act::kFocusAway}; }
Step Chord(int modifiers, int vk) { return {Act::kChord, vk, modifiers}; }
Step ShiftClick(int col, int row) { return {Act::kShiftClick, col, row}; }
// From (col, row) to the cell given by text "col,row".
Step Drag(int col, int row, int to_col, int to_row) {
  return {Act::kDrag, col, row, std::to_wstring(to_col) + L"," + std::to_wstring(to_row)};
}
Step Clipboard(std::wstring text) { return {Act::kClipboard, 0, 0, std::move(text)}; }

LPARAM CellPoint(int col, int row) {
  const int x = col == 0 ? 5 : kHeaderWidth + (col - 1) * kCellWidth + 5;
  return MAKELPARAM(x, row * kCellHeight + 5);
}

void PutOnClipboard(const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

std::wstring FromClipboard() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

class LineTypeGridTest : public testing::Test {
 protected:
  // One top-level window for the whole suite: under Wine each new one costs
  // seconds, a child window nothing.
  static void SetUpTestSuite() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterLineTypeGrid(instance);
    parent_ = CreateWindowExW(0, L"STATIC", L"grid test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              520, 360, nullptr, nullptr, instance, nullptr);
  }

  static void TearDownTestSuite() { DestroyWindow(parent_); }

  void SetUp() override {
    ASSERT_NE(parent_, nullptr);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    grid_ = CreateWindowExW(WS_EX_CLIENTEDGE, KX27_GRID_CLASS, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL, 24, 64,
                            409, 237, parent_, nullptr, instance, nullptr);
    ASSERT_NE(grid_, nullptr);
    other_ = CreateWindowExW(0, L"BUTTON", L"other", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 440, 10,
                             60, 20, parent_, nullptr, instance, nullptr);
    // Each cell starts as "row.col", so that the selection can be told by its text.
    TGridCells cells;
    for (std::size_t row = 0; row < kGridSize; ++row) {
      for (std::size_t col = 0; col < kGridSize; ++col) {
        cells[row][col] = std::to_string(row) + "." + std::to_string(col);
      }
    }
    SetGridCells(grid_, cells);
    SetFocus(grid_);
  }

  void TearDown() override {
    DestroyWindow(grid_);
    DestroyWindow(other_);
  }

  void Run(const Step& step) {
    switch (step.act) {
      case Act::kClick:
      case Act::kDoubleClick: {
        const UINT down = step.act == Act::kClick ? WM_LBUTTONDOWN : WM_LBUTTONDBLCLK;
        const int x = step.a == 0 ? 5 : kHeaderWidth + (step.a - 1) * kCellWidth + 5;
        const LPARAM at = MAKELPARAM(x, step.b * kCellHeight + 5);
        SendMessageW(grid_, down, MK_LBUTTON, at);
        SendMessageW(grid_, WM_LBUTTONUP, 0, at);
        break;
      }
      case Act::kType:
        for (wchar_t c : step.text) SendMessageW(GetFocus(), WM_CHAR, c, 1);
        break;
      case Act::kKey: {
        // As TranslateMessage would: the key, then its character if any.
        SendMessageW(GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(step.a), 1);
        const wchar_t c = step.a == VK_RETURN ? L'\r' : step.a == VK_ESCAPE ? L'\x1b' : 0;
        if (c) SendMessageW(GetFocus(), WM_CHAR, c, 1);
        break;
      }
      case Act::kAltKey:
        SendMessageW(GetFocus(), WM_SYSKEYDOWN, static_cast<WPARAM>(step.a), LPARAM{1} << 29 | 1);
        break;
      case Act::kFocusAway: SetFocus(other_); break;
      case Act::kChord: {
        // The modifiers as the keyboard state shows them while the key goes down.
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = static_cast<BYTE>((step.b & kShift) ? 0x80 : 0);
        keys[VK_CONTROL] = static_cast<BYTE>((step.b & kCtrl) ? 0x80 : 0);
        SetKeyboardState(keys);
        SendMessageW(GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(step.a), 1);
        keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        break;
      }
      case Act::kShiftClick:
        SendMessageW(grid_, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, CellPoint(step.a, step.b));
        SendMessageW(grid_, WM_LBUTTONUP, MK_SHIFT, CellPoint(step.a, step.b));
        break;
      case Act::kDrag: {
        const int to_col = std::stoi(step.text);
        const int to_row = std::stoi(step.text.substr(step.text.find(L',') + 1));
        SendMessageW(grid_, WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(step.a, step.b));
        SendMessageW(grid_, WM_MOUSEMOVE, MK_LBUTTON, CellPoint(to_col, to_row));
        SendMessageW(grid_, WM_LBUTTONUP, 0, CellPoint(to_col, to_row));
        break;
      }
      case Act::kClipboard: PutOnClipboard(step.text); break;
    }
  }

  // The value cells that differ from "row.col", as "row.col=text;".
  std::string Changes() const {
    const TGridCells cells = GetGridCells(grid_);
    std::string changes;
    for (int row = 1; row < kGridSize; ++row) {
      for (int col = 1; col < kGridSize; ++col) {
        const std::string start = std::to_string(row) + "." + std::to_string(col);
        if (cells[row][col] != start) changes += start + "=" + cells[row][col] + ";";
      }
    }
    return changes;
  }

  std::wstring SelectedText() const {
    wchar_t buffer[512] = {};
    SendMessageW(grid_, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }

  bool Editing() const {
    HWND edit = GetWindow(grid_, GW_CHILD);
    return edit && IsWindowVisible(edit);
  }

  static inline HWND parent_ = nullptr;
  HWND grid_ = nullptr;
  HWND other_ = nullptr;
};

struct EditCase {
  const char* name;
  std::vector<Step> steps;
  int col, row;           // the cell to check
  std::wstring want;      // its text afterwards
  std::wstring selected;  // the selected cell's text afterwards
};

TEST_F(LineTypeGridTest, EditingCommitsRestoresAndMoves) {
  const std::wstring long_text(300, L'7');
  const EditCase cases[] = {
      {"typing replaces the text", {Click(1, 1), Type(L"12"), Key(VK_RETURN)}, 1, 1, L"12", L"12"},
      {"escape restores it", {Click(1, 1), Type(L"9"), Key(VK_ESCAPE)}, 1, 1, L"1.1", L"1.1"},
      {"F2 edits the current text",
       {Click(2, 1), Key(VK_F2), Type(L"5"), Key(VK_RETURN)},
       2,
       1,
       L"1.25",
       L"1.25"},
      {"enter edits the current text",
       {Click(2, 1), Key(VK_RETURN), Type(L"5"), Key(VK_RETURN)},
       2,
       1,
       L"1.25",
       L"1.25"},
      {"double click edits the current text",
       {DoubleClick(3, 2), Type(L"0"), Key(VK_RETURN)},
       3,
       2,
       L"2.30",
       L"2.30"},
      {"down commits and moves", {Click(1, 1), Type(L"3"), Key(VK_DOWN)}, 1, 1, L"3", L"2.1"},
      {"losing the focus commits", {Click(4, 4), Type(L"8"), FocusAway()}, 4, 4, L"8", L"8"},
      {"a click elsewhere commits", {Click(4, 4), Type(L"6"), Click(5, 5)}, 4, 4, L"6", L"5.5"},
      {"a header click selects its row or column",
       {Click(2, 2), Click(0, 3), Click(3, 0)},
       2,
       2,
       L"2.2",
       L"1.3"},
      {"arrows move the selection",
       {Click(1, 1), Key(VK_RIGHT), Key(VK_DOWN), Key(VK_DOWN)},
       2,
       3,
       L"3.2",
       L"3.2"},
      {"a cell holds text of any length",
       {Click(1, 1), Type(long_text), Key(VK_RETURN)},
       1,
       1,
       long_text,
       long_text},
      // End scrolls the last column into view: the first value column shown
      // is then 9, so a click on the first scrolled position hits it.
      {"clicks follow the scroll", {Click(1, 1), Key(VK_END), Click(1, 1)}, 9, 1, L"1.9", L"1.9"},
  };
  for (const EditCase& c : cases) {
    TearDown();
    SetUp();
    for (const Step& step : c.steps) Run(step);
    EXPECT_EQ(SelectedText(), c.selected) << c.name;
    EXPECT_FALSE(Editing()) << c.name;
    const TGridCells cells = GetGridCells(grid_);
    EXPECT_EQ(ToUtf16(cells[static_cast<std::size_t>(c.row)][static_cast<std::size_t>(c.col)]),
              c.want)
        << c.name;
  }
}

// GetGridCells commits an open edit and gives the focus back to the grid;
// SetGridCells drops it.
TEST_F(LineTypeGridTest, ReadingTheCellsCommitsAnOpenEditSettingThemDropsIt) {
  for (const Step& step : {Click(2, 2), Type(L"45")}) Run(step);
  ASSERT_TRUE(Editing());
  EXPECT_EQ(GetGridCells(grid_)[2][2], "45");
  EXPECT_FALSE(Editing());
  EXPECT_EQ(GetFocus(), grid_);

  Run(Type(L"7"));
  ASSERT_TRUE(Editing());
  TGridCells cells;
  cells[2][2] = "\x83\x8C";  // レ
  SetGridCells(grid_, cells);
  EXPECT_FALSE(Editing());
  EXPECT_EQ(SelectedText(), L"レ");
  EXPECT_EQ(GetGridCells(grid_)[2][2], "\x83\x8C");
}

struct RangeCase {
  const char* name;
  std::vector<Step> steps;
  TGridRange selection;
  std::string changes;
};

TEST_F(LineTypeGridTest, RangesAreSelectedFilledPastedAndUndone) {
  const RangeCase cases[] = {
      {"shift+arrows grow the range",
       {Click(2, 2), Chord(kShift, VK_RIGHT), Chord(kShift, VK_DOWN)},
       {2, 2, 3, 3},
       ""},
      {"an arrow alone ends it",
       {Click(2, 2), Chord(kShift, VK_RIGHT), Key(VK_DOWN)},
       {3, 3, 3, 3},
       ""},
      {"shift+click", {Click(2, 2), ShiftClick(4, 3)}, {2, 2, 4, 3}, ""},
      {"drag", {Drag(3, 2, 1, 1)}, {1, 1, 3, 2}, ""},
      {"corner selects every cell", {Click(0, 0)}, {1, 1, 16, 16}, ""},
      {"ctrl+a selects every cell", {Click(5, 5), Chord(kCtrl, 'A')}, {1, 1, 16, 16}, ""},
      {"delete sets the range to 0",
       {Click(1, 1), Chord(kShift, VK_RIGHT), Key(VK_DELETE)},
       {1, 1, 2, 1},
       "1.1=0;1.2=0;"},
      {"ctrl+enter fills the range with the typed value",
       {Click(1, 1), Chord(kShift, VK_DOWN), Type(L"7"), Chord(kCtrl, VK_RETURN)},
       {1, 1, 1, 2},
       "1.1=7;2.1=7;"},
      {"enter alone fills the cell",
       {Click(1, 1), Chord(kShift, VK_DOWN), Type(L"7"), Key(VK_RETURN)},
       {1, 1, 1, 2},
       "2.1=7;"},
      {"ctrl+z takes back the last change",
       {Click(1, 1), Type(L"5"), Key(VK_RETURN), Click(2, 2), Key(VK_DELETE), Chord(kCtrl, 'Z')},
       {2, 2, 2, 2},
       "1.1=5;"},
      {"ctrl+z twice",
       {Click(1, 1), Type(L"5"), Key(VK_RETURN), Key(VK_DELETE), Chord(kCtrl, 'Z'),
        Chord(kCtrl, 'Z')},
       {1, 1, 1, 1},
       ""},
      {"copy and paste a block",
       {Click(1, 1), Chord(kShift, VK_RIGHT), Chord(kCtrl, 'C'), Click(5, 5), Chord(kCtrl, 'V')},
       {5, 5, 6, 5},
       "5.5=1.1;5.6=1.2;"},
      {"one pasted value fills the range",
       {Clipboard(L"9\r\n"), Click(2, 2), ShiftClick(3, 3), Chord(kCtrl, 'V')},
       {2, 2, 3, 3},
       "2.2=9;2.3=9;3.2=9;3.3=9;"},
      {"a spreadsheet block stops at the last cell",
       {Clipboard(L"1\t2\t3\r\n4\t5\t6\r\n7\t8\t9\r\n"), Click(15, 15), Chord(kCtrl, 'V')},
       {15, 15, 16, 16},
       "15.15=1;15.16=2;16.15=4;16.16=5;"},
      {"F4 opens the list, Enter takes its choice",
       {Click(2, 2), Key(VK_F4), Key(VK_DOWN), Key(VK_DOWN), Key(VK_RETURN)},
       {2, 2, 2, 2},
       "2.2=2;"},
      {"the list's choice fills the range and can be undone",
       {Click(2, 2), ShiftClick(2, 3), Key(VK_F4), Key(VK_END), Key(VK_RETURN), Click(9, 9),
        Type(L"1"), Key(VK_RETURN), Chord(kCtrl, 'Z')},
       {9, 9, 9, 9},
       "2.2=62;3.2=62;"},
      {"Alt+Down opens the list, also while editing",
       {Click(2, 2), AltKey(VK_DOWN), Key(VK_END), Key(VK_RETURN), Click(3, 3), Type(L"1"),
        AltKey(VK_DOWN), Key(VK_HOME), Key(VK_RETURN)},
       {3, 3, 3, 3},
       "2.2=62;3.3=0;"},
      {"Esc closes the list",
       {Click(2, 2), Key(VK_F4), Key(VK_DOWN), Key(VK_ESCAPE)},
       {2, 2, 2, 2},
       ""},
  };
  for (const RangeCase& c : cases) {
    TearDown();
    SetUp();
    for (const Step& step : c.steps) Run(step);
    EXPECT_EQ(GetGridSelection(grid_), c.selection) << c.name;
    EXPECT_EQ(Changes(), c.changes) << c.name;
    EXPECT_EQ(GetFocus(), grid_) << c.name;
    EXPECT_EQ(FindWindowW(KX27_LINETYPE_LIST_CLASS, nullptr), nullptr) << c.name;
  }
  // Copying puts the range as tab-separated text.
  for (const Step& step : {Click(3, 4), ShiftClick(4, 5), Chord(kCtrl, 'C')}) Run(step);
  EXPECT_EQ(FromClipboard(), L"4.3\t4.4\r\n5.3\t5.4\r\n");
}

TEST_F(LineTypeGridTest, EnterEscapeAndTabBelongToTheEditNotTheDialog) {
  auto wants = [](HWND window, WPARAM key) {
    MSG press{window, WM_KEYDOWN, key, 0, 0, {}};
    return (SendMessageW(window, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&press)) &
            DLGC_WANTMESSAGE) != 0;
  };
  EXPECT_TRUE(wants(grid_, VK_RETURN));
  for (const Step& step : {Click(1, 1), Type(L"1")}) Run(step);
  HWND edit = GetFocus();
  ASSERT_NE(edit, grid_);
  for (WPARAM key : {VK_RETURN, VK_ESCAPE, VK_TAB}) EXPECT_TRUE(wants(edit, key)) << key;
}

}  // namespace
}  // namespace kx27
