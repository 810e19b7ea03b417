#include "app/picture/picture.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "app/convert/conversion.h"
#include "app/picture/host_colour.h"
#include "tests/app/picture/picture_drawing.h"

namespace kx27 {
namespace {

using testing::kPictureDrawing;
using testing::ReadDrawing;

// Layer 2 of group 0 and the dimension's own layer convert; the layer its
// line was read on, the texts' and the solids' layers have values that
// must not reach them.
TPictureOptions SamplePictureOptions(bool dimensions, bool before = false) {
  TPictureOptions options;
  options.Values[0 * 16 + 2] = 5;
  options.Values[0 * 16 + 4] = 3;
  options.Values[1 * 16 + 3] = 9;
  options.Values[1 * 16 + 5] = 7;
  options.Values[1 * 16 + 6] = 4;
  options.Values[0 * 16 + 1] = 0;  // the lines keep their type
  options.Dimensions = dimensions;
  options.Before = before;
  return options;
}

TEST(BuildPicture, OneItemPerDrawnElementByKindAndShape) {
  const TPicture picture = BuildPicture(ReadDrawing(kPictureDrawing), SamplePictureOptions(true));
  std::map<std::pair<TKind, TShape>, int> counts;
  for (const TPictureItem& item : picture.Items) ++counts[{item.Kind, item.Shape}];
  // Degenerate elements and the block entry are left out.
  const std::map<std::pair<TKind, TShape>, int> expected = {
      {{kLine, TShape::kPolyline}, 5},     {{kCircle, TShape::kArc}, 1},
      {{kArc, TShape::kArc}, 2},           {{kPoint, TShape::kPoint}, 1},
      {{kCodedPoint, TShape::kPoint}, 1},  {{kText, TShape::kText}, 3},
      {{kDim, TShape::kPolyline}, 1},      {{kDim, TShape::kText}, 1},
      {{kSolid4, TShape::kPolygon}, 1},    {{kSolid3, TShape::kPolygon}, 1},
      {{kScSolid, TShape::kFilledArc}, 1}, {{kSoSolid, TShape::kFilledArc}, 1},
  };
  EXPECT_EQ(counts, expected);
  EXPECT_EQ(picture.Texts.size(), 4u);
  EXPECT_EQ(picture.Arcs.size(), 5u);
}

TEST(BuildPicture, LineTypesNowAndAfterOk) {
  // Kind, shape, group, layer, colour, then the line type now, after OK
  // without and with dimension lines; in the drawing's order.
  using TRow = std::tuple<TKind, TShape, int, int, std::uint32_t, int, int, int>;
  const std::vector<TRow> expected = {
      {kLine, TShape::kPolyline, 0, 1, 0x000000, 1, 1, 1},
      {kLine, TShape::kPolyline, 0, 1, 0x000000, 1, 1, 1},
      {kLine, TShape::kPolyline, 0, 1, 0x000000, 1, 1, 1},
      {kLine, TShape::kPolyline, 0, 1, 0x000000, 1, 1, 1},
      {kCircle, TShape::kArc, 0, 2, 0x00C000, 2, 5, 5},
      {kArc, TShape::kArc, 0, 2, 0x00C000, 2, 5, 5},
      {kArc, TShape::kArc, 0, 2, 0x00C000, 2, 5, 5},
      {kLine, TShape::kPolyline, 0, 3, 0x0000FF, 11, 11, 11},
      {kPoint, TShape::kPoint, 0, 3, 0xC000C0, 11, 11, 11},
      {kCodedPoint, TShape::kPoint, 0, 3, 0xC000C0, 11, 11, 11},
      {kText, TShape::kText, 0, 4, 0x008080, 11, 11, 11},
      {kText, TShape::kText, 0, 4, 0x008080, 11, 11, 11},
      // The dimension sits on its own layer, in its line's pen.
      {kDim, TShape::kPolyline, 1, 3, 0x00C0C0, 1, 1, 9},
      {kDim, TShape::kText, 1, 3, 0xFF0080, 1, 1, 1},
      {kText, TShape::kText, 1, 3, 0xFF0080, 1, 1, 1},
      {kSolid4, TShape::kPolygon, 1, 6, 0xC0C000, 1, 1, 1},
      {kSolid3, TShape::kPolygon, 1, 6, 0xFF0000, 1, 1, 1},
      {kScSolid, TShape::kFilledArc, 1, 6, 0xC000C0, 1, 1, 1},
      {kSoSolid, TShape::kFilledArc, 1, 6, 0xC000C0, 1, 1, 1},
  };
  const TDrawing drawing = ReadDrawing(kPictureDrawing);
  const TPicture without = BuildPicture(drawing, SamplePictureOptions(false));
  const TPicture with = BuildPicture(drawing, SamplePictureOptions(true));
  ASSERT_EQ(with.Items.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const TPictureItem& item = with.Items[i];
    EXPECT_EQ(TRow(item.Kind, item.Shape, item.Group, item.Layer, item.Rgb, item.LineTypeNow,
                   without.Items[i].LineTypeAfter, item.LineTypeAfter),
              expected[i])
        << "item " << i;
  }
  EXPECT_EQ(with.ShownLineType(with.Items[4]), 5);
  EXPECT_EQ(BuildPicture(drawing, SamplePictureOptions(true, true)).ShownLineType(with.Items[4]),
            2);
}

// What the picture shows after OK is what the drawing holds after the
// conversion itself, for random presets, with and without dimension lines.
TEST(BuildPicture, AfterOkIsWhatTheConversionWrites) {
  std::uint32_t seed = 7;
  const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int round = 0; round < 20; ++round) {
    TPictureOptions options;
    for (auto& value : options.Values) value = static_cast<std::int32_t>(next() >> 16) % 70 - 3;
    options.Dimensions = round % 2 == 0;
    TDrawing drawing = ReadDrawing(kPictureDrawing);
    TPicture picture = BuildPicture(drawing, options);
    TPreset preset;
    preset.Values = options.Values;
    ApplyLineTypes(drawing, preset, options.Dimensions);
    const TPicture converted = BuildPicture(drawing, TPictureOptions{});
    ASSERT_EQ(picture.Items.size(), converted.Items.size());
    for (std::size_t i = 0; i < picture.Items.size(); ++i)
      EXPECT_EQ(picture.Items[i].LineTypeAfter, converted.Items[i].LineTypeNow)
          << "round " << round << ", item " << i;

    // An edit of the grid gives what a new picture gives.
    SetLineTypesAfter(picture, SamplePictureOptions(true).Values, true);
    const TPicture rebuilt = BuildPicture(ReadDrawing(kPictureDrawing), SamplePictureOptions(true));
    for (std::size_t i = 0; i < picture.Items.size(); ++i)
      EXPECT_EQ(picture.Items[i].LineTypeAfter, rebuilt.Items[i].LineTypeAfter) << i;
  }
}

TEST(BuildPicture, ShapesInDrawingCoordinates) {
  const TPicture picture = BuildPicture(ReadDrawing(kPictureDrawing), SamplePictureOptions(true));
  const auto near = [](TPoint a, TPoint b) {
    return std::abs(a.X - b.X) < 1e-9 && std::abs(a.Y - b.Y) < 1e-9;
  };

  // The curve's second segment, and the quarter arc's two ends.
  const TPictureItem& segment = picture.Items[3];
  ASSERT_EQ(segment.Count, 2u);
  EXPECT_TRUE(near(picture.Points[segment.First], {20, 60}));
  EXPECT_TRUE(near(picture.Points[segment.First + 1], {40, 50}));
  const TArcShape& quarter = picture.Arcs[picture.Items[5].First];
  std::vector<TPoint> ends;
  AppendArcPoints(quarter, quarter.Radius, 1, ends);
  EXPECT_TRUE(near(ends[0], {30, 0}));
  EXPECT_TRUE(near(ends[1], {0, 30}));

  // Texts: box corners from the base point, the angle and the size; a
  // full-width character is as wide as the width, a half-width one half.
  struct TTextCase {
    std::size_t Item;
    TPoint BottomLeft, BottomRight, TopLeft;
  };
  const TTextCase texts[] = {
      // 文字 AB, bottom-left at (0, 100): 7 halves of 4, spacing 1 after all but the last.
      {10, {0, 100}, {17, 100}, {0, 105}},
      // ｱｲ upright, base point in its middle: 4.5 long, 5 high.
      {11, {152.5, 97.75}, {152.5, 102.25}, {147.5, 97.75}},
      // The dimension's value at 1:100, base point bottom-middle.
      {13, {-100, -48}, {200, -48}, {-100, 152}},
  };
  for (const TTextCase& c : texts) {
    const TTextShape& text = picture.Texts[picture.Items[c.Item].First];
    EXPECT_TRUE(near(text.Corners[0], c.BottomLeft))
        << c.Item << ": " << text.Corners[0].X << " " << text.Corners[0].Y;
    EXPECT_TRUE(near(text.Corners[1], c.BottomRight))
        << c.Item << ": " << text.Corners[1].X << " " << text.Corners[1].Y;
    EXPECT_TRUE(near(text.Corners[3], c.TopLeft))
        << c.Item << ": " << text.Corners[3].X << " " << text.Corners[3].Y;
  }
  EXPECT_EQ(picture.TextOf(picture.Texts[picture.Items[14].First]), "a<b&c");

  // Every item lies in the picture's box, which holds nothing else.
  TBox all;
  for (const TPictureItem& item : picture.Items) all.Add(item.Box);
  EXPECT_EQ(all.Left, picture.Box.Left);
  EXPECT_EQ(all.Top, picture.Box.Top);
  EXPECT_EQ(picture.Box.Left, -250);  // the text at 1:100, centred on x = 0
  EXPECT_EQ(picture.Box.Top, 400);
}

TEST(BuildPicture, EmptyDrawingGivesAnEmptyPicture) {
  const TPicture picture = BuildPicture(ReadDrawing("hq\r\n"), TPictureOptions{});
  EXPECT_TRUE(picture.Items.empty());
  EXPECT_TRUE(picture.Box.Empty());
}

TEST(HostRgb, HostColoursAndTheSolidsOwn) {
  const std::tuple<std::int32_t, std::int32_t, std::uint32_t> cases[] = {
      {1, 0, 0x00C0C0},
      {2, 0, 0x000000},
      {3, 0, 0x00C000},
      {4, 0, 0xC0C000},
      {5, 0, 0xC000C0},
      {6, 0, 0x0000FF},
      {7, 0, 0x008080},
      {8, 0, 0xFF0080},
      {9, 0, 0xFF80FF},
      // lc10's value is red + green * 256 + blue * 65536.
      {10, 0x0000FF, 0xFF0000},
      {10, 0x123456, 0x563412},
      {10, -1, 0xFFFFFF},
      {0, 0, 0x000000},
      {11, 0x0000FF, 0x000000},
      {-1, 0, 0x000000},
  };
  for (const auto& [colour, lc10, rgb] : cases)
    EXPECT_EQ(HostRgb(colour, lc10), rgb) << colour << " " << lc10;
  EXPECT_EQ(DimmedRgb(0x000000), 0xBFBFBFu);
  EXPECT_EQ(DimmedRgb(0xFF0080), 0xFFBFDFu);
  EXPECT_EQ(DimmedRgb(0xFFFFFF), 0xFFFFFFu);
}

}  // namespace
}  // namespace kx27
