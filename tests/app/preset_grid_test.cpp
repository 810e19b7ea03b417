#include "app/preset_grid.h"

#include <gtest/gtest.h>

namespace kx27 {
namespace {

TEST(PresetGrid, HeadersAreUpperCaseHexDigits) {
  TGridCells cells;
  cells[0][0] = "corner";
  cells[5][5] = "7";
  LabelGridHeaders(cells);
  const std::string digits = "0123456789ABCDEF";
  for (int i = 1; i < kGridSize; ++i) {
    EXPECT_EQ(cells[0][i], digits.substr(i - 1, 1));
    EXPECT_EQ(cells[i][0], digits.substr(i - 1, 1));
  }
  EXPECT_EQ(cells[0][0], "corner");
  EXPECT_EQ(cells[5][5], "7");
}

TEST(PresetGrid, StoresCellsThroughTheLineTypeFilter) {
  struct Case {
    std::string_view cell;
    std::int32_t stored;
  };
  const Case cases[] = {
      {" 7", 7}, {"7 ", 0},  {"$3E", 62}, {"x1F", 31}, {"100", 0}, {"10", 0},
      {"-5", 0}, {"", 0},    {"1.0", 0},  {"+12", 12}, {"\x82\x50", 0},  // full-width 1
  };
  for (const Case& c : cases) {
    TGridCells cells;
    cells[16][16] = c.cell;  // group F, layer F
    TPreset preset;
    preset.Values.fill(3);
    StoreGridToPreset(cells, "", preset);
    EXPECT_EQ(preset.Values[255], c.stored) << "'" << c.cell << "'";
    EXPECT_EQ(preset.Values[0], 0) << "every cell is stored";
  }
}

TEST(PresetGrid, RowIsTheGroupAndColumnTheLayer) {
  TGridCells cells;
  cells[2][4] = "5";    // group 1, layer 3
  cells[16][1] = "62";  // group F, layer 0
  cells[0][1] = "9";    // headers are never values
  cells[1][0] = "9";
  TPreset preset;
  StoreGridToPreset(cells, "a\r\nb", preset);
  EXPECT_EQ(preset.Comment, "a  b");
  for (int i = 0; i < 256; ++i) {
    const std::int32_t expected = i == 1 * 16 + 3 ? 5 : i == 15 * 16 + 0 ? 62 : 0;
    EXPECT_EQ(preset.Values[i], expected) << i;
  }

  TGridCells shown;
  LabelGridHeaders(shown);
  std::string comment;
  preset.Values[0] = 100;  // not a line type: shown as 0
  ShowPresetInGrid(preset, shown, comment);
  EXPECT_EQ(comment, "a  b");
  EXPECT_EQ(shown[2][4], "5");
  EXPECT_EQ(shown[16][1], "62");
  EXPECT_EQ(shown[1][1], "0");
  EXPECT_EQ(shown[0][1], "0");
  EXPECT_EQ(shown[1][0], "0");
  EXPECT_EQ(shown[0][16], "F");
}

TEST(PresetGrid, ClearEmptiesValuesOnly) {
  TGridCells cells;
  LabelGridHeaders(cells);
  cells[3][3] = "12";
  ClearGridValues(cells);
  for (int r = 1; r < kGridSize; ++r)
    for (int c = 1; c < kGridSize; ++c) EXPECT_EQ(cells[r][c], "0");
  EXPECT_EQ(cells[0][3], "2");
  EXPECT_EQ(cells[3][0], "2");
}

}  // namespace
}  // namespace kx27
