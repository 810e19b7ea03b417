#include "app/picture/arc_shape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kx27 {
namespace {

constexpr double kFullTurn = 2 * std::numbers::pi;
constexpr int kMostSegments = 2048;

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

}  // namespace

TArcShape ArcFromDegrees(TPoint centre, double radius, double flatness, double tilt_degrees,
                         double start_degrees, double end_degrees) {
  TArcShape arc;
  arc.Centre = centre;
  arc.Radius = radius;
  arc.Flatness = flatness;
  arc.Tilt = Radians(tilt_degrees);
  arc.Start = Radians(start_degrees);
  double sweep = std::fmod(end_degrees - start_degrees, 360.0);
  if (!(sweep > 1e-9)) sweep += 360;  // also what NaN makes: a whole circle
  if (!(sweep > 1e-9) || sweep > 360) sweep = 360;
  arc.Sweep = Radians(sweep);
  return arc;
}

TPoint ArcPoint(const TArcShape& arc, double radius, double t) {
  const double x = radius * std::cos(t);
  const double y = radius * arc.Flatness * std::sin(t);
  const double c = std::cos(arc.Tilt), s = std::sin(arc.Tilt);
  return {arc.Centre.X + x * c - y * s, arc.Centre.Y + x * s + y * c};
}

int ArcSegments(const TArcShape& arc, double radius_pixels) {
  // A chord of angle a strays r (1 - cos(a / 2)), about r a^2 / 8, from its arc.
  const double r = std::max(std::abs(radius_pixels) * std::max(1.0, std::abs(arc.Flatness)), 0.0);
  if (!(r > 0.5)) return 1;
  const double step = std::sqrt(8 * (1.0 / 3) / r);
  const double segments = std::ceil(arc.Sweep / step);
  if (!(segments >= 1)) return 1;
  return segments > kMostSegments ? kMostSegments : static_cast<int>(segments);
}

void AppendArcPoints(const TArcShape& arc, double radius, int segments, std::vector<TPoint>& out) {
  const int n = std::max(segments, 1);
  for (int i = 0; i <= n; ++i) out.push_back(ArcPoint(arc, radius, arc.Start + arc.Sweep * i / n));
}

void AppendArcOutline(const TArcShape& arc, int segments, std::vector<TPoint>& out) {
  AppendArcPoints(arc, arc.Radius, segments, out);
  switch (arc.Fill) {
    case TArcFill::kSector:
      if (arc.Sweep < kFullTurn - 1e-12) out.push_back(arc.Centre);
      break;
    case TArcFill::kRing: {
      const std::size_t inner = out.size();
      AppendArcPoints(arc, arc.InnerRadius, segments, out);
      std::reverse(out.begin() + static_cast<std::ptrdiff_t>(inner), out.end());
      break;
    }
    case TArcFill::kNone:
    case TArcFill::kSegment: break;
  }
}

TBox ArcBox(const TArcShape& arc) {
  // The box of a tilted ellipse: half-widths sqrt((a cos)^2 + (b sin)^2).
  const double a = std::abs(arc.Radius), b = std::abs(arc.Radius * arc.Flatness);
  const double c = std::cos(arc.Tilt), s = std::sin(arc.Tilt);
  const double half_width = std::hypot(a * c, b * s);
  const double half_height = std::hypot(a * s, b * c);
  TBox box;
  box.Add(TPoint{arc.Centre.X - half_width, arc.Centre.Y - half_height});
  box.Add(TPoint{arc.Centre.X + half_width, arc.Centre.Y + half_height});
  return box;
}

}  // namespace kx27
