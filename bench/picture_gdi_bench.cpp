// Times, under Windows or Wine, what the dialog's picture costs on an
// exchange file: painting it into the 1280 x 800 bitmap the picture view's
// worker thread paints into, as it does (lines, dashes, fills into the
// pixels, texts with GDI), fitted, with a group lit, and zoomed in, the fastest of five
// runs each:
//   picture_gdi_bench FILE

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <span>

#include "app/convert/selection.h"
#include "app/picture/host_colour.h"
#include "app/picture/picture.h"
#include "app/picture/picture_paint.h"
#include "app/win/picture_bitmap.h"
#include "bench/picture_bench_setup.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

// Passes everything on to the GDI sink and adds up the time of each kind
// of call, so that a slow paint says where its time goes.
class TTimedSink final : public kx27::TPictureSink {
 public:
  explicit TTimedSink(kx27::TGdiPictureSink& sink) : sink_(sink) {}

  void Line(std::span<const kx27::TPixelPoint> points, const kx27::TPaintStyle& style) override {
    Timed(kLines, [&] { sink_.Line(points, style); });
  }
  void Fill(std::span<const kx27::TPixelPoint> outline, const kx27::TPaintStyle& style) override {
    Timed(kFills, [&] { sink_.Fill(outline, style); });
  }
  void Text(const kx27::TTextPaint& text, const kx27::TPaintStyle& style) override {
    Timed(text.AsBox ? kBoxes : kTexts, [&] { sink_.Text(text, style); });
  }
  void Mark(kx27::TPixelPoint at, const kx27::TPaintStyle& style) override {
    Timed(kMarks, [&] { sink_.Mark(at, style); });
  }
  void Dot(kx27::TPixelPoint at, const kx27::TPaintStyle& style) override {
    Timed(kDots, [&] { sink_.Dot(at, style); });
  }

  void Print() const {
    static constexpr const char* kNames[] = {"lines",      "fills", "texts",
                                             "text boxes", "marks", "dots"};
    std::printf("   ");
    for (std::size_t i = 0; i < kKinds; ++i) {
      std::printf(" %s %lld: %.1f ms;", kNames[i], static_cast<long long>(calls_[i]), ms_[i]);
    }
    std::printf("\n");
  }

 private:
  enum { kLines, kFills, kTexts, kBoxes, kMarks, kDots, kKinds };

  template <typename Call>
  void Timed(int kind, Call call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    ms_[kind] +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    ++calls_[kind];
  }

  kx27::TGdiPictureSink& sink_;
  double ms_[kKinds] = {};
  long long calls_[kKinds] = {};
};
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
  const kx27::TPictureOptions options = kx27::bench::EveryLayerConverted();
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
    return kx27::bench::BestMs([&] {
      bitmap.Clear(kx27::kHostBackground);
      sink.Begin(bitmap);
      count = painter.Paint(picture, view, rect, focus, sink);
      sink.Finish();
      bitmap.Pixels();  // waits for GDI to finish
    });
  };
  const kx27::TViewport fitted = kx27::TViewport::Fit(picture.Box, rect, 8);
  kx27::TViewport zoomed = fitted;
  zoomed.ZoomAt({kWidth / 2.0, kHeight / 2.0}, 8);

  std::printf("%zu elements, %zu items, painted into a %d x %d bitmap\n",
              selection.Drawing.Store.OrderList.size(), picture.Items.size(), kWidth, kHeight);
  const auto breakdown = [&](const kx27::TViewport& view, const kx27::TPictureFocus& focus) {
    TTimedSink timed(sink);
    bitmap.Clear(kx27::kHostBackground);
    sink.Begin(bitmap);
    painter.Paint(picture, view, rect, focus, timed);
    sink.Finish();
    timed.Print();
  };
  const double fit_ms = paint(fitted, {});
  std::printf("  fitted                %8.1f ms  (%lld drawn, %lld dots)\n", fit_ms,
              static_cast<long long>(count.Drawn), static_cast<long long>(count.Dots));
  breakdown(fitted, {});
  const double focus_ms = paint(fitted, {kx27::TLayerSet::Group(0), true});
  std::printf("  fitted, group 0 lit   %8.1f ms\n", focus_ms);
  breakdown(fitted, {kx27::TLayerSet::Group(0), true});
  const double zoom_ms = paint(zoomed, {});
  std::printf("  zoomed in 8 x         %8.1f ms  (%lld drawn, %lld dots, %lld outside)\n", zoom_ms,
              static_cast<long long>(count.Drawn), static_cast<long long>(count.Dots),
              static_cast<long long>(count.Skipped));
  return 0;
}
