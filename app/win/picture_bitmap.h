#pragma once

// The picture's pixels with GDI: a top-down 32-bit bitmap in a memory DC,
// and the painter's sink that draws into it. The picture view's worker
// thread owns one of each, and the benchmark does the same.

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/picture/pixel_raster.h"

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
  std::span<std::uint32_t> Pixels();

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ first_bitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// Puts lines, fills, marks and dots into the bitmap's pixels itself and
// draws texts with GDI's fonts, which it makes as the picture needs them
// and keeps for the next paint: one sink per thread, as the painter.
class TGdiPictureSink final : public TRasterSink {
 public:
  explicit TGdiPictureSink(int dpi);
  ~TGdiPictureSink() override;
  TGdiPictureSink(const TGdiPictureSink&) = delete;
  TGdiPictureSink& operator=(const TGdiPictureSink&) = delete;

  // The bitmap the next items go to.
  void Begin(TPictureBitmap& bitmap);
  // Gives the bitmap's DC its own font back; the next Begin and the
  // destructor do the same.
  void Finish();

  void Text(const TTextPaint& text, const TPaintStyle& style) override;

 private:
  struct TFont {
    int Height;
    int Width;
    int Escapement;
    HFONT Font;
  };

  void UseFont(int height, int width, int escapement);

  HDC dc_ = nullptr;
  HGDIOBJ first_font_ = nullptr;
  std::vector<TFont> fonts_;  // the most recently used last
  HFONT font_ = nullptr;
  std::wstring text_;
  std::vector<int> shares_;  // of the text's length, per character
  std::vector<INT> advances_;
};

}  // namespace kx27
