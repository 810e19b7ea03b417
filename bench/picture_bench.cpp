// Times the picture of a selection on an exchange file (one that
// generate_exchange writes, say): building it from the drawing, and painting
// it through the culling painter into a plain 1280 x 800 bitmap, fitted and
// zoomed in, the fastest of five runs each:
//   picture_bench FILE
// "Painter alone" hands everything to a sink that draws nothing. The bitmap sink stands in for the window's painter: it sets the pixels of
// every stroke, outline and dot, without dashes or fills.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/picture/picture.h"
#include "app/picture/picture_paint.h"
#include "app/selection.h"

namespace {

using kx27::TPixelPoint;

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

class TBitmapSink final : public kx27::TPictureSink {
 public:
  TBitmapSink() : pixels_(static_cast<std::size_t>(kWidth) * kHeight) {}

  void Line(std::span<const TPixelPoint> points, const kx27::TPaintStyle& style) override {
    for (std::size_t i = 0; i + 1 < points.size(); ++i) Segment(points[i], points[i + 1], style.Rgb);
  }
  void Fill(std::span<const TPixelPoint> outline, const kx27::TPaintStyle& style) override {
    Line(outline, style);
    if (outline.size() > 2) Segment(outline.back(), outline.front(), style.Rgb);
  }
  void Text(const kx27::TTextPaint& text, const kx27::TPaintStyle& style) override {
    Fill(text.Corners, style);
  }
  void Mark(TPixelPoint at, const kx27::TPaintStyle& style) override { Set(at.X, at.Y, style.Rgb); }
  void Dot(TPixelPoint at, const kx27::TPaintStyle& style) override { Set(at.X, at.Y, style.Rgb); }

  std::size_t Lit() const {
    return static_cast<std::size_t>(std::count_if(pixels_.begin(), pixels_.end(), [](std::uint32_t p) { return p != 0; }));
  }

 private:
  void Set(double x, double y, std::uint32_t rgb) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
    pixels_[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)] = rgb | 0xFF000000u;
  }

  // A DDA over the part inside the bitmap only.
  void Segment(TPixelPoint a, TPixelPoint b, std::uint32_t rgb) {
    double from = 0, to = 1;
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.X, kWidth - 1 - a.X, a.Y, kHeight - 1 - a.Y};
    for (int i = 0; i < 4; ++i) {
      if (p[i] == 0) {
        if (q[i] < 0) return;
        continue;
      }
      const double r = q[i] / p[i];
      if (p[i] < 0) from = std::max(from, r);
      else to = std::min(to, r);
    }
    if (from > to) return;
    double x = a.X + dx * from, y = a.Y + dy * from;
    const double length = (to - from) * std::max(std::abs(dx), std::abs(dy));
    const int steps = static_cast<int>(length) + 1;
    const double step_x = dx * (to - from) / steps, step_y = dy * (to - from) / steps;
    for (int i = 0; i <= steps; ++i, x += step_x, y += step_y) Set(x, y, rgb);
  }

  std::vector<std::uint32_t> pixels_;
};

// Takes what the painter hands over and draws nothing: the painter's own cost.
class TNullSink final : public kx27::TPictureSink {
 public:
  void Line(std::span<const TPixelPoint> points, const kx27::TPaintStyle&) override { Points += points.size(); }
  void Fill(std::span<const TPixelPoint> outline, const kx27::TPaintStyle&) override { Points += outline.size(); }
  void Text(const kx27::TTextPaint&, const kx27::TPaintStyle&) override { Points += 4; }
  void Mark(TPixelPoint, const kx27::TPaintStyle&) override { ++Points; }
  void Dot(TPixelPoint, const kx27::TPaintStyle&) override { ++Points; }

  std::size_t Points = 0;
};

double BestMs(const std::function<void()>& run) {
  double best = 1e300;
  for (int i = 0; i < 5; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: picture_bench FILE\n", stderr);
    return 2;
  }
  const kx27::TSelection selection = kx27::ReadSelection(argv[1]);
  if (selection.Status != kx27::TReadStatus::kComplete) {
    std::fprintf(stderr, "picture_bench: %s cannot be read\n", argv[1]);
    return 1;
  }
  kx27::TPictureOptions options;
  for (std::size_t i = 0; i < options.Values.size(); ++i) options.Values[i] = static_cast<std::int32_t>(i % 9 + 1);
  options.Dimensions = true;

  kx27::TPicture picture;
  const double build = BestMs([&] { picture = kx27::BuildPicture(selection.Drawing, options); });
  const double edit = BestMs([&] { kx27::SetLineTypesAfter(picture, options.Values, false); });

  const kx27::TPixelRect rect{0, 0, kWidth, kHeight};
  kx27::TPicturePainter painter;
  kx27::TPaintCount count;
  std::size_t lit = 0;
  const auto paint = [&](const kx27::TViewport& view, const kx27::TPictureFocus& focus) {
    return BestMs([&] {
      TBitmapSink sink;
      count = painter.Paint(picture, view, rect, focus, sink);
      lit = sink.Lit();
    });
  };
  const kx27::TViewport fitted = kx27::TViewport::Fit(picture.Box, rect, 8);
  std::size_t points = 0;
  const double cull_ms = BestMs([&] {
    TNullSink sink;
    painter.Paint(picture, fitted, rect, {}, sink);
    points = sink.Points;
  });
  kx27::TViewport zoomed = fitted;
  zoomed.ZoomAt({kWidth / 2.0, kHeight / 2.0}, 8);

  std::printf("%zu elements, %zu items\n", selection.Drawing.Store.OrderList.size(), picture.Items.size());
  std::printf("  build the picture            %8.1f ms\n", build);
  std::printf("  line types after an edit     %8.1f ms\n", edit);
  std::printf("  painter alone, fitted        %8.1f ms  (%zu pixel points handed over)\n", cull_ms, points);
  const double fit_ms = paint(fitted, {});
  std::printf("  paint, fitted                %8.1f ms  (%lld drawn, %lld dots, %lld outside; %zu pixels lit)\n",
              fit_ms, static_cast<long long>(count.Drawn), static_cast<long long>(count.Dots),
              static_cast<long long>(count.Skipped), lit);
  const double focus_ms = paint(fitted, {kx27::TLayerSet::Group(0), true});
  std::printf("  paint, fitted, group 0 lit   %8.1f ms\n", focus_ms);
  const double zoom_ms = paint(zoomed, {});
  std::printf("  paint, zoomed in 8 x         %8.1f ms  (%lld drawn, %lld dots, %lld outside)\n", zoom_ms,
              static_cast<long long>(count.Drawn), static_cast<long long>(count.Dots),
              static_cast<long long>(count.Skipped));
  return 0;
}
