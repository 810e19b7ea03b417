// Names and element counts of the layers of a read drawing, and the change
// count that the dialog and the dry run show, checked against the
// conversion itself.

#include "app/convert/layer_summary.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "app/convert/conversion.h"
#include "app/grid/layer_names.h"
#include "app/grid/status.h"
#include "exchange/drawing.h"
#include "exchange/reader.h"

namespace kx27 {
namespace {

// Group 0 "建具" layer 3 "窓": a line (lt1), a circle (lt5), an arc (lt1);
// group 0 layer 5 named only by blanks: a text and a dimension whose line is on layer 5;
// group 0 layer 4: a dimension whose line was read on layer 5; group A
// unnamed, layer F "　外構 ": two lines of line type 7. Names come with the
// blanks the host writes around them.
constexpr std::string_view kLines[] = {"hq",
                                       "lg0",
                                       "lgn \x8c\x9a\x8b\xef",
                                       "ly3",
                                       "lyn\x91\x8b",
                                       "lt1",
                                       "0 0 10 0",
                                       "lt5",
                                       "ci 0 0 5",
                                       "lt1",
                                       "ci 0 0 3 0 90 1 0",
                                       "ly5",
                                       "lyn \x81\x40",
                                       "ch 0 0 1 0 \"a",
                                       "msg",
                                       "0 0 3 4",
                                       "cs 1 2 1 0 \"5",
                                       "msg",
                                       "0 0 1 1",
                                       "ly4",
                                       "cs 1 2 1 0 \"6",
                                       "lgA",
                                       "lyF",
                                       "lyn\x81\x40\x8a\x4f\x8d\x5c ",
                                       "lt7",
                                       "1 1 2 2",
                                       "3 3 4 4"};

TDrawing ReadLines() {
  TExchangeReader reader;
  for (std::string_view line : kLines) reader.ParseLine(line);
  return std::move(reader.Drawing());
}

class LayerSummaryTest : public ::testing::Test {
 protected:
  TDrawing drawing_ = ReadLines();
  const TDrawingState& Drawing = drawing_.State;
  const TElementStore& Store = drawing_.Store;
};

TEST_F(LayerSummaryTest, LabelsCarryTheDrawingsNamesOrTheNumberAlone) {
  EXPECT_EQ(GroupLabel(Drawing, 0), "0 \x8c\x9a\x8b\xef");  // 0 建具
  EXPECT_EQ(GroupLabel(Drawing, 10), "A");
  EXPECT_EQ(LayerLabel(Drawing, 0, 3), "3 \x91\x8b");  // 3 窓
  EXPECT_EQ(LayerLabel(Drawing, 0, 5), "5");
  EXPECT_EQ(LayerLabel(Drawing, 10, 15), "F \x8a\x4f\x8d\x5c");  // F 外構
  EXPECT_EQ(LayerLabel(Drawing, 1, 3), "3");                     // the name belongs to group 0

  TGridCells cells;
  LabelGridHeaders(cells, Drawing, 0);
  EXPECT_EQ(cells[1][0], "0 \x8c\x9a\x8b\xef");
  EXPECT_EQ(cells[11][0], "A");
  EXPECT_EQ(cells[0][4], "3 \x91\x8b");
  EXPECT_EQ(cells[0][16], "F");
  LabelGridHeaders(cells, Drawing, 10);
  EXPECT_EQ(cells[0][4], "3");
  EXPECT_EQ(cells[0][16], "F \x8a\x4f\x8d\x5c");
  EXPECT_EQ(cells[0][0], "");
}

TEST_F(LayerSummaryTest, CountsConvertibleElementsByLayerAndKind) {
  const TLayerSummary summary = SummarizeLayers(Store);
  EXPECT_EQ(summary.Count(TConvertible::kLine, 3), 1);
  EXPECT_EQ(summary.Count(TConvertible::kCircle, 3), 1);
  EXPECT_EQ(summary.Count(TConvertible::kArc, 3), 1);
  EXPECT_EQ(summary.Count(TConvertible::kDimensionLine, 5), 1);
  EXPECT_EQ(summary.Count(TConvertible::kLine, 10 * 16 + 15), 2);
  EXPECT_EQ(summary.Elements(3, false), 3);
  EXPECT_EQ(summary.Elements(5, false), 0);  // a text does not count
  EXPECT_EQ(summary.Elements(5, true), 1);
  EXPECT_EQ(summary.Elements(4, false), 0);
  EXPECT_EQ(summary.Elements(4, true), 1);  // a dimension goes by its own layer
  EXPECT_EQ(summary.Elements(6, true), 0);
}

// Whatever the preset, the count matches what the conversion then changes.
TEST_F(LayerSummaryTest, ChangeCountMatchesTheConversion) {
  struct Case {
    const char* name;
    std::initializer_list<std::pair<int, std::int32_t>> values;  // cell, value
    std::int64_t without_dimensions, with_dimensions;
  };
  const Case cases[] = {
      {"empty preset", {}, 0, 0},
      {"new type on a full layer", {{3, 2}}, 3, 3},
      {"the type most elements have", {{3, 1}}, 1, 1},
      {"the type they all have", {{10 * 16 + 15, 7}}, 0, 0},
      {"the dimension's layer", {{5, 9}}, 0, 1},
      {"not the layer its line was read on", {{4, 9}}, 0, 1},
      {"every cell", {{3, 5}, {5, 62}, {10 * 16 + 15, 31}, {255, 9}}, 4, 5},
  };
  const TLayerSummary summary = SummarizeLayers(Store);
  for (const Case& c : cases) {
    for (bool dimensions : {false, true}) {
      TPreset preset;
      for (const auto& [cell, value] : c.values)
        preset.Values[static_cast<std::size_t>(cell)] = value;
      const std::int64_t counted = ChangedElements(summary, preset.Values, dimensions);
      EXPECT_EQ(counted, dimensions ? c.with_dimensions : c.without_dimensions)
          << c.name << " dimensions " << dimensions;
      TDrawing fresh = ReadLines();
      EXPECT_EQ(ApplyLineTypes(fresh, preset, dimensions), counted) << c.name << " " << dimensions;
    }
  }
}

// The dialog's status line: the grid as it would be stored.
TEST_F(LayerSummaryTest, GridStatusCountsWhatTheStoredValuesChange) {
  const TLayerSummary summary = SummarizeLayers(Store);
  TGridCells cells;
  ClearGridValues(cells);
  const std::tuple<int, int, std::string> typed[] = {
      {1, 4, "2"},     // group 0 layer 3: all three change
      {1, 6, "$9"},    // group 0 layer 5: the dimension line
      {11, 16, "10"},  // no line type: stored as 0
      {2, 2, "x"},
  };
  for (const auto& [row, col, text] : typed) cells[row][col] = text;
  for (bool dimensions : {false, true}) {
    const TGridStatus status = GridStatus(cells, summary, dimensions);
    EXPECT_EQ(status.Changed, dimensions ? 4 : 3);
    EXPECT_EQ(status.NotLineTypes, 2);
    TPreset preset;
    StoreGridToPreset(cells, "", preset);
    EXPECT_EQ(ChangedElements(summary, preset.Values, dimensions), status.Changed);
  }
}

}  // namespace
}  // namespace kx27
