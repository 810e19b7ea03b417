#pragma once

// Circles, arcs and ellipse arcs as the host draws them, outlines and filled
// ones alike, and the points that approximate them.

#include <cstdint>
#include <vector>

#include "app/picture/geometry.h"

namespace kx27 {

enum class TArcFill : std::uint8_t {
  kNone,     // an outline
  kSector,   // filled out to the centre
  kSegment,  // filled out to the chord
  kRing,     // filled between InnerRadius and Radius
};

// The point at parameter t is Centre + rotate(Tilt) (Radius cos t,
// Radius * Flatness * sin t): Start and Sweep are angles of the circle the
// ellipse was flattened from, as the exchange file gives them.
struct TArcShape {
  TPoint Centre;
  double Radius = 0;    // along the tilt
  double Flatness = 1;  // the other radius over Radius
  double Tilt = 0;      // radians, anticlockwise
  double Start = 0;     // radians
  double Sweep = 0;     // radians, anticlockwise, in (0, 2 pi]
  double InnerRadius = 0;
  TArcFill Fill = TArcFill::kNone;
};

// From the exchange file's degrees: an end angle that equals the start (0
// and 360 say) makes a whole circle.
TArcShape ArcFromDegrees(TPoint centre, double radius, double flatness, double tilt_degrees,
                         double start_degrees, double end_degrees);

TPoint ArcPoint(const TArcShape& arc, double radius, double t);

// Segments for an arc whose Radius is this many pixels long, so that no
// chord strays more than a third of a pixel from it; 1 at least.
int ArcSegments(const TArcShape& arc, double radius_pixels);

// Appends segments + 1 points from Start to Start + Sweep on the ellipse of
// radius (Radius, or InnerRadius for a ring's inner edge).
void AppendArcPoints(const TArcShape& arc, double radius, int segments, std::vector<TPoint>& out);

// The outline of a filled arc as one polygon (a ring's inner edge runs
// backwards), or of an outline arc as an open polyline.
void AppendArcOutline(const TArcShape& arc, int segments, std::vector<TPoint>& out);

// Bounds the drawn part, for culling: the whole ellipse's box, which holds
// every arc of it.
TBox ArcBox(const TArcShape& arc);

}  // namespace kx27
