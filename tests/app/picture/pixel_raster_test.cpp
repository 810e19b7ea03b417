#include "app/picture/pixel_raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace kx27 {
namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 16;
constexpr std::uint32_t kInk = 0x123456;

// A 32 x 16 bitmap; texts as their boxes.
class TBitmap final : public TRasterSink {
 public:
  explicit TBitmap(int dpi = 96) : TRasterSink(dpi), pixels_(kWidth * kHeight) {
    Begin(pixels_, kWidth, kHeight);
  }
  void Text(const TTextPaint& text, const TPaintStyle& style) override { Box(text, style); }

  bool Lit(int x, int y) const { return pixels_[static_cast<std::size_t>(y * kWidth + x)] == kInk; }
  int Count() const {
    int count = 0;
    for (std::uint32_t p : pixels_) count += p == kInk;
    return count;
  }
  // One row as "#" and "." from x = 0.
  std::string Row(int y) const {
    std::string row;
    for (int x = 0; x < kWidth; ++x) row += Lit(x, y) ? '#' : '.';
    return row;
  }

 private:
  std::vector<std::uint32_t> pixels_;
};

TPaintStyle Ink(std::span<const std::uint8_t> dashes = {}, bool emphasised = false) {
  TPaintStyle style;
  style.Rgb = kInk;
  style.Dashes = dashes;
  style.Look.Emphasised = emphasised;
  return style;
}

constexpr double kHuge = 1e12;
const double kNan = std::numeric_limits<double>::quiet_NaN();
const std::uint8_t kDash4Gap4[] = {4, 4};

TEST(RasterLine, PixelsOfSolidDashedThickAndFarLines) {
  const struct {
    const char* name;
    std::vector<TPixelPoint> points;
    std::span<const std::uint8_t> dashes;
    bool emphasised;
    int dpi;
    int lit;            // pixels in all
    int row;            // this row ...
    const char* shows;  // ... shows this, or nullptr
  } cases[] = {
      {"solid across", {{2, 5}, {12, 5}}, {}, false, 96, 11, 5, "..###########..................."},
      {"down", {{3, 1}, {3, 14}}, {}, false, 96, 14, 7, "...#............................"},
      {"dashed keeps its pattern",
       {{0, 5}, {31, 5}},
       kDash4Gap4,
       false,
       96,
       20,
       5,
       "#####...#####...#####...#####..."},
      {"dashes run on past a vertex",
       {{0, 5}, {2, 5}, {31, 5}},
       kDash4Gap4,
       false,
       96,
       20,
       5,
       "#####...#####...#####...#####..."},
      {"emphasised is two rows",
       {{2, 5}, {12, 5}},
       {},
       true,
       96,
       22,
       6,
       "..###########..................."},
      {"twice as wide at 192 dpi",
       {{2, 5}, {12, 5}},
       {},
       false,
       192,
       22,
       5,
       "..###########..................."},
      {"from far out, one whole row",
       {{-kHuge, 9}, {kHuge, 9}},
       {},
       false,
       96,
       32,
       9,
       "################################"},
      {"a dashed line far longer than the view still dashes",
       {{-kHuge, 9}, {kHuge, 9}},
       kDash4Gap4,
       false,
       96,
       -1,
       9,
       nullptr},
      {"outside", {{40, 20}, {80, 30}}, {}, false, 96, 0, 0, nullptr},
      {"not a number", {{kNan, 3}, {5, 5}}, {}, false, 96, 0, 0, nullptr},
      {"one point", {{5, 5}}, {}, false, 96, 0, 0, nullptr},
  };
  for (const auto& c : cases) {
    TBitmap bitmap(c.dpi);
    bitmap.Line(c.points, Ink(c.dashes, c.emphasised));
    if (c.lit >= 0) {
      EXPECT_EQ(bitmap.Count(), c.lit) << c.name;
    } else {
      EXPECT_GT(bitmap.Count(), 8) << c.name;
      EXPECT_LT(bitmap.Count(), 24) << c.name;
    }
    if (c.shows) {
      EXPECT_EQ(bitmap.Row(c.row), c.shows) << c.name;
    }
  }
}

TEST(RasterFill, EvenOddInsideAndOutlineOfTheFill) {
  const struct {
    const char* name;
    std::vector<TPixelPoint> outline;
    int lit;
  } cases[] = {
      // Pixels 2..10 across and 2..6 down: inside and on the outline.
      {"rectangle", {{2, 2}, {10, 2}, {10, 6}, {2, 6}}, 45},
      {"covers everything",
       {{-kHuge, -kHuge}, {kHuge, -kHuge}, {kHuge, kHuge}, {-kHuge, kHuge}},
       kWidth * kHeight},
      {"outside", {{40, 2}, {50, 2}, {50, 6}}, 0},
      {"two points", {{2, 2}, {10, 2}}, 0},
  };
  for (const auto& c : cases) {
    TBitmap bitmap;
    bitmap.Fill(c.outline, Ink());
    EXPECT_EQ(bitmap.Count(), c.lit) << c.name;
  }
  // A square drawn round twice the same way is filled by even-odd only on
  // its outline.
  TBitmap twice;
  twice.Fill(
      std::vector<TPixelPoint>{
          {2, 2}, {10, 2}, {10, 10}, {2, 10}, {2, 2}, {10, 2}, {10, 10}, {2, 10}},
      Ink());
  EXPECT_FALSE(twice.Lit(6, 6));
  EXPECT_TRUE(twice.Lit(2, 6));
}

TEST(RasterMarksDotsAndBoxes, StayInsideTheBitmap) {
  TBitmap bitmap;
  bitmap.Dot({5.5, 7.2}, Ink());
  EXPECT_TRUE(bitmap.Lit(5, 7));
  bitmap.Dot({-1, 3}, Ink());
  bitmap.Dot({kWidth, 3}, Ink());
  bitmap.Dot({kNan, 3}, Ink());
  EXPECT_EQ(bitmap.Count(), 1);

  TBitmap marks;
  marks.Mark({0, 0}, Ink());  // a quarter of it shows
  marks.Mark({kNan, kHuge}, Ink());
  EXPECT_TRUE(marks.Lit(0, 0));
  EXPECT_TRUE(marks.Lit(1, 1));
  EXPECT_FALSE(marks.Lit(4, 4));

  TBitmap box;
  TTextPaint text;
  text.Corners = {TPixelPoint{2, 10}, {12, 10}, {12, 4}, {2, 4}};
  text.AsBox = true;
  box.Text(text, Ink(kDash4Gap4));  // a box is solid whatever the line type
  EXPECT_EQ(box.Row(10), "..###########...................");
  EXPECT_FALSE(box.Lit(6, 7));
}

TEST(RasterSink, DrawsNothingIntoTooFewPixels) {
  std::vector<std::uint32_t> pixels(10);
  TBitmap bitmap;
  bitmap.Begin(pixels, kWidth, kHeight);
  bitmap.Line(std::vector<TPixelPoint>{{0, 0}, {31, 15}}, Ink());
  bitmap.Fill(std::vector<TPixelPoint>{{0, 0}, {31, 0}, {31, 15}}, Ink());
  for (std::uint32_t p : pixels) EXPECT_EQ(p, 0u);
}

}  // namespace
}  // namespace kx27
