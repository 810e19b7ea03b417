// Times the picture of a selection on an exchange file (one that
// generate_exchange writes, say): building it from the drawing, and painting
// it through the culling painter into a plain 1280 x 800 bitmap, fitted and
// zoomed in, the fastest of five runs each:
//   picture_bench FILE
// "Painter alone" hands everything to a sink that draws nothing; "paint"
// puts the pixels with the window's own rasteriser (dashes and fills
// included, texts as boxes).

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/convert/selection.h"
#include "app/picture/picture.h"
#include "app/picture/picture_paint.h"
#include "app/picture/pixel_raster.h"
#include "bench/picture_bench_setup.h"

namespace {

using kx27::TPixelPoint;

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

// The window's own rasteriser, into a plain bitmap; texts as their boxes,
// where the window draws them with the system's fonts.
class TBitmapSink final : public kx27::TRasterSink {
 public:
  TBitmapSink() : TRasterSink(96), pixels_(static_cast<std::size_t>(kWidth) * kHeight) {
    Begin(pixels_, kWidth, kHeight);
  }

  void Text(const kx27::TTextPaint& text, const kx27::TPaintStyle& style) override {
    Box(text, style);
  }

  std::size_t Lit() const {
    return static_cast<std::size_t>(
        std::count_if(pixels_.begin(), pixels_.end(), [](std::uint32_t p) { return p != 0; }));
  }

 private:
  std::vector<std::uint32_t> pixels_;
};

// Takes what the painter hands over and draws nothing: the painter's own cost.
class TNullSink final : public kx27::TPictureSink {
 public:
  void Line(std::span<const TPixelPoint> points, const kx27::TPaintStyle&) override {
    Points += points.size();
  }
  void Fill(std::span<const TPixelPoint> outline, const kx27::TPaintStyle&) override {
    Points += outline.size();
  }
  void Text(const kx27::TTextPaint&, const kx27::TPaintStyle&) override { Points += 4; }
  void Mark(TPixelPoint, const kx27::TPaintStyle&) override { ++Points; }
  void Dot(TPixelPoint, const kx27::TPaintStyle&) override { ++Points; }

  std::size_t Points = 0;
};
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
  const kx27::TPictureOptions options = kx27::bench::EveryLayerConverted();

  kx27::TPicture picture;
  const double build =
      kx27::bench::BestMs([&] { picture = kx27::BuildPicture(selection.Drawing, options); });
  const double edit =
      kx27::bench::BestMs([&] { kx27::SetLineTypesAfter(picture, options.Values, false); });

  const kx27::TPixelRect rect{0, 0, kWidth, kHeight};
  kx27::TPicturePainter painter;
  kx27::TPaintCount count;
  std::size_t lit = 0;
  const auto paint = [&](const kx27::TViewport& view, const kx27::TPictureFocus& focus) {
    return kx27::bench::BestMs([&] {
      TBitmapSink sink;
      count = painter.Paint(picture, view, rect, focus, sink);
      lit = sink.Lit();
    });
  };
  const kx27::TViewport fitted = kx27::TViewport::Fit(picture.Box, rect, 8);
  std::size_t points = 0;
  const double cull_ms = kx27::bench::BestMs([&] {
    TNullSink sink;
    painter.Paint(picture, fitted, rect, {}, sink);
    points = sink.Points;
  });
  kx27::TViewport zoomed = fitted;
  zoomed.ZoomAt({kWidth / 2.0, kHeight / 2.0}, 8);

  std::printf("%zu elements, %zu items\n", selection.Drawing.Store.OrderList.size(),
              picture.Items.size());
  std::printf("  build the picture            %8.1f ms\n", build);
  std::printf("  line types after an edit     %8.1f ms\n", edit);
  std::printf("  painter alone, fitted        %8.1f ms  (%zu pixel points handed over)\n", cull_ms,
              points);
  const double fit_ms = paint(fitted, {});
  std::printf(
      "  paint, fitted                %8.1f ms  (%lld drawn, %lld dots, %lld outside; %zu pixels "
      "lit)\n",
      fit_ms, static_cast<long long>(count.Drawn), static_cast<long long>(count.Dots),
      static_cast<long long>(count.Skipped), lit);
  const double focus_ms = paint(fitted, {kx27::TLayerSet::Group(0), true});
  std::printf("  paint, fitted, group 0 lit   %8.1f ms\n", focus_ms);
  const double zoom_ms = paint(zoomed, {});
  std::printf("  paint, zoomed in 8 x         %8.1f ms  (%lld drawn, %lld dots, %lld outside)\n",
              zoom_ms, static_cast<long long>(count.Drawn), static_cast<long long>(count.Dots),
              static_cast<long long>(count.Skipped));
  return 0;
}
