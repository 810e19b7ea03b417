#pragma once

// Where the drawing lies on the screen: pixels per drawing unit and the
// pixel of the drawing's origin, with y up in the drawing and down on the
// screen. What the window's wheel, drag and Home change.

#include "app/picture/geometry.h"

namespace kx27 {

struct TPixelPoint {
  double X = 0;
  double Y = 0;
};

struct TPixelRect {
  double Left = 0;
  double Top = 0;
  double Right = 0;
  double Bottom = 0;
};

class TViewport {
 public:
  // box in the middle of rect, as large as fits inside margin pixels on
  // every side. A box without height fits by its width (and the other way
  // round), a single point as one drawing unit, and an empty box centres
  // the origin at that scale.
  static TViewport Fit(const TBox& box, const TPixelRect& rect, double margin);

  TPixelPoint ToPixel(TPoint p) const {
    return {origin_.X + p.X * scale_, origin_.Y - p.Y * scale_};
  }
  TPoint ToDrawing(TPixelPoint p) const {
    return {(p.X - origin_.X) / scale_, (origin_.Y - p.Y) / scale_};
  }
  double Scale() const { return scale_; }  // pixels per drawing unit

  // Scales by factor about pixel, which stays over the same drawing point.
  void ZoomAt(TPixelPoint pixel, double factor);
  void Pan(double dx, double dy);

  // The part of the drawing that rect shows.
  TBox VisibleBox(const TPixelRect& rect) const;

 private:
  double scale_ = 1;
  TPixelPoint origin_;
};

}  // namespace kx27
