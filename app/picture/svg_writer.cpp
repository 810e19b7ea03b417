#include "app/picture/svg_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

#include "app/picture/cp932_utf8.h"
#include "app/picture/picture_paint.h"

namespace kx27 {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// Far beyond any screen, yet small enough that the fixed-point text of any
// value fits the buffer below: a far-off point must not leave to_chars out
// of room, which writes unspecified bytes.
constexpr double kFarthestPixel = 1e12;

// Two decimals are a hundredth of a pixel: finer than any screen.
void AppendNumber(std::string& out, double value) {
  if (!std::isfinite(value)) value = 0;
  value = std::clamp(value, -kFarthestPixel, kFarthestPixel);
  char digits[32];
  const auto result =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
  std::string_view text(digits, static_cast<std::size_t>(result.ptr - digits));
  while (text.ends_with('0')) text.remove_suffix(1);
  if (text.ends_with('.')) text.remove_suffix(1);
  if (text == "-0") text = "0";
  out += text;
}

void AppendColour(std::string& out, std::uint32_t rgb) {
  out += '#';
  for (int shift = 20; shift >= 0; shift -= 4) out += kHexDigits[(rgb >> shift) & 0xF];
}

// Characters that XML 1.0 cannot hold at all (controls but tab and line
// ends) are left out.
void AppendEscaped(std::string& out, std::string_view utf8) {
  for (const char c : utf8) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
    }
  }
}

void AppendPoints(std::string& out, std::span<const TPixelPoint> points) {
  out += " points=\"";
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i > 0) out += ' ';
    AppendNumber(out, points[i].X);
    out += ',';
    AppendNumber(out, points[i].Y);
  }
  out += '"';
}

// One buffer per layer, so that each layer's elements stand in one group,
// in the drawing's order; the last one holds elements outside every layer.
class TSvgSink final : public TPictureSink {
 public:
  void Line(std::span<const TPixelPoint> points, const TPaintStyle& style) override {
    std::string& out = Layer(style);
    out += "<polyline";
    AppendPoints(out, points);
    Stroke(out, style);
    if (!style.Dashes.empty()) {
      out += " stroke-dasharray=\"";
      for (std::size_t i = 0; i < style.Dashes.size(); ++i) {
        if (i > 0) out += ' ';
        AppendNumber(out, style.Dashes[i]);
      }
      out += '"';
    }
    out += "/>\n";
  }

  void Fill(std::span<const TPixelPoint> outline, const TPaintStyle& style) override {
    std::string& out = Layer(style);
    out += "<polygon";
    AppendPoints(out, outline);
    out += " fill=\"";
    AppendColour(out, style.Rgb);
    out += "\" fill-rule=\"evenodd\"";
    Stroke(out, style);
    out += "/>\n";
  }

  void Text(const TTextPaint& text, const TPaintStyle& style) override {
    std::string& out = Layer(style);
    if (text.AsBox) {
      out += "<polygon";
      AppendPoints(out, text.Corners);
      Stroke(out, style);
      out += "/>\n";
      return;
    }
    out += "<text x=\"";
    AppendNumber(out, text.Origin.X);
    out += "\" y=\"";
    AppendNumber(out, text.Origin.Y);
    out += "\" font-size=\"";
    AppendNumber(out, text.Height);
    if (text.Length > 0) {
      out += "\" textLength=\"";
      AppendNumber(out, text.Length);
      out += "\" lengthAdjust=\"spacingAndGlyphs";
    }
    if (text.Angle != 0) {
      // Anticlockwise in the drawing is clockwise in y-down coordinates.
      out += "\" transform=\"rotate(";
      AppendNumber(out, -text.Angle * 180 / std::numbers::pi);
      out += ' ';
      AppendNumber(out, text.Origin.X);
      out += ' ';
      AppendNumber(out, text.Origin.Y);
      out += ')';
    }
    out += "\" fill=\"";
    AppendColour(out, style.Rgb);
    out += "\" stroke=\"none\" xml:space=\"preserve\">";
    AppendEscaped(out, Cp932ToUtf8(text.Bytes));
    out += "</text>\n";
  }

