#pragma once

// Points and boxes in the drawing's coordinates (y up).

#include <algorithm>
#include <limits>

namespace kx27 {

struct TPoint {
  double X = 0;
  double Y = 0;
};

// Empty until a point is added.
struct TBox {
  double Left = std::numeric_limits<double>::infinity();
  double Bottom = std::numeric_limits<double>::infinity();
  double Right = -std::numeric_limits<double>::infinity();
  double Top = -std::numeric_limits<double>::infinity();

  bool Empty() const { return Left > Right || Bottom > Top; }
  void Add(TPoint p) {
    Left = std::min(Left, p.X);
    Right = std::max(Right, p.X);
    Bottom = std::min(Bottom, p.Y);
    Top = std::max(Top, p.Y);
  }
  void Add(const TBox& box) {
    if (box.Empty()) return;
    Add(TPoint{box.Left, box.Bottom});
    Add(TPoint{box.Right, box.Top});
  }
  bool Overlaps(const TBox& box) const {
    return Left <= box.Right && box.Left <= Right && Bottom <= box.Top && box.Bottom <= Top;
  }
};

}  // namespace kx27
