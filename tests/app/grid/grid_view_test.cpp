#include "app/grid/view.h"

#include <gtest/gtest.h>

namespace kx27 {
namespace {

// The designed grid box less its border and scroll bars: 8 columns and 8 rows
// of value cells fit wholly.
TGridView DesignedView(int dpi = 96) {
  TGridView view;
  SetClientSize(view, (kHeaderWidth + 8 * kCellWidth) * dpi / 96, 9 * kCellHeight * dpi / 96);
  SetScale(view, dpi);
  return view;
}

struct MoveCase {
  const char* name;
  int col, row;
  TGridMove move;
  int want_col, want_row;
};

TEST(GridView, MovesKeepTheSelectionOnValueCellsAndInView) {
  const MoveCase cases[] = {
      {"left stops at the first column", 1, 3, TGridMove::kLeft, 1, 3},
      {"up stops at the first row", 4, 1, TGridMove::kUp, 4, 1},
      {"right past the page scrolls one column", 8, 1, TGridMove::kRight, 9, 1},
      {"down past the page scrolls one row", 1, 8, TGridMove::kDown, 1, 9},
      {"right stops at the last column", 16, 1, TGridMove::kRight, 16, 1},
      {"end goes to the row's last cell", 3, 2, TGridMove::kRowEnd, 16, 2},
      {"home goes to the row's first cell", 16, 2, TGridMove::kRowStart, 1, 2},
      {"ctrl+end goes to the last cell", 2, 2, TGridMove::kGridEnd, 16, 16},
      {"ctrl+home goes to the first cell", 16, 16, TGridMove::kGridStart, 1, 1},
      {"page down moves a page of rows", 2, 1, TGridMove::kPageDown, 2, 9},
      {"page down stops at the last row", 2, 14, TGridMove::kPageDown, 2, 16},
      {"page up stops at the first row", 2, 3, TGridMove::kPageUp, 2, 1},
  };
  for (int dpi : {96, 144}) {
    for (const MoveCase& c : cases) {
      TGridView view = DesignedView(dpi);
      Select(view, c.col, c.row);
      MoveSelection(view, c.move);
      EXPECT_EQ(view.Col, c.want_col) << c.name << " " << dpi;
      EXPECT_EQ(view.Row, c.want_row) << c.name << " " << dpi;
      EXPECT_EQ(Selection(view), (TGridRange{c.want_col, c.want_row, c.want_col, c.want_row}));
      EXPECT_GE(view.Col, view.LeftCol) << c.name;
      EXPECT_LT(view.Col, view.LeftCol + view.PageCols) << c.name;
      EXPECT_GE(view.Row, view.TopRow) << c.name;
      EXPECT_LT(view.Row, view.TopRow + view.PageRows) << c.name;
    }
  }
}

TEST(GridView, RangesGrowFromTheAnchor) {
  TGridView view = DesignedView();
  Select(view, 3, 3);
  MoveSelection(view, TGridMove::kRight, true);
  MoveSelection(view, TGridMove::kDown, true);
  EXPECT_EQ(Selection(view), (TGridRange{3, 3, 4, 4}));
  MoveSelection(view, TGridMove::kGridStart, true);
  EXPECT_EQ(Selection(view), (TGridRange{1, 1, 3, 3}));
  Select(view, 5, 2, true);
  EXPECT_EQ(Selection(view), (TGridRange{3, 2, 5, 3}));
  MoveSelection(view, TGridMove::kLeft);
  EXPECT_EQ(Selection(view), (TGridRange{4, 2, 4, 2}));

  SelectRow(view, 5);
  EXPECT_EQ(Selection(view), (TGridRange{1, 5, 16, 5}));
  EXPECT_EQ(view.Col, 1);
  SelectColumn(view, 7);
  EXPECT_EQ(Selection(view), (TGridRange{7, 1, 7, 16}));
  SelectAll(view);
  EXPECT_EQ(Selection(view), (TGridRange{1, 1, 16, 16}));
  EXPECT_EQ(view.LeftCol, 1);
  EXPECT_EQ(view.TopRow, 1);
}

struct HitCase {
  const char* name;
  int left_col, top_row;
  int x, y;
  bool hit;
  int want_col, want_row;
};

TEST(GridView, CellAtFollowsTheScrollButNotForFixedCells) {
  const HitCase cases[] = {
      {"corner", 1, 1, 5, 5, true, 0, 0},
      {"first value cell", 1, 1, 96, 24, true, 1, 1},
      {"last pixel of the first value cell", 1, 1, 131, 47, true, 1, 1},
      {"centre of (2, 2)", 1, 1, 96 + 36 + 18, 2 * 24 + 12, true, 2, 2},
      {"fixed column while scrolled", 5, 3, 90, 30, true, 0, 3},
      {"fixed row while scrolled", 5, 3, 100, 10, true, 5, 0},
      {"scrolled value cell", 5, 3, 96 + 36 + 1, 24 + 1, true, 6, 3},
      {"past the last column", 9, 1, 96 + 36 * 8 + 1, 30, false, 0, 0},
      {"left of the client area", 1, 1, -1, 30, false, 0, 0},
  };
  for (const HitCase& c : cases) {
    TGridView view = DesignedView();
    ScrollTo(view, c.left_col, c.top_row);
    int col = -1;
    int row = -1;
    ASSERT_EQ(CellAt(view, c.x, c.y, col, row), c.hit) << c.name;
    if (!c.hit) continue;
    EXPECT_EQ(col, c.want_col) << c.name;
    EXPECT_EQ(row, c.want_row) << c.name;
    EXPECT_LE(CellLeft(view, col), c.x) << c.name;
    EXPECT_GT(CellLeft(view, col) + CellWidth(view, col), c.x) << c.name;
  }
}

TEST(GridView, ScrollStaysInRangeWhenTheBoxOrTheScaleChanges) {
  TGridView view = DesignedView();
  ScrollTo(view, 99, 99);
  EXPECT_EQ(view.LeftCol, 9);
  EXPECT_EQ(view.TopRow, 9);
  EXPECT_EQ(ScrollX(view), 8 * kCellWidth);
  // At twice the scale in the same box, half as many cells fit.
  SetScale(view, 192);
  EXPECT_EQ(view.CellWidth, 72);
  EXPECT_EQ(view.HeaderWidth, 192);
  EXPECT_EQ(view.PageCols, 2);
  EXPECT_EQ(view.LeftCol, 9);
  EXPECT_EQ(view.TopRow, 9);
  // 125 %: sizes round to the nearest pixel.
  SetScale(view, 120);
  EXPECT_EQ(view.CellWidth, 45);
  EXPECT_EQ(view.CellHeight, 30);
  // A box that shows every cell leaves nothing to scroll.
  SetScale(view, 96);
  SetClientSize(view, kHeaderWidth + 16 * kCellWidth, 17 * kCellHeight);
  EXPECT_EQ(view.LeftCol, 1);
  EXPECT_EQ(view.TopRow, 1);
  // A box smaller than one cell still shows one.
  SetClientSize(view, 10, 10);
  EXPECT_EQ(view.PageCols, 1);
  EXPECT_EQ(view.PageRows, 1);
}

}  // namespace
}  // namespace kx27
