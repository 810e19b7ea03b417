#include "exchange/point_distance.h"

#include <cmath>

namespace kx27 {

double PointDistance(double x1, double y1, double x2, double y2) {
  // Extended precision keeps the squares of any double pair finite.
  const long double dx = static_cast<long double>(x2) - x1;
  const long double dy = static_cast<long double>(y2) - y1;
  return static_cast<double>(std::sqrt(dx * dx + dy * dy));
}

}  // namespace kx27
