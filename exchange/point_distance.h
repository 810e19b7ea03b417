#pragma once

// The distance between two points, for the length a dimension states.

namespace kx27 {

double PointDistance(double x1, double y1, double x2, double y2);

}  // namespace kx27
