#include "app/picture/pixel_raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace kx27 {

TRasterSink::TRasterSink(int dpi)
    : unit_(std::max(dpi, 96) / 96.0),
      line_width_(std::max(1, static_cast<int>(std::lround(unit_)))) {}

void TRasterSink::Begin(std::span<std::uint32_t> pixels, int width, int height) {
  const bool fits =
      width > 0 && height > 0 &&
      pixels.size() >= static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  pixels_ = fits ? pixels.data() : nullptr;
  width_ = fits ? width : 0;
  height_ = fits ? height : 0;
}

void TRasterSink::Line(std::span<const TPixelPoint> points, const TPaintStyle& style) {
  if (points.size() < 2 || !pixels_) return;
  Stroke(points, style.Dashes, style.Rgb, LineWidth(style));
}

void TRasterSink::Fill(std::span<const TPixelPoint> outline, const TPaintStyle& style) {
  if (outline.size() < 3 || !pixels_) return;
  double top = std::numeric_limits<double>::infinity();
  double bottom = -top;
  for (const TPixelPoint& p : outline) {
    top = std::min(top, p.Y);
    bottom = std::max(bottom, p.Y);
  }
  // Rows whose pixel centres lie inside, cut to the pixels.
  const double first = std::max(0.0, std::ceil(top - 0.5));
  const double last = std::min(height_ - 1.0, std::floor(bottom - 0.5));
  for (double row = first; row <= last; ++row) {
    const double y = row + 0.5;
    crossings_.clear();
    TPixelPoint previous = outline.back();
    for (const TPixelPoint& p : outline) {
      if ((previous.Y <= y) != (p.Y <= y)) {
        crossings_.push_back(previous.X +
                             (y - previous.Y) * (p.X - previous.X) / (p.Y - previous.Y));
      }
      previous = p;
    }
    std::sort(crossings_.begin(), crossings_.end());
    for (std::size_t i = 0; i + 1 < crossings_.size(); i += 2) {
      const double left = std::max(0.0, std::ceil(crossings_[i] - 0.5));
      const double right = std::min(width_ - 1.0, std::floor(crossings_[i + 1] - 0.5));
      if (left <= right)
        Span(static_cast<int>(row), static_cast<int>(left), static_cast<int>(right), style.Rgb);
    }
  }
  closed_.assign(outline.begin(), outline.end());
  closed_.push_back(outline.front());
  Stroke(closed_, {}, style.Rgb, LineWidth(style));
}

void TRasterSink::Mark(TPixelPoint at, const TPaintStyle& style) {
  if (!pixels_ || !std::isfinite(at.X) || !std::isfinite(at.Y)) return;
  if (at.X < -8 || at.Y < -8 || at.X > width_ + 8 || at.Y > height_ + 8) return;
  const int radius = std::max(1, static_cast<int>(std::lround(1.5 * unit_)));
  const int x = static_cast<int>(std::lround(at.X));
  const int y = static_cast<int>(std::lround(at.Y));
  for (int dy = -radius; dy <= radius; ++dy) {
    const int half =
        static_cast<int>(std::lround(std::sqrt(static_cast<double>(radius * radius - dy * dy))));
    Span(y + dy, x - half, x + half, style.Rgb);
  }
}

void TRasterSink::Dot(TPixelPoint at, const TPaintStyle& style) {
  if (!pixels_ || !(at.X >= 0 && at.Y >= 0 && at.X < width_ && at.Y < height_)) return;
  Plot(static_cast<int>(at.X), static_cast<int>(at.Y), style.Rgb);
}

void TRasterSink::Box(const TTextPaint& text, const TPaintStyle& style) {
  if (!pixels_) return;
  const std::array<TPixelPoint, 5> box{text.Corners[0], text.Corners[1], text.Corners[2],
                                       text.Corners[3], text.Corners[0]};
  Stroke(box, {}, style.Rgb, LineWidth(style));
}

int TRasterSink::LineWidth(const TPaintStyle& style) const {
  return style.Look.Emphasised ? 2 * line_width_ : line_width_;
}

