#include "app/picture/arc_shape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace kx27 {
namespace {

constexpr double kPi = std::numbers::pi;

bool Near(TPoint a, TPoint b) { return std::abs(a.X - b.X) < 1e-9 && std::abs(a.Y - b.Y) < 1e-9; }

TEST(ArcFromDegrees, EndsAndSweepAsTheHostDrawsThem) {
  struct TCase {
    double Radius, Flatness, Tilt, Start, End;
    TPoint First, Last;
    double Sweep;
  };
  const TCase cases[] = {
      {10, 1, 0, 0, 90, {10, 0}, {0, 10}, kPi / 2},
      // Anticlockwise from the start, across 0 degrees.
      {10, 1, 0, 270, 90, {0, -10}, {0, 10}, kPi},
      {10, 1, 0, 90, 0, {0, 10}, {10, 0}, 3 * kPi / 2},
      // A whole circle, however its ends are written.
      {10, 1, 0, 0, 360, {10, 0}, {10, 0}, 2 * kPi},
      {10,
       1,
       0,
       45,
       45,
       {10 * std::sqrt(0.5), 10 * std::sqrt(0.5)},
       {10 * std::sqrt(0.5), 10 * std::sqrt(0.5)},
       2 * kPi},
      // Half an ellipse half as high as wide, then the same tilted upright.
      {10, 0.5, 0, 0, 180, {10, 0}, {-10, 0}, kPi},
      {10, 0.5, 90, 90, 180, {-5, 0}, {0, -10}, kPi / 2},
      // A negative flatness mirrors the ellipse.
      {10, -0.5, 0, 90, 270, {0, -5}, {0, 5}, kPi},
  };
  for (const TCase& c : cases) {
    const TArcShape arc = ArcFromDegrees({0, 0}, c.Radius, c.Flatness, c.Tilt, c.Start, c.End);
    std::vector<TPoint> points;
    AppendArcPoints(arc, arc.Radius, 4, points);
    ASSERT_EQ(points.size(), 5u);
    EXPECT_TRUE(Near(points.front(), c.First))
        << c.Start << " " << c.End << ": " << points.front().X << " " << points.front().Y;
    EXPECT_TRUE(Near(points.back(), c.Last))
        << c.Start << " " << c.End << ": " << points.back().X << " " << points.back().Y;
    EXPECT_NEAR(arc.Sweep, c.Sweep, 1e-12) << c.Start << " " << c.End;
  }
}

TEST(ArcSegments, ChordsStayWithinAThirdOfAPixel) {
  for (const double radius : {0.1, 0.6, 1.0, 3.0, 10.0, 100.0, 1000.0, 30000.0}) {
    for (const double sweep_degrees : {1.0, 90.0, 360.0}) {
      const TArcShape arc = ArcFromDegrees({0, 0}, radius, 1, 0, 0, sweep_degrees);
      const int segments = ArcSegments(arc, radius);
      EXPECT_GE(segments, 1);
      EXPECT_LE(segments, 2048);
      if (segments < 2048) {
        const double stray = radius * (1 - std::cos(arc.Sweep / segments / 2));
        EXPECT_LE(stray, 1.0 / 3 + 1e-12) << radius << " " << sweep_degrees;
      }
    }
  }
  // Smaller than a pixel: one segment. A flatter ellipse needs no more.
  EXPECT_EQ(ArcSegments(ArcFromDegrees({0, 0}, 1, 1, 0, 0, 360), 0.4), 1);
  const TArcShape round = ArcFromDegrees({0, 0}, 1, 1, 0, 0, 360);
  const TArcShape flat = ArcFromDegrees({0, 0}, 1, 0.2, 0, 0, 360);
  EXPECT_EQ(ArcSegments(flat, 200), ArcSegments(round, 200));
}

TEST(AppendArcOutline, ClosesEachFillItsOwnWay) {
  struct TCase {
    TArcFill Fill;
    double End;
    std::size_t Points;  // with 8 segments
    TPoint Last;
  };
  const TCase cases[] = {
      {TArcFill::kNone, 90, 9, {0, 10}},
      {TArcFill::kSegment, 90, 9, {0, 10}},  // closed along the chord
      {TArcFill::kSector, 90, 10, {0, 0}},   // through the centre
      {TArcFill::kSector, 360, 9, {10, 0}},  // a disc has no centre point
      {TArcFill::kRing, 360, 18, {5, 0}},    // inner edge backwards, back at its start
      {TArcFill::kRing, 90, 18, {5, 0}},
  };
  for (const TCase& c : cases) {
    TArcShape arc = ArcFromDegrees({0, 0}, 10, 1, 0, 0, c.End);
    arc.Fill = c.Fill;
    arc.InnerRadius = 5;
    std::vector<TPoint> outline;
    AppendArcOutline(arc, 8, outline);
    EXPECT_EQ(outline.size(), c.Points) << static_cast<int>(c.Fill) << " " << c.End;
    EXPECT_TRUE(Near(outline.back(), c.Last)) << static_cast<int>(c.Fill) << " " << c.End;
  }
}

TEST(ArcBox, HoldsTheTiltedEllipse) {
  const TArcShape arc = ArcFromDegrees({100, 50}, 10, 0.5, 30, 0, 360);
  const TBox box = ArcBox(arc);
  std::vector<TPoint> points;
  AppendArcPoints(arc, arc.Radius, 720, points);
  TBox traced;
  for (const TPoint& p : points) traced.Add(p);
  EXPECT_NEAR(box.Left, traced.Left, 1e-3);
  EXPECT_NEAR(box.Right, traced.Right, 1e-3);
  EXPECT_NEAR(box.Bottom, traced.Bottom, 1e-3);
  EXPECT_NEAR(box.Top, traced.Top, 1e-3);
  EXPECT_LE(box.Left, traced.Left);
  EXPECT_GE(box.Top, traced.Top);
}

}  // namespace
}  // namespace kx27
