#include "app/presets/preset.h"

#include <gtest/gtest.h>

#include "app/form/progress_caption.h"
#include "app/grid/preset_grid.h"
#include "app/presets/jwf_import.h"

namespace kx27 {
namespace {

TEST(FilterLineType, KeepsOnlyLineTypesTheHostKnows) {
  const std::pair<std::int32_t, std::int32_t> cases[] = {
      {-2147483647 - 1, 0},
      {-1, 0},
      {0, 0},
      {1, 1},
      {9, 9},
      {10, 0},
      {11, 11},
      {19, 19},
      {20, 0},
      {30, 0},
      {31, 31},
      {45, 45},
      {46, 0},
      {47, 47},
      {62, 62},
      {63, 0},
      {2147483647, 0},
  };
  for (const auto& [value, kept] : cases) {
    EXPECT_EQ(FilterLineType(value), kept) << value;
    EXPECT_EQ(IsLineType(value), value == 0 || kept != 0) << value;
  }
}

TEST(ProgressCaption, CountsInFullWidthSeparators) {
  // 処理中(ESC:中断)：101／250
  EXPECT_EQ(ProgressCaption(101, 250), u"\u51E6\u7406\u4E2D(ESC:\u4E2D\u65AD)\uFF1A101\uFF0F250");
}

TEST(SettingsWarningCaption, NamesTheFileWhenItWasCutShortOrUnreadable) {
  const std::pair<TLoadResult, std::u16string_view> cases[] = {
      {TLoadResult::kLoaded, u""},
      {TLoadResult::kMissing, u""},
      {TLoadResult::kTruncated, u"設定ファイル a.dat が途中で切れています（欠けた値は 0）"},
      {TLoadResult::kUnreadable, u"設定ファイル a.dat を最後まで読めませんでした"},
  };
  for (const auto& [result, caption] : cases)
    EXPECT_TRUE(SettingsWarningCaption(result, u"a.dat") == caption);
}

TEST(PresetGrid, StoresCellsThroughTheLineTypeFilter) {
  const std::pair<std::string_view, std::int32_t> cases[] = {
      {" 7", 7}, {"7 ", 0}, {"$3E", 62}, {"x1F", 31}, {"100", 0},      {"10", 0},
      {"-5", 0}, {"", 0},   {"1.0", 0},  {"+12", 12}, {"\x82\x50", 0},  // full-width 1
  };
  for (const auto& [cell, stored] : cases) {
    TGridCells cells;
    cells[16][16] = cell;  // group F, layer F
    TPreset preset;
    preset.Values.fill(3);
    StoreGridToPreset(cells, "", preset);
    EXPECT_EQ(preset.Values[255], stored) << "'" << cell << "'";
    EXPECT_EQ(preset.Values[0], 0) << "every cell is stored";
  }
}

// An environment file's row shows as it is written, one that is no line
// type included, and the preset it is stored into holds only line types.
TEST(PresetGrid, ImportedRowsEnterThePresetAsLineTypes) {
  const TJwfRows rows = ParseJwf("LAYTYP_2 = 99, 5, $3E, junk, -1, 10, 62, 1.5, 0, x13, 46\r\n");
  ASSERT_TRUE(rows[2]);
  const struct {
    std::string_view shown;
    std::int32_t held;
  } cases[] = {
      {"99", 0},  {"5", 5}, {"62", 62}, {"0", 0},   {"-1", 0}, {"10", 0},
      {"62", 62}, {"0", 0}, {"0", 0},   {"19", 19}, {"46", 0}, {"0", 0},
  };
  TGridCells cells;
  for (std::size_t layer = 0; layer < 16; ++layer) cells[3][layer + 1] = (*rows[2])[layer];
  TPreset preset;
  StoreGridToPreset(cells, "", preset);
  for (std::size_t layer = 0; layer < std::size(cases); ++layer) {
    EXPECT_EQ(cells[3][layer + 1], cases[layer].shown) << layer;
    EXPECT_EQ(preset.Values[2 * 16 + layer], cases[layer].held) << layer;
  }
  for (const std::int32_t value : preset.Values) EXPECT_TRUE(IsLineType(value)) << value;
}

TEST(PresetGrid, RowIsTheGroupAndColumnTheLayer) {
  TGridCells cells;
  LabelGridHeaders(cells);           // headers are never values
  cells[2][4] = std::string("5");    // group 1, layer 3
  cells[16][1] = std::string("62");  // group F, layer 0
  TPreset preset;
  StoreGridToPreset(cells, "a\r\nb", preset);
  EXPECT_EQ(preset.Comment, "a  b");
  for (int i = 0; i < 256; ++i) EXPECT_EQ(preset.Values[i], i == 19 ? 5 : i == 240 ? 62 : 0) << i;

  preset.Values[0] = 31;
  std::string comment;
  ShowPresetInGrid(preset, cells, comment);
  EXPECT_EQ(comment, "a  b");
  EXPECT_EQ(cells[2][4] + cells[16][1] + cells[1][1] + cells[1][2], "562310");
  EXPECT_EQ(cells[0][1] + cells[0][16] + cells[1][0] + cells[16][0], "0F0F");

  ClearGridValues(cells);
  for (int r = 1; r < kGridSize; ++r)
    for (int c = 1; c < kGridSize; ++c) EXPECT_EQ(cells[r][c], "0");
  EXPECT_EQ(cells[0][11] + cells[11][0], "AA");
}

}  // namespace
}  // namespace kx27
