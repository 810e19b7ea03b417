#include <set>
#include <string>
#include <utility>
#include <vector>

#include "exchange/output_driver.h"
#include "tests/exchange/writer_test_support.h"

namespace kx27::testing {
namespace {

// Answers Escape as down at the polls whose element numbers are listed.
class FakeProgress : public TWriteProgress {
 public:
  explicit FakeProgress(std::set<std::int32_t> escape_at = {})
      : escape_at_(std::move(escape_at)) {}
  void Show(std::int32_t current, std::int32_t total) override {
    shown.emplace_back(current, total);
    current_ = current;
  }
  bool EscapeDown() override { return escape_at_.count(current_) != 0; }

  std::vector<std::pair<std::int32_t, std::int32_t>> shown;

 private:
  std::set<std::int32_t> escape_at_;
  std::int32_t current_ = 0;
};

void AddLines(int count, std::int32_t group, std::int32_t layer) {
  for (int i = 0; i < count; ++i) {
    TLineRec line;
    line.Group = group, line.Layer = layer, line.Color = 1, line.LineType = 1;
    line.X2 = i + 1;
    AddRecord(Store.Lines, kLine, line);
  }
}

using OutputDriver = WriterTest;

TEST_F(OutputDriver, WritesInOrderAndRestatesTheFirstGroupAndLayer) {
  const struct {
    const char* name;
    void (*fill)();
    std::string bytes;
  } cases[] = {
      {"nothing", [] {}, FileLines({"lg0", "ly0"})},
      {"bz first, blocks and unknown kinds passed over",
       [] {
         Drawing.BzFlag = true;
         AddLines(1, 0, 0);
         AddRecord(Store.Blocks, kBlock, TJwwEntBlk{});
         AppendOrder(99, 0);
         TCircleRec circle;
         circle.Color = 1, circle.LineType = 1, circle.Radius = 2;
         AddRecord(Store.Circles, kCircle, circle);
       },
       FileLines({"bz", "lg0", "ly0", "lc1", "lt1", "0 0 1 0", "ci 0 0 2"})},
      {"last element elsewhere: group and layer restated",
       [] { AddLines(1, 2, 5); },
       FileLines({"lg2", "ly5", "lc1", "lt1", "0 0 1 0", "lg0", "ly0"})},
      {"same group, other layer: the layer alone",
       [] {
         Drawing.FirstLayer = 1;
         AddLines(1, 0, 3);
       },
       FileLines({"lg0", "ly3", "lc1", "lt1", "0 0 1 0", "ly1"})},
  };
  for (const auto& c : cases) {
    ResetDrawingState();
    ResetOutputState();
    c.fill();
    FakeProgress progress;
    WriteElements(progress);
    EXPECT_EQ(RenderOutput(), c.bytes) << c.name;
  }
}

TEST_F(OutputDriver, ShowsProgressAndPollsEscapeEveryHundredElements) {
  AddLines(250, 0, 0);
  FakeProgress progress;
  WriteElements(progress);
  using Shown = std::vector<std::pair<std::int32_t, std::int32_t>>;
  EXPECT_EQ(progress.shown, (Shown{{1, 250}, {101, 250}, {201, 250}}));
  EXPECT_EQ(OutputCount(), 4 + 250);
}

TEST_F(OutputDriver, EscapeEmptiesTheOutput) {
  const struct {
    std::int32_t escape_at;
    std::int32_t first_group, first_layer;
    std::string bytes;
  } cases[] = {
      {1, 3, 4, FileLines({"lg3", "ly4"})},
      {101, 0, 0, "hq\r\n"},  // the last element stated group 0, layer 0
      {101, 0, 7, FileLines({"ly7"})},
  };
  for (const auto& c : cases) {
    ResetDrawingState();
    ResetOutputState();
    Drawing.FirstGroup = c.first_group;
    Drawing.FirstLayer = c.first_layer;
    AddLines(150, 0, 0);
    AppendOutputLine("hd");
    FakeProgress progress({c.escape_at});
    WriteElements(progress);
    EXPECT_EQ(RenderOutput(), c.bytes) << c.escape_at;
    EXPECT_EQ(progress.shown.back().first, c.escape_at);
  }
}

}  // namespace
}  // namespace kx27::testing
