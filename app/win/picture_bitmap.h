#pragma once

// The picture's pixels with GDI: a top-down 32-bit bitmap in a memory DC,
// and the painter's sink that draws into it. The picture view's worker
// thread owns one of each, and the benchmark does the same.

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/picture/picture_paint.h"

namespace kx27 {

class TPictureBitmap {
 public:
  TPictureBitmap();
  ~TPictureBitmap();
  TPictureBitmap(const TPictureBitmap&) = delete;
  TPictureBitmap& operator=(const TPictureBitmap&) = delete;

  // False when the system has no memory for a bitmap of that size.
  bool Resize(int width, int height);
  void Clear(std::uint32_t rgb);
  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // 0x00RRGGBB per pixel, rows top to bottom; GDI's work is done first.
  std::span<const std::uint32_t> Pixels() const;

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ first_bitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// Draws with pens and fonts it makes as the picture needs them and keeps
// for the next paint: one sink per thread, as the painter.
class TGdiPictureSink final : public TPictureSink {
 public:
  explicit TGdiPictureSink(int dpi);
  ~TGdiPictureSink() override;
  TGdiPictureSink(const TGdiPictureSink&) = delete;
  TGdiPictureSink& operator=(const TGdiPictureSink&) = delete;

  // The DC the next items go to, and the size of its bitmap; its pen,
  // brush and font are restored by the next Begin or the destructor.
  void Begin(HDC dc, int width, int height);

  void Line(std::span<const TPixelPoint> points, const TPaintStyle& style) override;
  void Fill(std::span<const TPixelPoint> outline, const TPaintStyle& style) override;
  void Text(const TTextPaint& text, const TPaintStyle& style) override;
  void Mark(TPixelPoint at, const TPaintStyle& style) override;
  void Dot(TPixelPoint at, const TPaintStyle& style) override;

 private:
  struct TPen {
    std::uint32_t Rgb;
    int Width;
    HPEN Pen;
  };
  struct TFont {
    int Height;
    int Width;
    int Escapement;
    HFONT Font;
  };

  void End();
  void UsePen(std::uint32_t rgb, bool emphasised);
  void UseFont(int height, int width, int escapement);
  void ToPoints(std::span<const TPixelPoint> points);
  // Into points_ and counts_: the runs of a line that are drawn.
  void Stroke(std::span<const TPixelPoint> points, std::span<const std::uint8_t> dashes);
  bool ClipSegment(TPixelPoint from, double ux, double uy, double& t, double& end) const;
  // Into clipped_.
  void ClipPolygon(std::span<const TPixelPoint> outline);

  HDC dc_ = nullptr;
  TPixelRect clip_;
  HGDIOBJ first_pen_ = nullptr;
  HGDIOBJ first_brush_ = nullptr;
  HGDIOBJ first_font_ = nullptr;
  double unit_ = 1;  // pixels per pixel at 100 % scale
  int line_width_ = 1;
  std::vector<TPen> pens_;
  std::vector<TFont> fonts_;  // the most recently used last
  HPEN pen_ = nullptr;
  HFONT font_ = nullptr;
  std::vector<TPixelPoint> clipped_;
  std::vector<TPixelPoint> spare_;
  std::vector<POINT> points_;
  std::vector<DWORD> counts_;
  std::wstring text_;
  std::vector<int> shares_;  // of the text's length, per character
  std::vector<INT> advances_;
};

}  // namespace kx27
