#include "app/picture/picture_paint.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <random>
#include <string>
#include <variant>

#include "tests/app/picture/picture_drawing.h"

namespace kx27 {
namespace {

using testing::ReadDrawing;

// What the painter hands over, call by call.
class TRecordingSink : public TPictureSink {
 public:
  struct TCall {
    char What;  // L line, F fill, T text, M mark, D dot
    const TPictureItem* Item;
    std::uint32_t Rgb;
    std::vector<int> Dashes;
    std::vector<TPixelPoint> Points;
    bool AsBox = false;
  };

  void Line(std::span<const TPixelPoint> points, const TPaintStyle& style) override {
    Add('L', style, points);
  }
  void Fill(std::span<const TPixelPoint> outline, const TPaintStyle& style) override {
    Add('F', style, outline);
  }
  void Text(const TTextPaint& text, const TPaintStyle& style) override {
    Add('T', style, text.Corners);
    Calls.back().AsBox = text.AsBox;
  }
  void Mark(TPixelPoint at, const TPaintStyle& style) override { Add('M', style, {&at, 1}); }
  void Dot(TPixelPoint at, const TPaintStyle& style) override { Add('D', style, {&at, 1}); }

  std::vector<TCall> Calls;

 private:
  void Add(char what, const TPaintStyle& style, std::span<const TPixelPoint> points) {
    Calls.push_back({what,
                     style.Item,
                     style.Rgb,
                     {style.Dashes.begin(), style.Dashes.end()},
                     {points.begin(), points.end()}});
  }
};

TEST(TPicturePainter, EachLineTypeInItsPattern) {
  // Line types 0 and 10, 20, 46, 47 and 70 have no pattern of their own:
  // solid. 11-15 are waves, their height the number less 10.
  const std::pair<int, std::vector<int>> cases[] = {
      {0, {}},
      {1, {}},
      {2, {8, 4}},
      {3, {4, 3}},
      {4, {2, 2}},
      {5, {14, 3, 2, 3}},
      {8, {24, 4, 2, 4, 2, 4}},
      {9, {1, 2}},
      {10, {}},
      {16, {16, 8}},
      {19, {28, 6, 4, 6, 4, 6}},
      {20, {}},
      {31, {}},
      {32, {9, 3}},
      {45, {9, 3, 9, 3, 1, 3, 1, 3, 1, 3}},
      {46, {}},
      {47, {}},
      {62, {}},
      {70, {}},
  };
  std::string text = "hq\r\nlc2\r\n";
  for (std::size_t i = 0; i < std::size(cases); ++i)
    text += "lt" + std::to_string(cases[i].first) + "\r\n0 " + std::to_string(i * 10) + " 1000 " +
            std::to_string(i * 10) + "\r\n";
  for (int wave = 11; wave <= 15; ++wave)
    text += "lt" + std::to_string(wave) + "\r\n0 " + std::to_string(wave * 20 + 200) + " 1000 " +
            std::to_string(wave * 20 + 200) + "\r\n";
  const TPicture picture = BuildPicture(ReadDrawing(text), TPictureOptions{});
  const TPixelRect rect{0, 0, 1000, 600};
  const TViewport view = TViewport::Fit(picture.Box, rect, 0);
  TRecordingSink sink;
  TPicturePainter().Paint(picture, view, rect, {}, sink);
  ASSERT_EQ(sink.Calls.size(), std::size(cases) + 5);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(sink.Calls[i].Dashes, cases[i].second) << "line type " << cases[i].first;
    EXPECT_EQ(sink.Calls[i].Points.size(), 2u) << "line type " << cases[i].first;
  }
  // A wave: solid, a point every 2 pixels, its height on both sides.
  for (int wave = 11; wave <= 15; ++wave) {
    const TRecordingSink::TCall& call =
        sink.Calls[std::size(cases) + static_cast<std::size_t>(wave - 11)];
    EXPECT_TRUE(call.Dashes.empty());
    EXPECT_GE(call.Points.size(), 400u);
    const double axis = view.ToPixel({0, wave * 20.0 + 200}).Y;
    double high = 0, low = 0;
    for (const TPixelPoint& p : call.Points) {
      high = std::max(high, axis - p.Y);
      low = std::max(low, p.Y - axis);
    }
    EXPECT_NEAR(high, wave - 10, 0.05) << wave;
    EXPECT_NEAR(low, wave - 10, 0.05) << wave;
  }
}

TEST(TPicturePainter, SkipsWhatIsOutsideAndDotsWhatIsBelowAPixel) {
  const TPicture picture = BuildPicture(
      ReadDrawing("hq\r\n0 0 100 0\r\n0 50 100 50\r\n500 500 600 600\r\n"
                  "10 10 10.05 10.05\r\n-50 20 200 20\r\npt 30 30\r\nci 40 40 0.01\r\n"),
      TPictureOptions{});
  // The view shows 0..100 by 0..100 at 2 pixels a unit.
  TViewport view = TViewport::Fit(
      [] {
        TBox box;
        box.Add(TPoint{0, 0});
        box.Add(TPoint{100, 100});
        return box;
      }(),
      {0, 0, 200, 200}, 0);
  TRecordingSink sink;
  const TPaintCount count = TPicturePainter().Paint(picture, view, {0, 0, 200, 200}, {}, sink);
  std::string calls;
  for (const auto& call : sink.Calls) calls += call.What;
  // The far line is skipped; the short line and the tiny circle are dots;
  // the line across the view and the point are drawn.
  EXPECT_EQ(calls, "LLDLMD");
  EXPECT_EQ(count.Drawn, 4);
  EXPECT_EQ(count.Dots, 2);
  EXPECT_EQ(count.Skipped, 1);
}

// Whatever the view, every item with a point inside it is painted, as a
// shape or a dot, and nothing is painted twice.
TEST(TPicturePainter, KeepsEverythingVisible) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> coordinate(-1000, 1000), size(0.001, 300);
  std::string text = "hq\r\n";
  for (int i = 0; i < 400; ++i) {
    const double x = coordinate(random), y = coordinate(random), s = size(random);
    text += std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(x + s) + " " +
            std::to_string(y - s / 3) + "\r\n";
    text +=
        "ci " + std::to_string(y) + " " + std::to_string(x) + " " + std::to_string(s / 2) + "\r\n";
  }
  const TPicture picture = BuildPicture(ReadDrawing(text), TPictureOptions{});
  const TPixelRect rect{0, 0, 300, 200};
  TViewport view = TViewport::Fit(picture.Box, rect, 0);
  for (const double zoom : {1.0, 4.0, 20.0, 0.05}) {
    view.ZoomAt({150, 100}, zoom);
    TRecordingSink sink;
    TPicturePainter().Paint(picture, view, rect, {}, sink);
    std::vector<int> painted(picture.Items.size());
    for (const auto& call : sink.Calls)
      ++painted[static_cast<std::size_t>(call.Item - picture.Items.data())];
    for (std::size_t i = 0; i < picture.Items.size(); ++i) {
      const TPictureItem& item = picture.Items[i];
      std::vector<TPoint> points;
      if (item.Shape == TShape::kArc) {
        AppendArcPoints(picture.Arcs[item.First], picture.Arcs[item.First].Radius, 64, points);
      } else {
        points.assign(picture.Points.begin() + item.First,
                      picture.Points.begin() + item.First + item.Count);
      }
      bool inside = false;
      for (const TPoint& p : points) {
        const TPixelPoint pixel = view.ToPixel(p);
        inside |= pixel.X >= 0 && pixel.X <= 300 && pixel.Y >= 0 && pixel.Y <= 200;
      }
      if (inside) {
        EXPECT_EQ(painted[i], 1) << "item " << i << " at zoom " << zoom;
      }
      EXPECT_LE(painted[i], 1);
    }
  }
}

