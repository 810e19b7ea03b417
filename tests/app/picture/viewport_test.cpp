#include "app/picture/viewport.h"

#include <gtest/gtest.h>

namespace kx27 {
namespace {

TBox Box(double left, double bottom, double right, double top) {
  TBox box;
  box.Add(TPoint{left, bottom});
  box.Add(TPoint{right, top});
  return box;
}

TEST(TViewport, FitCentresTheBoxWithinTheMargin) {
  const TPixelRect rect{0, 0, 220, 120};
  struct TCase {
    TBox Box;
    double Scale;
    TPoint Centre;
  };
  const TCase cases[] = {
      {Box(0, 0, 100, 50), 2, {50, 25}},    // wide: the width decides
      {Box(-10, -10, 10, 90), 1, {0, 40}},  // tall: the height decides
      {Box(5, 5, 5, 5), 100, {5, 5}},       // one point: one unit
      {Box(0, 3, 400, 3), 0.5, {200, 3}},   // a horizontal line
      {Box(2, 0, 2, 1000), 0.1, {2, 500}},  // a vertical line
      {TBox{}, 100, {0, 0}},                // nothing: the origin
  };
  for (const TCase& c : cases) {
    const TViewport view = TViewport::Fit(c.Box, rect, 10);
    EXPECT_DOUBLE_EQ(view.Scale(), c.Scale) << c.Box.Left << " " << c.Box.Top;
    const TPixelPoint middle = view.ToPixel(c.Centre);
    EXPECT_NEAR(middle.X, 110, 1e-9);
    EXPECT_NEAR(middle.Y, 60, 1e-9);
    if (c.Box.Empty()) continue;
    // Inside the margin on every side, touching it on one.
    const TPixelPoint top_left = view.ToPixel({c.Box.Left, c.Box.Top});
    const TPixelPoint bottom_right = view.ToPixel({c.Box.Right, c.Box.Bottom});
    EXPECT_GE(top_left.X, 10 - 1e-9);
    EXPECT_GE(top_left.Y, 10 - 1e-9);
    EXPECT_LE(bottom_right.X, 210 + 1e-9);
    EXPECT_LE(bottom_right.Y, 110 + 1e-9);
  }
}

TEST(TViewport, YGoesUpInTheDrawingAndDownOnTheScreen) {
  const TViewport view = TViewport::Fit(Box(0, 0, 10, 10), {0, 0, 100, 100}, 0);
  EXPECT_LT(view.ToPixel({0, 10}).Y, view.ToPixel({0, 0}).Y);
  EXPECT_LT(view.ToPixel({0, 0}).X, view.ToPixel({10, 0}).X);
  const TPoint back = view.ToDrawing(view.ToPixel({3, 7}));
  EXPECT_NEAR(back.X, 3, 1e-12);
  EXPECT_NEAR(back.Y, 7, 1e-12);
}

TEST(TViewport, ZoomKeepsThePointUnderThePointer) {
  for (const double factor : {1.25, 0.8, 10.0, 0.01}) {
    TViewport view = TViewport::Fit(Box(-50, -20, 300, 80), {0, 0, 640, 480}, 8);
    const TPixelPoint pointer{123, 321};
    const TPoint under = view.ToDrawing(pointer);
    const double scale = view.Scale();
    view.ZoomAt(pointer, factor);
    EXPECT_NEAR(view.Scale(), scale * factor, 1e-9 * scale * factor);
    const TPixelPoint again = view.ToPixel(under);
    EXPECT_NEAR(again.X, pointer.X, 1e-6) << factor;
    EXPECT_NEAR(again.Y, pointer.Y, 1e-6) << factor;
  }
  // A factor that is no factor changes nothing.
  TViewport view;
  view.ZoomAt({5, 5}, 0);
  view.ZoomAt({5, 5}, -2);
  EXPECT_EQ(view.Scale(), 1);
}

TEST(TViewport, PanMovesTheDrawingWithThePointer) {
  TViewport view = TViewport::Fit(Box(0, 0, 10, 10), {0, 0, 100, 100}, 0);
  const TPixelPoint before = view.ToPixel({4, 4});
  view.Pan(15, -7);
  const TPixelPoint after = view.ToPixel({4, 4});
  EXPECT_DOUBLE_EQ(after.X - before.X, 15);
  EXPECT_DOUBLE_EQ(after.Y - before.Y, -7);
  const TBox visible = view.VisibleBox({0, 0, 100, 100});
  EXPECT_NEAR(visible.Left, -1.5, 1e-12);
  EXPECT_NEAR(visible.Top, 9.3, 1e-12);
}

}  // namespace
}  // namespace kx27
