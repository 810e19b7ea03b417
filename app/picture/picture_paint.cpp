#include "app/picture/picture_paint.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/picture/host_colour.h"
#include "app/picture/line_style.h"

namespace kx27 {
namespace {

// Waves are drawn through points this many pixels apart.
constexpr double kWaveStep = 2;

TPixelPoint Centre(const TBox& box, const TViewport& view) {
  return view.ToPixel({(box.Left + box.Right) / 2, (box.Bottom + box.Top) / 2});
}

// The part of the segment from a to b inside rect, as fractions of it
// (Liang-Barsky); false when none is.
bool ClipSegment(TPixelPoint a, TPixelPoint b, const TPixelRect& rect, double& from, double& to) {
  from = 0;
  to = 1;
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.X - rect.Left, rect.Right - a.X, a.Y - rect.Top, rect.Bottom - a.Y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0)
      from = std::max(from, r);
    else
      to = std::min(to, r);
  }
  return from <= to;
}

// The polyline as a wave of height pixels around it, one period every
// kWavePeriodPixels along it; only what lies within rect is sampled, so a
// line zoomed far beyond the window costs no more than one across it.
void AppendWave(std::span<const TPixelPoint> points, double height, const TPixelRect& rect,
                std::vector<TPixelPoint>& out, std::vector<std::size_t>& breaks) {
  const double period = kWavePeriodPixels;
  double travelled = 0;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const TPixelPoint a = points[i], b = points[i + 1];
    const double length = std::hypot(b.X - a.X, b.Y - a.Y);
    double from = 0, to = 0;
    if (length > 0 && ClipSegment(a, b, rect, from, to)) {
      if (!out.empty() && from > 0) breaks.push_back(out.size());
      const double ux = (b.X - a.X) / length, uy = (b.Y - a.Y) / length;
      const double start = from * length, end = to * length;
      for (double s = start;; s += kWaveStep) {
        const double at = std::min(s, end);
        const double offset = height * std::sin(2 * std::numbers::pi * (travelled + at) / period);
        out.push_back({a.X + ux * at - uy * offset, a.Y + uy * at + ux * offset});
        if (at >= end) break;
      }
      if (to < 1) breaks.push_back(out.size());
    }
    travelled += length;
  }
}

}  // namespace

TPaintCount TPicturePainter::Paint(const TPicture& picture, const TViewport& view,
                                   const TPixelRect& rect, const TPictureFocus& focus,
                                   TPictureSink& sink, const std::atomic<bool>* cancel) {
  TPaintCount count;
  std::int64_t visited = 0;
  const double scale = view.Scale();
  // Beyond the edge by the widest wave, so that no stroke ends at it.
  rect_ = {rect.Left - 8, rect.Top - 8, rect.Right + 8, rect.Bottom + 8};
  const TBox visible = view.VisibleBox(rect_);
  const int passes = focus.Layers.Empty() ? 1 : 2;
  for (int pass = 0; pass < passes; ++pass) {
    for (const TPictureItem& item : picture.Items) {
      if (cancel && ++visited % kPaintCancelInterval == 0 &&
          cancel->load(std::memory_order_relaxed)) {
        count.Cancelled = true;
        return count;
      }
      TPaintStyle style;
      style.Look = LookOf(focus, item);
      if (passes == 2 && (style.Look.Highlight == THighlight::kHighlighted) != (pass == 1))
        continue;
      if (!item.Box.Overlaps(visible)) {
        ++count.Skipped;
        continue;
      }
      style.Rgb = style.Look.Highlight == THighlight::kDimmed ? DimmedRgb(item.Rgb) : item.Rgb;
      style.Item = &item;
      if (item.Shape != TShape::kPoint && (item.Box.Right - item.Box.Left) * scale < 1 &&
          (item.Box.Top - item.Box.Bottom) * scale < 1) {
        sink.Dot(Centre(item.Box, view), style);
        ++count.Dots;
        continue;
      }
      PaintItem(picture, item, view, style, sink);
      ++count.Drawn;
    }
  }
  return count;
}

void TPicturePainter::PaintItem(const TPicture& picture, const TPictureItem& item,
                                const TViewport& view, const TPaintStyle& style,
                                TPictureSink& sink) {
  const auto map = [&](std::span<const TPoint> points) {
    pixels_.clear();
    for (const TPoint& p : points) pixels_.push_back(view.ToPixel(p));
  };
  const auto map_arc = [&](const TArcShape& arc) {
    points_.clear();
    AppendArcOutline(arc, ArcSegments(arc, arc.Radius * view.Scale()), points_);
    map(points_);
  };
  const std::span<const TPoint> points(picture.Points.data() + item.First, item.Count);
  switch (item.Shape) {
    case TShape::kPolyline:
      map(points);
      Stroke(style, picture.ShownLineType(item), sink);
      break;
    case TShape::kPolygon:
      map(points);
      sink.Fill(pixels_, style);
      break;
    case TShape::kArc:
      map_arc(picture.Arcs[item.First]);
      Stroke(style, picture.ShownLineType(item), sink);
      break;
    case TShape::kFilledArc:
      map_arc(picture.Arcs[item.First]);
      sink.Fill(pixels_, style);
      break;
    case TShape::kText: {
      const TTextShape& shape = picture.Texts[item.First];
      TTextPaint text;
      text.Origin = view.ToPixel(shape.Origin);
      text.Angle = shape.Angle;
      text.Length = shape.Length * view.Scale();
      text.Height = shape.Height * view.Scale();
      text.Bytes = picture.TextOf(shape);
      for (std::size_t i = 0; i < 4; ++i) text.Corners[i] = view.ToPixel(shape.Corners[i]);
      text.AsBox = text.Height < kSmallestTextPixels;
      sink.Text(text, style);
      break;
    }
    case TShape::kPoint: sink.Mark(view.ToPixel(points[0]), style); break;
  }
}

void TPicturePainter::Stroke(const TPaintStyle& style, std::int32_t line_type, TPictureSink& sink) {
  const TLineTypePattern pattern = PictureLinePattern(line_type);
  TPaintStyle stroke = style;
  if (pattern.Style != TSampleStyle::kWave) {
    stroke.Dashes = pattern.Dashes;
    sink.Line(pixels_, stroke);
    return;
  }
  wave_.clear();
  breaks_.clear();
  AppendWave(pixels_, pattern.WaveHeight, rect_, wave_, breaks_);
  breaks_.push_back(wave_.size());
  std::size_t begin = 0;
  for (const std::size_t end : breaks_) {
    if (end > begin + 1)
      sink.Line(std::span<const TPixelPoint>(wave_.data() + begin, end - begin), stroke);
    begin = end;
  }
}

}  // namespace kx27