TEST(TPicturePainter, HighlightedLayersLastAndTheRestDimmed) {
  const TPicture picture = BuildPicture(
      ReadDrawing(
          "hq\r\nlc2\r\nly1\r\n0 0 10 0\r\nly2\r\n0 1 10 1\r\nly1\r\n0 2 10 2\r\n"
          "ly3\r\ncn0 0.5 0.5 0 2\r\nch 0 3 1 0 \"small\r\ncn0 10 10 0 2\r\nch 0 5 1 0 \"big\r\n"),
      TPictureOptions{});
  const TPixelRect rect{0, 0, 100, 100};
  const TViewport view = TViewport::Fit(picture.Box, rect, 0);
  struct TCase {
    TPictureFocus Focus;
    std::vector<std::size_t> Order;
    std::vector<std::uint32_t> Rgb;
  };
  const TCase cases[] = {
      {{}, {0, 1, 2, 3, 4}, {0, 0, 0, 0, 0}},
      {{TLayerSet::Cell(0, 1), false}, {1, 3, 4, 0, 2}, {0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0, 0}},
      {{TLayerSet::Cell(0, 3), false}, {0, 1, 2, 3, 4}, {0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0, 0}},
  };
  for (const TCase& c : cases) {
    TRecordingSink sink;
    TPicturePainter().Paint(picture, view, rect, c.Focus, sink);
    std::vector<std::size_t> order;
    std::vector<std::uint32_t> rgb;
    for (const auto& call : sink.Calls) {
      order.push_back(static_cast<std::size_t>(call.Item - picture.Items.data()));
      rgb.push_back(call.Rgb);
    }
    EXPECT_EQ(order, c.Order);
    EXPECT_EQ(rgb, c.Rgb);
  }
  // At this scale the 1-unit text is a box, the 10-unit one a text.
  TRecordingSink sink;
  TPicturePainter().Paint(picture, view, rect, {}, sink);
  EXPECT_TRUE(sink.Calls[3].AsBox);
  EXPECT_FALSE(sink.Calls[4].AsBox);
}

