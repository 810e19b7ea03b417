#pragma once

// The picture's lines, fills, marks and dots put straight into 32-bit
// pixels (0x00RRGGBB, rows top to bottom), as a window's bitmap holds them:
// a system's drawing library costs a call per line and far more per pixel
// than a loop of our own. Texts need a font engine: a subclass draws them.

#include <cstdint>
#include <span>
#include <vector>

#include "app/picture/picture_paint.h"

namespace kx27 {

class TRasterSink : public TPictureSink {
 public:
  // A line is one pixel wide at 96 dpi and a dash as long as its pattern
  // says; both grow in proportion above.
  explicit TRasterSink(int dpi);

  // The pixels the next items go to: width * height of them.
  void Begin(std::span<std::uint32_t> pixels, int width, int height);

  void Line(std::span<const TPixelPoint> points, const TPaintStyle& style) override;
  // Filled by the even-odd rule, its outline drawn as a line of its colour.
  void Fill(std::span<const TPixelPoint> outline, const TPaintStyle& style) override;
  void Mark(TPixelPoint at, const TPaintStyle& style) override;
  void Dot(TPixelPoint at, const TPaintStyle& style) override;

 protected:
  // A text too small to read: its box as a solid outline.
  void Box(const TTextPaint& text, const TPaintStyle& style);

 private:
  int LineWidth(const TPaintStyle& style) const;
  // The pattern runs on across the corners of a polyline, as a pen's would.
  void Stroke(std::span<const TPixelPoint> points, std::span<const std::uint8_t> dashes,
              std::uint32_t rgb, int thickness);
  // The part [t, end] of the ray from along (ux, uy) that lies in the
  // pixels and a line's width around them.
  bool ClipRay(TPixelPoint from, double ux, double uy, int thickness, double& t, double& end) const;
  void Segment(TPixelPoint a, TPixelPoint b, std::uint32_t rgb, int thickness);
  void Plot(int x, int y, std::uint32_t rgb) {
    if (static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
        static_cast<unsigned>(y) < static_cast<unsigned>(height_)) {
      pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
              static_cast<std::size_t>(x)] = rgb;
    }
  }
  void Span(int y, int left, int right, std::uint32_t rgb);

  std::uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  double unit_ = 1;  // pixels per pixel at 96 dpi
  int line_width_ = 1;
  std::vector<double> crossings_;
  std::vector<TPixelPoint> closed_;
};

}  // namespace kx27
