#include "exchange/solid_corners.h"

#include <cmath>

namespace kx27 {

namespace {

bool Same(const TCorner& a, const TCorner& b) {
  return std::fabs(a.X - b.X) <= 1e-10 && std::fabs(a.Y - b.Y) <= 1e-10;
}

TSolidShape Shape(TKind kind, int a, int b, int c = 0, int d = 0) {
  return TSolidShape{kind, {a, b, c, d}};
}

TSolidShape ReduceThree(std::span<const TCorner> p) {
  if (Same(p[0], p[1])) return Shape(kSolid2, 0, 2);
  if (Same(p[1], p[2])) return Shape(kSolid2, 0, 1);
  return Shape(kSolid3, 0, 1, 2);
}

TSolidShape ReduceFour(std::span<const TCorner> p) {
  const bool s01 = Same(p[0], p[1]);
  const bool s02 = Same(p[0], p[2]);
  const bool s03 = Same(p[0], p[3]);
  const bool s12 = Same(p[1], p[2]);
  const bool s13 = Same(p[1], p[3]);
  const bool s23 = Same(p[2], p[3]);
  if (s01 && s02) return Shape(kSolid2, 0, 3);
  if (s12 && s13) return Shape(kSolid2, 0, 1);
  if (s01 && s23) return Shape(kSolid2, 0, 2);
  if (s03 || s13 || s23) return Shape(kSolid3, 0, 1, 2);
  if (s02 || s12) return Shape(kSolid3, 0, 1, 3);
  if (s01) return Shape(kSolid3, 0, 2, 3);
  return Shape(kSolid4, 0, 1, 2, 3);
}

}  // namespace

TSolidShape ReduceSolidCorners(std::span<const TCorner> corners) {
  switch (corners.size()) {
    case 3: return ReduceThree(corners);
    case 4: return ReduceFour(corners);
    default: return Shape(kSolid2, 0, 1);
  }
}

}  // namespace kx27
