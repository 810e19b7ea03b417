// Range fill, the tab-separated clipboard format and the undo history of
// the grid.

#include <gtest/gtest.h>

#include "app/grid/clipboard.h"
#include "app/grid/range.h"
#include "app/grid/undo.h"

namespace kx27 {
namespace {

// Each value cell "row.col".
TGridCells NumberedCells() {
  TGridCells cells;
  LabelGridHeaders(cells);
  for (int row = 1; row < kGridSize; ++row)
    for (int col = 1; col < kGridSize; ++col)
      cells[row][col] = std::to_string(row) + "." + std::to_string(col);
  return cells;
}

// The cells that differ from NumberedCells, as "row.col=text;".
std::string Changes(const TGridCells& cells) {
  const TGridCells base = NumberedCells();
  std::string changes;
  for (int row = 0; row < kGridSize; ++row)
    for (int col = 0; col < kGridSize; ++col)
      if (cells[row][col] != base[row][col])
        changes += std::to_string(row) + "." + std::to_string(col) + "=" + cells[row][col] + ";";
  return changes;
}

TEST(GridRange, CornersInAnyOrderClampedToTheValueCells) {
  EXPECT_EQ(RangeBetween(3, 5, 1, 2), (TGridRange{1, 2, 3, 5}));
  EXPECT_EQ(RangeBetween(0, 20, 17, -1), (TGridRange{1, 1, 16, 16}));
  EXPECT_TRUE(Contains(TGridRange{2, 2, 3, 4}, 3, 4));
  EXPECT_FALSE(Contains(TGridRange{2, 2, 3, 4}, 4, 4));
  EXPECT_FALSE(Contains(TGridRange{2, 2, 3, 4}, 2, 1));

  TGridCells cells = NumberedCells();
  FillRange(cells, TGridRange{15, 2, 16, 3}, "9");
  EXPECT_EQ(Changes(cells), "2.15=9;2.16=9;3.15=9;3.16=9;");
}

TEST(ParseTsv, ReadsWhatSpreadsheetsAndEditorsCopy) {
  const std::pair<const char*, TTextBlock> cases[] = {
      {"", {}},
      {"5", {{"5"}}},
      {"5\r\n", {{"5"}}},
      {"1\t2\t3\r\n4\t5\t6\r\n", {{"1", "2", "3"}, {"4", "5", "6"}}},
      {"1\t2\n3\t4", {{"1", "2"}, {"3", "4"}}},
      {"1\r2\r", {{"1"}, {"2"}}},
      {"1\t\t3\r\n", {{"1", "", "3"}}},
      {"\t\r\n", {{"", ""}}},
      {"1\r\n\r\n2\r\n", {{"1"}, {""}, {"2"}}},
      {" 7 \t 8\r\n", {{"7", "8"}}},
      {"\"a\tb\"\t\"say \"\"x\"\"\"\r\n\"two\r\nlines\"\r\n",
       {{"a\tb", "say \"x\""}, {"two\r\nlines"}}},
      {"\x83\x8c\t5\r\n", {{"\x83\x8c", "5"}}},  // Shift_JIS passes as it is
      // Typed with the Japanese IME on: full-width digits, minus and blanks.
      {"\x82\x54\t\x82\x50\x82\x51\r\n\x81\x40\x81\x7c\x82\x50\x81\x40\r\n", {{"5", "12"}, {"-1"}}},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(ParseTsv(text), want) << text;
}

TEST(FormatTsv, RoundTripsThroughParse) {
  const TGridCells cells = NumberedCells();
  const TGridRange range{3, 4, 5, 5};
  const std::string text = FormatTsv(cells, range);
  EXPECT_EQ(text, "4.3\t4.4\t4.5\r\n5.3\t5.4\t5.5\r\n");
  EXPECT_EQ(ParseTsv(text), (TTextBlock{{"4.3", "4.4", "4.5"}, {"5.3", "5.4", "5.5"}}));
  EXPECT_EQ(FormatTsv(cells, TGridRange{16, 16, 16, 16}), "16.16\r\n");
}

TEST(PasteBlock, PlacesBlocksAtTheTopLeftAndFillsWithOneValue) {
  struct Case {
    const char* name;
    TGridRange selection;
    TTextBlock block;
    TGridRange written;
    std::string changes;
  };
  const Case cases[] = {
      {"block", {2, 3, 2, 3}, {{"1", "2"}, {"3", "4"}}, {2, 3, 3, 4}, "3.2=1;3.3=2;4.2=3;4.3=4;"},
      {"block larger than the selection",
       {2, 3, 2, 3},
       {{"1", "2", "3"}},
       {2, 3, 4, 3},
       "3.2=1;3.3=2;3.4=3;"},
      {"block into a larger selection", {1, 1, 4, 4}, {{"1", "2"}}, {1, 1, 2, 1}, "1.1=1;1.2=2;"},
      {"one value fills the selection",
       {2, 2, 3, 3},
       {{"5"}},
       {2, 2, 3, 3},
       "2.2=5;2.3=5;3.2=5;3.3=5;"},
      {"cut at the last row and column",
       {16, 15, 16, 15},
       {{"1", "2"}, {"3", "4"}, {"5", "6"}},
       {16, 15, 16, 16},
       "15.16=1;16.16=3;"},
      {"ragged rows", {1, 1, 1, 1}, {{"1"}, {"2", "3"}}, {1, 1, 2, 2}, "1.1=1;2.1=2;2.2=3;"},
      {"nothing", {1, 1, 1, 1}, {}, {1, 1, 0, 0}, ""},
  };
  for (const Case& c : cases) {
    TGridCells cells = NumberedCells();
    EXPECT_EQ(PasteBlock(cells, c.selection, c.block), c.written) << c.name;
    EXPECT_EQ(Changes(cells), c.changes) << c.name;
  }
}

TEST(GridUndo, TakesBackChangesNewestFirstAndOnlyRealOnes) {
  TGridUndo undo;
  TGridCells cells = NumberedCells();
  TGridCells before = cells;
  FillRange(cells, TGridRange{1, 1, 2, 1}, "5");
  undo.Record(before, cells);
  before = cells;
  cells[16][16] = "62";
  undo.Record(before, cells);
  undo.Record(cells, cells);  // no change: nothing to take back
  cells[0][1] = "header";     // outside the values: not the history's business

  ASSERT_TRUE(undo.Undo(cells));
  EXPECT_EQ(Changes(cells), "0.1=header;1.1=5;1.2=5;");
  ASSERT_TRUE(undo.Undo(cells));
  EXPECT_EQ(Changes(cells), "0.1=header;");
  EXPECT_TRUE(undo.Empty());
  EXPECT_FALSE(undo.Undo(cells));

  // Only the newest kDepth changes are kept.
  for (std::size_t step = 0; step <= TGridUndo::kDepth; ++step) {
    before = cells;
    cells[1][1] = std::to_string(step);
    undo.Record(before, cells);
  }
  std::size_t undone = 0;
  while (undo.Undo(cells)) ++undone;
  EXPECT_EQ(undone, TGridUndo::kDepth);
  EXPECT_EQ(cells[1][1], "0");
}

// Clearing a preset empties the comment too: taking the clear back brings
// it back, even when the values were all 0 already; other steps carry none.
TEST(GridUndo, TakingBackAClearBringsTheCommentBack) {
  TGridUndo undo;
  TGridCells cells = NumberedCells();
  TGridCells before = cells;
  cells[2][2] = "7";
  undo.Record(before, cells);
  before = cells;
  ClearGridValues(cells);
  undo.Record(before, cells, "外構");
  before = cells;
  undo.Record(before, cells, "");  // cleared again: the empty comment is still a step

  std::optional<std::string> comment;
  ASSERT_TRUE(undo.Undo(cells, &comment));
  EXPECT_EQ(comment, std::optional<std::string>(""));
  ASSERT_TRUE(undo.Undo(cells, &comment));
  EXPECT_EQ(comment, std::optional<std::string>("外構"));
  EXPECT_EQ(Changes(cells), "2.2=7;");
  ASSERT_TRUE(undo.Undo(cells, &comment));
  EXPECT_EQ(comment, std::nullopt);
  EXPECT_EQ(Changes(cells), "");
}

}  // namespace
}  // namespace kx27
