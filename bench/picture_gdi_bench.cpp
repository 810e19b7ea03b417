// Times, under Windows or Wine, what the dialog's picture costs on an
// exchange file: painting it with GDI into the 1280 x 800 bitmap the
// picture view's worker thread paints into (dashes, fills and texts
// included), fitted, with a group lit, and zoomed in, the fastest of five
// runs each:
//   picture_gdi_bench FILE

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "app/picture/host_colour.h"
#include "app/picture/picture.h"
#include "app/picture/picture_paint.h"
#include "app/selection.h"
#include "app/win/picture_bitmap.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

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

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: picture_gdi_bench FILE\n", stderr);
    return 2;
  }
  const kx27::TSelection selection = kx27::ReadSelection(argv[1]);
  if (selection.Status != kx27::TReadStatus::kComplete) {
    std::fputs("picture_gdi_bench: the file cannot be read\n", stderr);
    return 1;
  }
  kx27::TPictureOptions options;
  for (std::size_t i = 0; i < options.Values.size(); ++i) options.Values[i] = static_cast<std::int32_t>(i % 9 + 1);
  options.Dimensions = true;
  const kx27::TPicture picture = kx27::BuildPicture(selection.Drawing, options);

  kx27::TPictureBitmap bitmap;
  if (!bitmap.Resize(kWidth, kHeight)) {
    std::fputs("picture_gdi_bench: no memory for the bitmap\n", stderr);
    return 1;
  }
  kx27::TGdiPictureSink sink(96);
  kx27::TPicturePainter painter;
  const kx27::TPixelRect rect{0, 0, kWidth, kHeight};
  kx27::TPaintCount count;
  const auto paint = [&](const kx27::TViewport& view, const kx27::TPictureFocus& focus) {
    return BestMs([&] {
      bitmap.Clear(kx27::kHostBackground);
      sink.Begin(bitmap.Dc(), kWidth, kHeight);
      count = painter.Paint(picture, view, rect, focus, sink);
      bitmap.Pixels();  // waits for GDI to finish
    });
  };
  const kx27::TViewport fitted = kx27::TViewport::Fit(picture.Box, rect, 8);
  kx27::TViewport zoomed = fitted;
  zoomed.ZoomAt({kWidth / 2.0, kHeight / 2.0}, 8);

  std::printf("%zu elements, %zu items, painted with GDI into %d x %d\n",
              selection.Drawing.Store.OrderList.size(), picture.Items.size(), kWidth, kHeight);
  const double fit_ms = paint(fitted, {});
  std::printf("  fitted                %8.1f ms  (%lld drawn, %lld dots)\n", fit_ms,
              static_cast<long long>(count.Drawn), static_cast<long long>(count.Dots));
  const double focus_ms = paint(fitted, {kx27::TLayerSet::Group(0), true});
  std::printf("  fitted, group 0 lit   %8.1f ms\n", focus_ms);
  const double zoom_ms = paint(zoomed, {});
  std::printf("  zoomed in 8 x         %8.1f ms  (%lld drawn, %lld dots, %lld outside)\n", zoom_ms,
              static_cast<long long>(count.Drawn), static_cast<long long>(count.Dots),
              static_cast<long long>(count.Skipped));
  return 0;
}