  void Mark(TPixelPoint at, const TPaintStyle& style) override {
    std::string& out = Layer(style);
    out += "<circle cx=\"";
    AppendNumber(out, at.X);
    out += "\" cy=\"";
    AppendNumber(out, at.Y);
    out += "\" r=\"1.5\" fill=\"";
    AppendColour(out, style.Rgb);
    out += "\" stroke=\"none\"/>\n";
  }

  void Dot(TPixelPoint at, const TPaintStyle& style) override {
    std::string& out = Layer(style);
    out += "<rect x=\"";
    AppendNumber(out, std::floor(at.X));
    out += "\" y=\"";
    AppendNumber(out, std::floor(at.Y));
    out += "\" width=\"1\" height=\"1\" fill=\"";
    AppendColour(out, style.Rgb);
    out += "\" stroke=\"none\"/>\n";
  }

  void AppendGroups(std::string& out) const {
    for (std::size_t group = 0; group < 16; ++group) {
      bool opened = false;
      for (std::size_t layer = 0; layer < 16; ++layer) {
        const std::string& items = layers_[group * 16 + layer];
        if (items.empty()) continue;
        if (!opened) {
          out += "<g id=\"group-";
          out += kHexDigits[group];
          out += "\" class=\"group\">\n";
          opened = true;
        }
        out += "<g id=\"layer-";
        out += kHexDigits[group];
        out += '-';
        out += kHexDigits[layer];
        out += "\" class=\"layer\">\n";
        out += items;
        out += "</g>\n";
      }
      if (opened) out += "</g>\n";
    }
    if (!layers_[256].empty()) {
      out += "<g id=\"outside-layers\" class=\"layer\">\n";
      out += layers_[256];
      out += "</g>\n";
    }
  }

 private:
  std::string& Layer(const TPaintStyle& style) {
    const TPictureItem& item = *style.Item;
    if (item.Group == kNoPlace || item.Layer == kNoPlace) return layers_[256];
    return layers_[std::size_t{item.Group} * 16 + item.Layer];
  }

  static void Stroke(std::string& out, const TPaintStyle& style) {
    out += " stroke=\"";
    AppendColour(out, style.Rgb);
    out += '"';
    if (style.Look.Emphasised) out += " stroke-width=\"2\"";
  }

  std::array<std::string, 257> layers_;
};

}  // namespace

std::string PictureSvg(const TPicture& picture, const TSvgSize& size) {
  const double width = std::max(size.Width, 2 * size.Margin + 1);
  const double inner = width - 2 * size.Margin;
  // A paper's shape for a picture without extent.
  double height = width * 841 / 1189;
  const double box_width = picture.Box.Right - picture.Box.Left;
  const double box_height = picture.Box.Top - picture.Box.Bottom;
  if (!picture.Box.Empty() && box_width > 0 && box_height >= 0)
    height = std::clamp(inner * box_height / box_width + 2 * size.Margin, 2 * size.Margin + 1,
                        std::max(size.MaxHeight, 2 * size.Margin + 1));
  height = std::ceil(height);
  const TPixelRect rect{0, 0, width, height};
  const TViewport view = TViewport::Fit(picture.Box, rect, size.Margin);

  TSvgSink sink;
  TPicturePainter().Paint(picture, view, rect, TPictureFocus{}, sink);

  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
      "version=\"1.1\" width=\"";
  AppendNumber(svg, width);
  svg += "\" height=\"";
  AppendNumber(svg, height);
  svg += "\" viewBox=\"0 0 ";
  AppendNumber(svg, width);
  svg += ' ';
  AppendNumber(svg, height);
  svg += "\">\n<title>";
  svg += picture.Before ? "The selection, line types as they are now"
                        : "The selection, line types after OK";
  svg +=
      "</title>\n<rect width=\"100%\" height=\"100%\" fill=\"#FFFFFF\"/>\n"
      "<g fill=\"none\" stroke-width=\"1\" font-family=\"sans-serif\">\n";
  sink.AppendGroups(svg);
  svg += "</g>\n</svg>\n";
  return svg;
}

TReplaceResult WritePictureSvg(const std::filesystem::path& file, const TPicture& picture,
                               TFileSystem& files) {
  return ReplaceFile(file, PictureSvg(picture), files);
}

}  // namespace kx27
