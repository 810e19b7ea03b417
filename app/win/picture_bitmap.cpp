#include "app/win/picture_bitmap.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kx27 {
namespace {

// Fonts differ by every text's height, width and angle; more than this
// many are seldom in view at once.
constexpr std::size_t kKeptFonts = 32;

// Only a text's origin can still lie far out; GDI draws wrongly long before
// the end of its 32-bit coordinates.
constexpr double kFarthestPixel = 1 << 24;

COLORREF ToColorRef(std::uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

POINT ToPoint(TPixelPoint p) {
  return {static_cast<LONG>(std::lround(std::clamp(p.X, -kFarthestPixel, kFarthestPixel))),
          static_cast<LONG>(std::lround(std::clamp(p.Y, -kFarthestPixel, kFarthestPixel)))};
}

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

TPictureBitmap::TPictureBitmap() : dc_(CreateCompatibleDC(nullptr)) {}

TPictureBitmap::~TPictureBitmap() {
  if (dc_ && first_bitmap_) SelectObject(dc_, first_bitmap_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
}

bool TPictureBitmap::Resize(int width, int height) {
  if (!dc_ || width <= 0 || height <= 0) return false;
  if (width == width_ && height == height_ && bitmap_) return true;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return false;
  HGDIOBJ previous = SelectObject(dc_, bitmap);
  if (!first_bitmap_) first_bitmap_ = previous;
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = bitmap;
  bits_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

void TPictureBitmap::Clear(std::uint32_t rgb) {
  const std::span<std::uint32_t> pixels = Pixels();
  std::fill(pixels.begin(), pixels.end(), rgb);
}

std::span<const std::uint32_t> TPictureBitmap::Pixels() const {
  if (!bits_) return {};
  GdiFlush();
  return {bits_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)};
}

std::span<std::uint32_t> TPictureBitmap::Pixels() {
  if (!bits_) return {};
  GdiFlush();
  return {bits_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)};
}

TGdiPictureSink::TGdiPictureSink(int dpi) : TRasterSink(dpi) {}

TGdiPictureSink::~TGdiPictureSink() {
  Finish();
  for (const TFont& font : fonts_) DeleteObject(font.Font);
}

void TGdiPictureSink::Begin(TPictureBitmap& bitmap) {
  Finish();
  TRasterSink::Begin(bitmap.Pixels(), bitmap.Width(), bitmap.Height());
  dc_ = bitmap.Dc();
  first_font_ = GetCurrentObject(dc_, OBJ_FONT);
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_LEFT | TA_BOTTOM | TA_NOUPDATECP);
  font_ = nullptr;
}

void TGdiPictureSink::Finish() {
  if (!dc_) return;
  SelectObject(dc_, first_font_);
  dc_ = nullptr;
}

void TGdiPictureSink::Text(const TTextPaint& text, const TPaintStyle& style) {
  if (!dc_) return;
  if (text.AsBox) {
    Box(text, style);
    return;
  }
  // The host gives each half-width character one share of the length and
  // each full-width character two.
  text_.clear();
  shares_.clear();
  for (std::size_t i = 0; i < text.Bytes.size();) {
    const bool wide =
        IsLeadByte(static_cast<unsigned char>(text.Bytes[i])) && i + 1 < text.Bytes.size();
    const int size = wide ? 2 : 1;
    wchar_t character = L'?';
    if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text.Bytes.data() + i, size, &character,
                            1) != 1) {
      character = wide ? L'\x30FB' : L'?';
    }
    text_ += character;
    shares_.push_back(size);
    i += static_cast<std::size_t>(size);
  }
  if (text_.empty()) return;
  int total = 0;
  for (int share : shares_) total += share;
  const double share_length = text.Length > 0 ? text.Length / total : text.Height / 2;
  advances_.clear();
  double at = 0;
  for (int share : shares_) {
    const double next = at + share * share_length;
    advances_.push_back(static_cast<INT>(std::lround(next) - std::lround(at)));
    at = next;
  }
  const double degrees = text.Angle * 180 / std::numbers::pi;
  int escapement = static_cast<int>(std::lround(std::fmod(degrees * 10, 3600)));
  if (escapement < 0) escapement += 3600;
  UseFont(std::max(1, static_cast<int>(std::lround(text.Height))),
          std::max(1, static_cast<int>(std::lround(share_length))), escapement);
  SetTextColor(dc_, ToColorRef(style.Rgb));
  const POINT origin = ToPoint(text.Origin);
  ExtTextOutW(dc_, origin.x, origin.y, 0, nullptr, text_.data(), static_cast<UINT>(text_.size()),
              advances_.data());
  GdiFlush();  // the lines that follow go straight into the pixels
}

void TGdiPictureSink::UseFont(int height, int width, int escapement) {
  auto found = std::find_if(fonts_.begin(), fonts_.end(), [&](const TFont& font) {
    return font.Height == height && font.Width == width && font.Escapement == escapement;
  });
  if (found == fonts_.end()) {
    HFONT font = CreateFontW(-height, width, escapement, escapement, FW_NORMAL, FALSE, FALSE, FALSE,
                             SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック");
    if (!font) return;
    if (fonts_.size() == kKeptFonts) {
      SelectObject(dc_, first_font_);
      DeleteObject(fonts_.front().Font);
      fonts_.erase(fonts_.begin());
      font_ = nullptr;
    }
    fonts_.push_back({height, width, escapement, font});
  } else {
    std::rotate(found, found + 1, fonts_.end());
  }
  if (fonts_.back().Font != font_) {
    SelectObject(dc_, fonts_.back().Font);
    font_ = fonts_.back().Font;
  }
}

}  // namespace kx27
