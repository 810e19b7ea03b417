#include <utility>
#include <vector>

#include "exchange/output_driver.h"
#include "tests/exchange/writer_test_support.h"

namespace kx27::testing {
namespace {

// Records what is shown, and holds Escape down from the poll at escape_at on.
class FakeProgress : public TWriteProgress {
 public:
  explicit FakeProgress(std::int32_t escape_at = 0) : escape_at_(escape_at) {}
  void Show(std::int32_t current, std::int32_t total) override { shown.emplace_back(current, total); }
  bool EscapeDown() override { return escape_at_ != 0 && shown.back().first >= escape_at_; }

  std::vector<std::pair<std::int32_t, std::int32_t>> shown;

 private:
  std::int32_t escape_at_;
};

void AddLines(int count, std::int32_t group, std::int32_t layer) {
  for (int i = 0; i < count; ++i)
    AddRecord(Store.Lines, kLine, TLineRec{{0, group, layer, 1, 1, 0, 0}, 0, 0, 0, 1, 0});
}

void WriteAll() {
  FakeProgress progress;
  WriteElements(progress);
}

TEST(OutputDriver, WritesInOrderAndRestatesTheFirstGroupAndLayer) {
  ExpectFiles({
      {"nothing", WriteAll, "lg0|ly0"},
      {"bz first; blocks and unknown kinds passed over",
       [] {
         Drawing.BzFlag = true;
         AddLines(1, 0, 0);
         AddRecord(Store.Blocks, kBlock, TJwwEntBlk{});
         AppendOrder(99, 0);
         AddRecord(Store.Circles, kCircle, TCircleRec{{0, 0, 0, 1, 1, 0, 0}, 0, 0, 2});
         WriteAll();
       },
       "bz|lg0|ly0|lc1|lt1|0 0 1 0|ci 0 0 2"},
      {"last element elsewhere: group and layer restated",
       [] { AddLines(1, 2, 5); WriteAll(); }, "lg2|ly5|lc1|lt1|0 0 1 0|lg0|ly0"},
      {"same group, other layer: the layer alone",
       [] { Drawing.FirstLayer = 1; AddLines(1, 0, 3); WriteAll(); }, "lg0|ly3|lc1|lt1|0 0 1 0|ly1"},
  });
}

TEST(OutputDriver, ShowsProgressAndPollsEscapeEveryHundredElements) {
  ResetWriter();
  AddLines(250, 0, 0);
  FakeProgress progress;
  WriteElements(progress);
  using Shown = std::vector<std::pair<std::int32_t, std::int32_t>>;
  EXPECT_EQ(progress.shown, (Shown{{1, 250}, {101, 250}, {201, 250}}));
  EXPECT_EQ(OutputCount(), 4 + 250);
}

TEST(OutputDriver, EscapeEmptiesTheOutput) {
  const struct {
    std::int32_t escape_at, first_group, first_layer;
    std::string_view lines;
  } cases[] = {
      {1, 3, 4, "lg3|ly4"},
      {101, 0, 0, ""},  // the last element stated group 0, layer 0
      {101, 0, 7, "ly7"},
  };
  for (const auto& c : cases) {
    ResetWriter();
    Drawing.FirstGroup = c.first_group;
    Drawing.FirstLayer = c.first_layer;
    AddLines(150, 0, 0);
    AppendOutputLine("hd");
    FakeProgress progress(c.escape_at);
    WriteElements(progress);
    EXPECT_EQ(RenderOutput(), FileOf(c.lines)) << c.escape_at;
    EXPECT_EQ(progress.shown.size(), c.escape_at == 1 ? 1u : 2u);
  }
}

}  // namespace
}  // namespace kx27::testing
