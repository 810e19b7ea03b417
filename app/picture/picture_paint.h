#pragma once

// Painting a picture through a viewport: what lies outside the view is
// skipped, what is smaller than a pixel becomes a dot, curves are cut into
// as many segments as their size on screen needs and random lines into
// waves. A painter (the window's, the SVG writer's) only puts the pixels.

#include <array>
#include <atomic>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "app/picture/highlight.h"
#include "app/picture/picture.h"
#include "app/picture/viewport.h"
#include "app/presets/line_type_pattern.h"

namespace kx27 {

// A text whose height is below this many pixels is drawn as its box.
inline constexpr double kSmallestTextPixels = 6;

struct TPaintStyle {
  std::uint32_t Rgb = 0;  // 0xRRGGBB, already dimmed where the focus dims
  // Line: dash, gap, ... in pixels at 100 % scale, solid when empty.
  // Waves come already as wavy points.
  std::span<const std::uint8_t> Dashes;
  TItemLook Look;
  const TPictureItem* Item = nullptr;
};

struct TTextPaint {
  TPixelPoint Origin;      // bottom-left corner of the box
  double Angle = 0;        // radians, anticlockwise on the screen as in the drawing
  double Length = 0;       // pixels
  double Height = 0;       // pixels
  std::string_view Bytes;  // Shift_JIS
  std::array<TPixelPoint, 4> Corners;
  bool AsBox = false;  // too small to read: draw its box
};

class TPictureSink {
 public:
  virtual ~TPictureSink() = default;
  virtual void Line(std::span<const TPixelPoint> points, const TPaintStyle& style) = 0;
  // Filled and outlined in its colour, so that a thin solid still shows.
  virtual void Fill(std::span<const TPixelPoint> outline, const TPaintStyle& style) = 0;
  virtual void Text(const TTextPaint& text, const TPaintStyle& style) = 0;
  // A point element.
  virtual void Mark(TPixelPoint at, const TPaintStyle& style) = 0;
  // An element smaller than a pixel.
  virtual void Dot(TPixelPoint at, const TPaintStyle& style) = 0;
};

struct TPaintCount {
  std::int64_t Drawn = 0;
  std::int64_t Dots = 0;
  std::int64_t Skipped = 0;  // outside the view
  bool Cancelled = false;    // stopped before the end at the caller's word
};

// How many items a paint goes through between two looks at its cancel flag.
inline constexpr std::int64_t kPaintCancelInterval = 4096;

// Paints the items that rect shows, highlighted ones last so that they lie
// on top. Holds its buffers across calls: one painter per thread. A window
// that paints on a thread of its own sets cancel once the paint is no longer
// wanted; the paint then stops within kPaintCancelInterval items.
class TPicturePainter {
 public:
  TPaintCount Paint(const TPicture& picture, const TViewport& view, const TPixelRect& rect,
                    const TPictureFocus& focus, TPictureSink& sink,
                    const std::atomic<bool>* cancel = nullptr);

 private:
  void PaintItem(const TPicture& picture, const TPictureItem& item, const TViewport& view,
                 const TPaintStyle& style, TPictureSink& sink);
  void Stroke(const TPaintStyle& style, std::int32_t line_type, TPictureSink& sink);

  TPixelRect rect_;
  std::vector<TPoint> points_;
  std::vector<TPixelPoint> pixels_;
  std::vector<TPixelPoint> wave_;
  std::vector<std::size_t> breaks_;  // where wave_ leaves the view and comes back
};

}  // namespace kx27
