#include "app/convert/conversion.h"

#include <gtest/gtest.h>

#include "exchange/drawing.h"
#include "exchange/output_buffer.h"
#include "exchange/reader.h"
#include "exchange/writer.h"
#include "tests/app/sample_exchange.h"
#include "tests/exchange/temp_folder.h"

namespace kx27 {
namespace {

using namespace testing;

template <typename Rec>
Rec Record(std::int32_t group, std::int32_t layer, std::int32_t line_type) {
  Rec rec{};
  static_cast<TCommonAttrs&>(rec) = {{group, layer, 0, line_type, 0}, 0, 0};
  return rec;
}

TEST(ApplyLineTypes, ChangesLinesCirclesArcsAndOptionallyDimensionLines) {
  TPreset preset;
  preset.Values[0 * 16 + 3] = 5;
  preset.Values[2 * 16 + 15] = 62;
  preset.Values[15 * 16 + 1] = 9;
  // Line types after the pass: lines (converted, value 0, already 62, outside
  // the table), circle, arc, text, point, solid, dimension line, dimension.
  const std::tuple<bool, std::int64_t, std::string> cases[] = {
      {false, 3, "5 2 62 1 62 9 7 7 7 4 4 "},
      {true, 4, "5 2 62 1 62 9 7 7 7 5 4 "},
  };
  for (const auto& [dimensions, changed, line_types] : cases) {
    TDrawing drawing;
    TElementStore& Store = drawing.Store;
    Store.Lines = {Record<TLineRec>(0, 3, 1), Record<TLineRec>(0, 4, 2),
                   Record<TLineRec>(2, 15, 62), Record<TLineRec>(16, 0, 1)};
    Store.Circles = {Record<TCircleRec>(2, 15, 1)};
    Store.Arcs = {Record<TArcRec>(15, 1, 3)};
    Store.Texts = {Record<TTextRec>(0, 3, 7)};
    Store.Points = {Record<TPointRec>(0, 3, 7)};
    Store.Solid2s = {Record<TSolid2Rec>(0, 3, 7)};
    // The dimension is written on its own layer, which has a value; the
    // layer its line was read on has none.
    Store.Dims = {Record<TDimRec>(0, 3, 4)};
    Store.Dims[0].Line = Record<TLineRec>(1, 1, 4);

    EXPECT_EQ(ApplyLineTypes(drawing, preset, dimensions), changed);
    std::string result;
    const TCommonAttrs* recs[] = {&Store.Lines[0],     &Store.Lines[1],   &Store.Lines[2],
                                  &Store.Lines[3],     &Store.Circles[0], &Store.Arcs[0],
                                  &Store.Texts[0],     &Store.Points[0],  &Store.Solid2s[0],
                                  &Store.Dims[0].Line, &Store.Dims[0]};
    for (const TCommonAttrs* rec : recs) result += std::to_string(rec->LineType) + " ";
    EXPECT_EQ(result, line_types) << dimensions;
  }
}

class TRecordedProgress final : public TWriteProgress {
 public:
  void Show(std::int32_t current, std::int32_t total) override {
    shown += std::to_string(current) + "/" + std::to_string(total) + " ";
  }
  bool EscapeDown() override { return false; }
  std::string shown;
};

TEST(ConvertAndWrite, ExchangeFileInAndOut) {
  const std::tuple<bool, std::int64_t, std::string_view> cases[] = {
      {true, 4, kExchangeOutWithDimensions},
      {false, 3, kExchangeOutWithoutDimensions},
  };
  for (const auto& [dimensions, changed, expected] : cases) {
    TTempFolder folder;
    const auto file = folder.Write("JWC_TEMP.TXT", kExchangeIn);
    TExchangeRead read = ReadExchangeFile(file);
    ASSERT_EQ(read.Status, TReadStatus::kComplete);
    TWriter writer(read.Drawing.State);
    TRecordedProgress progress;
    EXPECT_EQ(ConvertAndWrite(read.Drawing, SamplePreset(), dimensions, writer, progress).Changed,
              changed);
    EXPECT_EQ(progress.shown, "1/7 ");
    ASSERT_EQ(WriteExchangeFile(file, writer.Output()), TReplaceResult::kReplaced);
    EXPECT_EQ(TTempFolder::Read(file), expected) << dimensions;
  }
}

}  // namespace
}  // namespace kx27
