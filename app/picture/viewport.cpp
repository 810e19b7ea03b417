#include "app/picture/viewport.h"

#include <algorithm>
#include <cmath>

namespace kx27 {
namespace {

// Far beyond any drawing, yet clear of what doubles lose on screen.
constexpr double kLeastScale = 1e-9;
constexpr double kMostScale = 1e9;

}  // namespace

TViewport TViewport::Fit(const TBox& box, const TPixelRect& rect, double margin) {
  TViewport view;
  const double width = std::max(rect.Right - rect.Left - 2 * margin, 1.0);
  const double height = std::max(rect.Bottom - rect.Top - 2 * margin, 1.0);
  TPoint centre{0, 0};
  double scale = std::min(width, height);  // one drawing unit
  if (!box.Empty()) {
    centre = {(box.Left + box.Right) / 2, (box.Bottom + box.Top) / 2};
    if (!std::isfinite(centre.X) || !std::isfinite(centre.Y)) centre = {0, 0};
    const double box_width = box.Right - box.Left, box_height = box.Top - box.Bottom;
    // A line along an axis fits by its length alone.
    if (box_width > 0 && box_height > 0)
      scale = std::min(width / box_width, height / box_height);
    else if (box_width > 0)
      scale = width / box_width;
    else if (box_height > 0)
      scale = height / box_height;
  }
  view.scale_ = std::isfinite(scale) ? std::clamp(scale, kLeastScale, kMostScale) : 1;
  const TPixelPoint middle{(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
  view.origin_ = {middle.X - centre.X * view.scale_, middle.Y + centre.Y * view.scale_};
  return view;
}

void TViewport::ZoomAt(TPixelPoint pixel, double factor) {
  if (!(factor > 0) || !std::isfinite(factor)) return;
  const TPoint fixed = ToDrawing(pixel);
  scale_ = std::clamp(scale_ * factor, kLeastScale, kMostScale);
  origin_ = {pixel.X - fixed.X * scale_, pixel.Y + fixed.Y * scale_};
}

void TViewport::Pan(double dx, double dy) {
  origin_.X += dx;
  origin_.Y += dy;
}

TBox TViewport::VisibleBox(const TPixelRect& rect) const {
  TBox box;
  box.Add(ToDrawing({rect.Left, rect.Top}));
  box.Add(ToDrawing({rect.Right, rect.Bottom}));
  return box;
}

}  // namespace kx27