// Only what lies in the pixels is cut into dashes: a line far longer than
// the view costs no more than one that fits.
void TRasterSink::Stroke(std::span<const TPixelPoint> points, std::span<const std::uint8_t> dashes,
                         std::uint32_t rgb, int thickness) {
  const auto length_of = [&](std::size_t index) { return std::max(1.0, dashes[index] * unit_); };
  double period = 0;
  for (std::size_t i = 0; i < dashes.size(); ++i) period += length_of(i);
  double distance = 0;  // along the polyline to the current segment
  for (std::size_t i = 1; i < points.size(); ++i) {
    const TPixelPoint from = points[i - 1];
    const double dx = points[i].X - from.X;
    const double dy = points[i].Y - from.Y;
    const double length = std::hypot(dx, dy);
    if (!(length > 0) || !std::isfinite(length)) continue;
    const double ux = dx / length;
    const double uy = dy / length;
    double t = 0;
    double end = length;
    if (!ClipRay(from, ux, uy, thickness, t, end)) {
      distance += length;
      continue;
    }
    const auto at = [&](double along) {
      return TPixelPoint{from.X + ux * along, from.Y + uy * along};
    };
    if (dashes.empty()) {
      Segment(at(t), at(end), rgb, thickness);
      distance += length;
      continue;
    }
    std::size_t index = 0;
    double phase = std::fmod(distance + t, period);
    while (phase >= length_of(index)) {
      phase -= length_of(index);
      index = (index + 1) % dashes.size();
    }
    double left = length_of(index) - phase;
    while (t < end) {
      const double step = std::min(left, end - t);
      if (index % 2 == 0) Segment(at(t), at(t + step), rgb, thickness);
      t += step;
      left -= step;
      if (left <= 1e-9) {
        index = (index + 1) % dashes.size();
        left = length_of(index);
      }
    }
    distance += length;
  }
}

bool TRasterSink::ClipRay(TPixelPoint from, double ux, double uy, int thickness, double& t,
                          double& end) const {
  const double margin = thickness + 1.0;
  const auto clip = [&](double direction, double start, double low, double high) {
    if (direction == 0) return start >= low && start <= high;
    double enter = (low - start) / direction;
    double leave = (high - start) / direction;
    if (enter > leave) std::swap(enter, leave);
    t = std::max(t, enter);
    end = std::min(end, leave);
    return t < end;
  };
  return clip(ux, from.X, -margin, width_ + margin) && clip(uy, from.Y, -margin, height_ + margin);
}

// Bresenham between the rounded ends; a thick line is as many pixels
// across its steeper axis.
void TRasterSink::Segment(TPixelPoint a, TPixelPoint b, std::uint32_t rgb, int thickness) {
  int x = static_cast<int>(std::lround(a.X));
  int y = static_cast<int>(std::lround(a.Y));
  const int x1 = static_cast<int>(std::lround(b.X));
  const int y1 = static_cast<int>(std::lround(b.Y));
  const int dx = std::abs(x1 - x);
  const int dy = -std::abs(y1 - y);
  const int sx = x < x1 ? 1 : -1;
  const int sy = y < y1 ? 1 : -1;
  const bool steep = -dy > dx;
  const int from = -(thickness - 1) / 2;
  const int to = from + thickness;
  int error = dx + dy;
  for (;;) {
    if (thickness == 1) {
      Plot(x, y, rgb);
    } else {
      for (int k = from; k < to; ++k) {
        if (steep) {
          Plot(x + k, y, rgb);
        } else {
          Plot(x, y + k, rgb);
        }
      }
    }
    if (x == x1 && y == y1) break;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
}

void TRasterSink::Span(int y, int left, int right, std::uint32_t rgb) {
  if (y < 0 || y >= height_) return;
  left = std::max(left, 0);
  right = std::min(right, width_ - 1);
  if (left > right) return;
  std::uint32_t* row = pixels_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  std::fill(row + left, row + right + 1, rgb);
}

}  // namespace kx27
