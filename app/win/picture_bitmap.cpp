#include "app/win/picture_bitmap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace kx27 {
namespace {

// Fonts differ by every text's height, width and angle; more than this
// many are seldom in view at once.
constexpr std::size_t kKeptFonts = 32;

// Lines and fills are cut at this many pixels around the bitmap, wider
// than any pen, so that no cut end shows.
constexpr double kClipMargin = 16;

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
  if (!bitmap_) return;
  SetDCBrushColor(dc_, ToColorRef(rgb));
  const RECT all{0, 0, width_, height_};
  FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

std::span<const std::uint32_t> TPictureBitmap::Pixels() const {
  if (!bits_) return {};
  GdiFlush();
  return {bits_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)};
}

TGdiPictureSink::TGdiPictureSink(int dpi)
    : unit_(std::max(dpi, 96) / 96.0), line_width_(std::max(1, static_cast<int>(std::lround(unit_)))) {}

TGdiPictureSink::~TGdiPictureSink() {
  End();
  for (const TPen& pen : pens_) DeleteObject(pen.Pen);
  for (const TFont& font : fonts_) DeleteObject(font.Font);
}

void TGdiPictureSink::Begin(HDC dc, int width, int height) {
  End();
  dc_ = dc;
  clip_ = {-kClipMargin, -kClipMargin, width + kClipMargin, height + kClipMargin};
  first_pen_ = SelectObject(dc_, GetStockObject(BLACK_PEN));
  first_brush_ = SelectObject(dc_, GetStockObject(DC_BRUSH));
  first_font_ = GetCurrentObject(dc_, OBJ_FONT);
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_LEFT | TA_BOTTOM | TA_NOUPDATECP);
  SetPolyFillMode(dc_, ALTERNATE);
  pen_ = nullptr;
  font_ = nullptr;
}

void TGdiPictureSink::End() {
  if (!dc_) return;
  SelectObject(dc_, first_pen_);
  SelectObject(dc_, first_brush_);
  SelectObject(dc_, first_font_);
  dc_ = nullptr;
}

void TGdiPictureSink::Line(std::span<const TPixelPoint> points, const TPaintStyle& style) {
  if (points.size() < 2) return;
  UsePen(style.Rgb, style.Look.Emphasised);
  Stroke(points, style.Dashes);
  if (counts_.size() == 1) {
    Polyline(dc_, points_.data(), static_cast<int>(points_.size()));
  } else if (!counts_.empty()) {
    PolyPolyline(dc_, points_.data(), counts_.data(), static_cast<DWORD>(counts_.size()));
  }
}

void TGdiPictureSink::Fill(std::span<const TPixelPoint> outline, const TPaintStyle& style) {
  ClipPolygon(outline);
  if (clipped_.size() < 3) return;
  UsePen(style.Rgb, style.Look.Emphasised);
  SetDCBrushColor(dc_, ToColorRef(style.Rgb));
  ToPoints(clipped_);
  Polygon(dc_, points_.data(), static_cast<int>(points_.size()));
}

void TGdiPictureSink::Text(const TTextPaint& text, const TPaintStyle& style) {
  if (text.AsBox) {
    TPaintStyle solid = style;
    solid.Dashes = {};
    const std::array<TPixelPoint, 5> box{text.Corners[0], text.Corners[1], text.Corners[2],
                                          text.Corners[3], text.Corners[0]};
    Line(box, solid);
    return;
  }
  // The host gives each half-width character one share of the length and
  // each full-width character two.
  text_.clear();
  shares_.clear();
  for (std::size_t i = 0; i < text.Bytes.size();) {
    const bool wide = IsLeadByte(static_cast<unsigned char>(text.Bytes[i])) && i + 1 < text.Bytes.size();
    const int size = wide ? 2 : 1;
    wchar_t character = L'?';
    if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text.Bytes.data() + i, size, &character, 1) != 1) {
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
}

void TGdiPictureSink::Mark(TPixelPoint at, const TPaintStyle& style) {
  UsePen(style.Rgb, false);
  SetDCBrushColor(dc_, ToColorRef(style.Rgb));
  const POINT centre = ToPoint(at);
  const int radius = std::max(1, static_cast<int>(std::lround(1.5 * unit_)));
  Ellipse(dc_, centre.x - radius, centre.y - radius, centre.x + radius + 1, centre.y + radius + 1);
}

void TGdiPictureSink::Dot(TPixelPoint at, const TPaintStyle& style) {
  const POINT p = ToPoint(at);
  SetPixelV(dc_, p.x, p.y, ToColorRef(style.Rgb));
}