// A window raises the flag when a newer request comes in: the paint then
// ends within one interval of items, and a flag never raised changes nothing.
TEST(TPicturePainter, StopsSoonAfterItsCancelFlagIsRaised) {
  constexpr int kLines = 20000;
  std::string text = "hq\r\n";
  for (int i = 0; i < kLines; ++i)
    text += "0 " + std::to_string(i) + " 10 " + std::to_string(i) + "\r\n";
  const TPicture picture = BuildPicture(ReadDrawing(text), TPictureOptions{});
  const TPixelRect rect{0, 0, 20000, 20000};
  const TViewport view = TViewport::Fit(picture.Box, rect, 0);

  // Raises the flag as it takes its call number RaiseAt (from 1), 0 before the paint.
  class TRaisingSink final : public TRecordingSink {
   public:
    TRaisingSink(std::atomic<bool>& flag, std::int64_t raise_at)
        : flag_(flag), raise_at_(raise_at) {}
    void Line(std::span<const TPixelPoint> points, const TPaintStyle& style) override {
      TRecordingSink::Line(points, style);
      if (static_cast<std::int64_t>(Calls.size()) == raise_at_) flag_ = true;
    }

   private:
    std::atomic<bool>& flag_;
    std::int64_t raise_at_;
  };
  struct TCase {
    std::int64_t RaiseAt;  // -1: never
    TPictureFocus Focus;
  };
  const TCase cases[] = {{-1, {}},
                         {0, {}},
                         {1, {}},
                         {5000, {}},
                         {12000, {}},
                         {-1, {TLayerSet::Cell(0, 0), false}},
                         {15000, {TLayerSet::Cell(0, 1), false}}};
  for (const TCase& c : cases) {
    std::atomic<bool> flag = c.RaiseAt == 0;
    TRaisingSink sink(flag, c.RaiseAt);
    const TPaintCount count = TPicturePainter().Paint(picture, view, rect, c.Focus, sink, &flag);
    const auto calls = static_cast<std::int64_t>(sink.Calls.size());
    if (c.RaiseAt < 0) {
      EXPECT_FALSE(count.Cancelled);
      EXPECT_EQ(calls, kLines);
    } else {
      EXPECT_TRUE(count.Cancelled) << c.RaiseAt;
      EXPECT_GE(calls, c.RaiseAt);
      EXPECT_LT(calls, c.RaiseAt + kPaintCancelInterval) << c.RaiseAt;
    }
  }
}

}  // namespace
}  // namespace kx27
