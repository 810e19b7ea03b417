#include "app/win/string_grid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win/encoding.h"
#include "app/win/grid_view.h"
#include "app/win/resource.h"

namespace kx27 {
namespace {

enum class Act { kClick, kDoubleClick, kType, kKey, kFocusAway };

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
Step FocusAway() { return {Act::kFocusAway}; }

class StringGridTest : public testing::Test {
 protected:
  // One top-level window for the whole suite: under Wine each new one costs
  // seconds, a child window nothing.
  static void SetUpTestSuite() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterStringGrid(instance);
    parent_ = CreateWindowExW(0, L"STATIC", L"grid test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                              0, 400, 300, nullptr, nullptr, instance, nullptr);
  }

  static void TearDownTestSuite() { DestroyWindow(parent_); }

  void SetUp() override {
    ASSERT_NE(parent_, nullptr);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    grid_ = CreateWindowExW(WS_EX_CLIENTEDGE, KX27_GRID_CLASS, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL, 24, 64,
                            289, 185, parent_, nullptr, instance, nullptr);
    ASSERT_NE(grid_, nullptr);
    other_ = CreateWindowExW(0, L"BUTTON", L"other", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 320, 10,
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
        const LPARAM at = MAKELPARAM(step.a * kCellWidth + 5, step.b * kCellHeight + 5);
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
      case Act::kFocusAway: SetFocus(other_); break;
    }
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
  int col, row;         // the cell to check
  std::wstring want;    // its text afterwards
  std::wstring selected;  // the selected cell's text afterwards
};

TEST_F(StringGridTest, EditingCommitsRestoresAndMoves) {
  const std::wstring long_text(300, L'7');
  const EditCase cases[] = {
      {"typing replaces the text", {Click(1, 1), Type(L"12"), Key(VK_RETURN)}, 1, 1, L"12", L"12"},
      {"escape restores it", {Click(1, 1), Type(L"9"), Key(VK_ESCAPE)}, 1, 1, L"1.1", L"1.1"},
      {"F2 edits the current text", {Click(2, 1), Key(VK_F2), Type(L"5"), Key(VK_RETURN)}, 2, 1,
       L"1.25", L"1.25"},
      {"enter edits the current text", {Click(2, 1), Key(VK_RETURN), Type(L"5"), Key(VK_RETURN)},
       2, 1, L"1.25", L"1.25"},
      {"double click edits the current text",
       {DoubleClick(3, 2), Type(L"0"), Key(VK_RETURN)}, 3, 2, L"2.30", L"2.30"},
      {"down commits and moves", {Click(1, 1), Type(L"3"), Key(VK_DOWN)}, 1, 1, L"3", L"2.1"},
      {"losing the focus commits", {Click(4, 4), Type(L"8"), FocusAway()}, 4, 4, L"8", L"8"},
      {"a click elsewhere commits", {Click(4, 4), Type(L"6"), Click(5, 5)}, 4, 4, L"6", L"5.5"},
      {"fixed cells are not selected", {Click(2, 2), Click(0, 3), Click(3, 0)}, 2, 2, L"2.2",
       L"2.2"},
      {"arrows move the selection", {Click(1, 1), Key(VK_RIGHT), Key(VK_DOWN), Key(VK_DOWN)}, 2,
       3, L"3.2", L"3.2"},
      {"a cell holds text of any length", {Click(1, 1), Type(long_text), Key(VK_RETURN)}, 1, 1,
       long_text, long_text},
      // End scrolls the last column into view: the first value column shown
      // is then 11, so a click on the first scrolled position hits it.
      {"clicks follow the scroll", {Click(1, 1), Key(VK_END), Click(1, 1)}, 11, 1, L"1.11",
       L"1.11"},
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
TEST_F(StringGridTest, ReadingTheCellsCommitsAnOpenEditSettingThemDropsIt) {
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

TEST_F(StringGridTest, EnterEscapeAndTabBelongToTheEditNotTheDialog) {
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