void TGdiPictureSink::UsePen(std::uint32_t rgb, bool emphasised) {
  const int width = emphasised ? 2 * line_width_ : line_width_;
  auto found = std::find_if(pens_.begin(), pens_.end(),
                            [&](const TPen& pen) { return pen.Rgb == rgb && pen.Width == width; });
  if (found == pens_.end()) {
    HPEN pen = CreatePen(PS_SOLID, width, ToColorRef(rgb));
    if (!pen) return;
    pens_.push_back({rgb, width, pen});
    found = pens_.end() - 1;
  }
  if (found->Pen != pen_) {
    SelectObject(dc_, found->Pen);
    pen_ = found->Pen;
  }
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

void TGdiPictureSink::ToPoints(std::span<const TPixelPoint> points) {
  points_.clear();
  for (const TPixelPoint& p : points) points_.push_back(ToPoint(p));
}

// The pattern runs on across the corners of a polyline, as a pen's would.
// Only what lies in the bitmap is cut into dashes: a line far longer than
// the view costs no more than one that fits.
void TGdiPictureSink::Stroke(std::span<const TPixelPoint> points, std::span<const std::uint8_t> dashes) {
  points_.clear();
  counts_.clear();
  const auto length_of = [&](std::size_t index) { return std::max(1.0, dashes[index] * unit_); };
  double period = 0;
  for (std::size_t i = 0; i < dashes.size(); ++i) period += length_of(i);
  double distance = 0;  // along the polyline to the current segment
  bool drawing = false;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const TPixelPoint from = points[i - 1];
    const double dx = points[i].X - from.X;
    const double dy = points[i].Y - from.Y;
    const double length = std::hypot(dx, dy);
    if (!(length > 0)) continue;
    double t = 0;
    double end = length;
    if (!ClipSegment(from, dx / length, dy / length, t, end)) {
      drawing = false;
      distance += length;
      continue;
    }
    if (t > 0) drawing = false;
    std::size_t index = 0;
    double left = std::numeric_limits<double>::infinity();
    if (!dashes.empty()) {
      double phase = std::fmod(distance + t, period);
      while (phase >= length_of(index)) {
        phase -= length_of(index);
        index = (index + 1) % dashes.size();
      }
      left = length_of(index) - phase;
    }
    const auto at = [&](double along) {
      return ToPoint({from.X + dx * along / length, from.Y + dy * along / length});
    };
    while (t < end) {
      const double step = std::min(left, end - t);
      if (index % 2 == 0) {
        if (!drawing) {
          points_.push_back(at(t));
          counts_.push_back(1);
          drawing = true;
        }
        points_.push_back(at(t + step));
        ++counts_.back();
      }
      t += step;
      left -= step;
      if (left <= 1e-9) {
        drawing = false;
        index = (index + 1) % dashes.size();
        left = length_of(index);
      }
    }
    if (end < length) drawing = false;
    distance += length;
  }
}

// The part [t, end] of the ray from along (ux, uy) that lies in the bitmap
// and the width of a pen around it.
bool TGdiPictureSink::ClipSegment(TPixelPoint from, double ux, double uy, double& t, double& end) const {
  const auto clip = [&](double direction, double start, double low, double high) {
    if (direction == 0) return start >= low && start <= high;
    double enter = (low - start) / direction;
    double leave = (high - start) / direction;
    if (enter > leave) std::swap(enter, leave);
    t = std::max(t, enter);
    end = std::min(end, leave);
    return t < end;
  };
  return clip(ux, from.X, clip_.Left, clip_.Right) && clip(uy, from.Y, clip_.Top, clip_.Bottom);
}

// Sutherland and Hodgman: one side of the bitmap at a time.
void TGdiPictureSink::ClipPolygon(std::span<const TPixelPoint> outline) {
  clipped_.assign(outline.begin(), outline.end());
  const auto side = [&](auto inside, auto cross) {
    if (clipped_.empty()) return;
    spare_.clear();
    TPixelPoint previous = clipped_.back();
    for (const TPixelPoint& p : clipped_) {
      if (inside(p)) {
        if (!inside(previous)) spare_.push_back(cross(previous, p));
        spare_.push_back(p);
      } else if (inside(previous)) {
        spare_.push_back(cross(previous, p));
      }
      previous = p;
    }
    clipped_.swap(spare_);
  };
  const auto at_x = [](double x) {
    return [x](TPixelPoint a, TPixelPoint b) {
      return TPixelPoint{x, a.Y + (b.Y - a.Y) * (x - a.X) / (b.X - a.X)};
    };
  };
  const auto at_y = [](double y) {
    return [y](TPixelPoint a, TPixelPoint b) {
      return TPixelPoint{a.X + (b.X - a.X) * (y - a.Y) / (b.Y - a.Y), y};
    };
  };
  side([&](TPixelPoint p) { return p.X >= clip_.Left; }, at_x(clip_.Left));
  side([&](TPixelPoint p) { return p.X <= clip_.Right; }, at_x(clip_.Right));
  side([&](TPixelPoint p) { return p.Y >= clip_.Top; }, at_y(clip_.Top));
  side([&](TPixelPoint p) { return p.Y <= clip_.Bottom; }, at_y(clip_.Bottom));
}

}  // namespace kx27
