#include "app/conversion.h"

#include <gtest/gtest.h>

#include "exchange/drawing_state.h"
#include "exchange/emitters.h"
#include "exchange/output_buffer.h"
#include "exchange/reader.h"
#include "tests/app/sample_exchange.h"
#include "tests/app/temp_folder.h"

namespace kx27 {
namespace {

using namespace testing;

template <typename Rec>
Rec Record(std::int32_t group, std::int32_t layer, std::int32_t line_type) {
  Rec rec{};
  rec.Group = group;
  rec.Layer = layer;
  rec.LineType = line_type;
  return rec;
}

TEST(ApplyLineTypes, ChangesLinesCirclesArcsAndOptionallyDimensionLines) {
  TPreset preset;
  preset.Values[0 * 16 + 3] = 5;
  preset.Values[2 * 16 + 15] = 62;
  preset.Values[15 * 16 + 1] = 9;

  struct Case {
    std::string_view name;
    bool dimensions;
    std::int64_t changed;
    // Line types after the pass, in the order the records are made below.
    std::int32_t line, line_kept, line_same, circle, arc, text, point, solid, dim_line,
        dim_own_layer;
  };
  const Case cases[] = {
      {"without dimensions", false, 3, 5, 2, 62, 62, 9, 7, 7, 7, 4, 4},
      {"with dimensions", true, 4, 5, 2, 62, 62, 9, 7, 7, 7, 5, 4},
  };
  for (const Case& c : cases) {
    ResetDrawingState();
    Store.Lines = {Record<TLineRec>(0, 3, 1), Record<TLineRec>(0, 4, 2),
                   Record<TLineRec>(2, 15, 62)};
    Store.Circles = {Record<TCircleRec>(2, 15, 1)};
    Store.Arcs = {Record<TArcRec>(15, 1, 3)};
    Store.Texts = {Record<TTextRec>(0, 3, 7)};
    Store.Points = {Record<TPointRec>(0, 3, 7)};
    Store.Solid2s = {Record<TSolid2Rec>(0, 3, 7)};
    // The dimension's own layer has no value; its line's layer has.
    TDimRec dim = Record<TDimRec>(1, 1, 4);
    dim.Line = Record<TLineRec>(0, 3, 4);
    dim.Text = Record<TTextRec>(0, 3, 4);
    Store.Dims = {dim};

    EXPECT_EQ(ApplyLineTypes(preset, c.dimensions), c.changed) << c.name;
    EXPECT_EQ(Store.Lines[0].LineType, c.line) << c.name;
    EXPECT_EQ(Store.Lines[1].LineType, c.line_kept) << c.name;
    EXPECT_EQ(Store.Lines[2].LineType, c.line_same) << c.name;
    EXPECT_EQ(Store.Circles[0].LineType, c.circle) << c.name;
    EXPECT_EQ(Store.Arcs[0].LineType, c.arc) << c.name;
    EXPECT_EQ(Store.Texts[0].LineType, c.text) << c.name;
    EXPECT_EQ(Store.Points[0].LineType, c.point) << c.name;
    EXPECT_EQ(Store.Solid2s[0].LineType, c.solid) << c.name;
    EXPECT_EQ(Store.Dims[0].Line.LineType, c.dim_line) << c.name;
    EXPECT_EQ(Store.Dims[0].LineType, c.dim_own_layer) << c.name;
    EXPECT_EQ(Store.Dims[0].Text.LineType, 4) << c.name;
  }
  ResetDrawingState();
}

TEST(ApplyLineTypes, RecordOutsideTheTableIsLeftAlone) {
  ResetDrawingState();
  TPreset preset;
  preset.Values.fill(5);
  Store.Lines = {Record<TLineRec>(16, 0, 1), Record<TLineRec>(0, -1, 1)};
  EXPECT_EQ(ApplyLineTypes(preset, true), 0);
  EXPECT_EQ(Store.Lines[0].LineType, 1);
  ResetDrawingState();
}

class TRecordedProgress final : public TWriteProgress {
 public:
  void Show(std::int32_t current, std::int32_t total) override {
    shown += std::to_string(current) + "/" + std::to_string(total) + " ";
  }
  bool EscapeDown() override { return escape; }
  std::string shown;
  bool escape = false;
};

TEST(ConvertAndWrite, ExchangeFileInAndOut) {
  struct Case {
    std::string_view name;
    bool dimensions;
    std::int64_t changed;
    std::string_view expected;
  };
  const Case cases[] = {
      {"with dimensions", true, 4, kExchangeOutWithDimensions},
      {"without dimensions", false, 3, kExchangeOutWithoutDimensions},
  };
  const TPreset preset = SamplePreset();
  for (const Case& c : cases) {
    TTempFolder folder;
    const auto file = folder.Write("JWC_TEMP.TXT", kExchangeIn);
    ResetDrawingState();
    ASSERT_TRUE(ReadExchangeFile(file));
    ResetOutputState();
    TRecordedProgress progress;
    EXPECT_EQ(ConvertAndWrite(preset, c.dimensions, progress), c.changed) << c.name;
    EXPECT_EQ(progress.shown, "1/7 ") << c.name;
    ASSERT_TRUE(WriteExchangeFile(file));
    EXPECT_EQ(TTempFolder::Read(file), c.expected) << c.name;
    ReleaseStore();
  }
}

TEST(ConvertAndWrite, EscapeLeavesNoElements) {
  ResetDrawingState();
  ParseLine("lg2");
  ParseLine("ly5");
  ParseLine("0 0 1 1");
  ResetOutputState();
  TRecordedProgress progress;
  progress.escape = true;
  ConvertAndWrite(TPreset{}, false, progress);
  EXPECT_EQ(RenderOutput(), "lg2\r\nly5\r\n");
  ReleaseStore();
}

}  // namespace
}  // namespace kx27
