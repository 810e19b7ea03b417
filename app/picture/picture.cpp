#include "app/picture/picture.h"

#include <cmath>

#include "app/convert/conversion.h"
#include "app/picture/host_colour.h"
#include "exchange/element_line_format.h"
#include "text/shift_jis.h"

namespace kx27 {
namespace {

TXY XY(double x, double y) { return {x, y}; }

// Outside 0..15 (which the reader never gives) a place is no layer: no
// value of the table reaches it and no layer set holds it.
std::uint8_t PlaceOf(std::int32_t group_or_layer) {
  return group_or_layer >= 0 && group_or_layer <= 15 ? static_cast<std::uint8_t>(group_or_layer)
                                                     : kNoPlace;
}

class TPictureBuilder {
 public:
  // Nearly every element is one item of two points: reserved at once, the
  // picture of a large selection is not copied as it grows.
  explicit TPictureBuilder(const TDrawing& drawing)
      : store_(drawing.Store), scales_(drawing.State.GroupScales) {
    picture_.Items.reserve(drawing.Store.OrderList.size());
    picture_.Points.reserve(2 * drawing.Store.OrderList.size());
  }

  TPicture Take() { return std::move(picture_); }

  void Add(const TLineRec& rec) {
    if (IsDegenerateLine(XY(rec.X1, rec.Y1), XY(rec.X2, rec.Y2))) return;
    Polyline(Item(rec, rec, kLine), TShape::kPolyline, {{rec.X1, rec.Y1}, {rec.X2, rec.Y2}});
  }

  void Add(const TCircleRec& rec) {
    if (IsDegenerateCircle(rec.Radius)) return;
    Arc(Item(rec, rec, kCircle), TShape::kArc,
        ArcFromDegrees({rec.X, rec.Y}, rec.Radius, 1, 0, 0, 360));
  }

  void Add(const TArcRec& rec) {
    if (IsDegenerateArc(rec.Radius, rec.Flatness)) return;
    Arc(Item(rec, rec, kArc), TShape::kArc,
        ArcFromDegrees({rec.X, rec.Y}, rec.Radius, rec.Flatness, rec.TiltAngle, rec.StartAngle,
                       rec.EndAngle));
  }

  void Add(const TTextRec& rec) {
    const std::string_view text = store_.Text(rec.Text);
    if (IsDegenerateText(text)) return;
    Text(Item(rec, rec, kText), rec, text);
  }

  void Add(const TPointRec& rec) { Point(Item(rec, rec, kPoint), {rec.X, rec.Y}); }
  void Add(const TCodedPointRec& rec) { Point(Item(rec, rec, kCodedPoint), {rec.X, rec.Y}); }

  // The line in its own pen, the value in its own style, both placed on
  // the dimension's group and layer as the writer writes them.
  void Add(const TDimRec& rec) {
    const TLineRec& line = rec.Line;
    if (IsDegenerateDim(XY(line.X1, line.Y1), XY(line.X2, line.Y2), XY(rec.Text.DX, rec.Text.DY)))
      return;
    Polyline(Item(rec, line, kDim), TShape::kPolyline, {{line.X1, line.Y1}, {line.X2, line.Y2}});
    const std::string_view text = store_.Text(rec.Text.Text);
    if (!text.empty()) Text(Item(rec, rec.Text, kDim), rec.Text, text);
  }

  void Add(const TJwwEntBlk&) {}

  void Add(const TSolid2Rec& rec) {
    if (IsDegenerateSolid2(XY(rec.X1, rec.Y1), XY(rec.X2, rec.Y2))) return;
    Polyline(Solid(rec, kSolid2), TShape::kPolygon, {{rec.X1, rec.Y1}, {rec.X2, rec.Y2}});
  }

  void Add(const TSolid3Rec& rec) {
    if (IsDegenerateSolid3(XY(rec.X1, rec.Y1), XY(rec.X2, rec.Y2), XY(rec.X3, rec.Y3))) return;
    Polyline(Solid(rec, kSolid3), TShape::kPolygon,
             {{rec.X1, rec.Y1}, {rec.X2, rec.Y2}, {rec.X3, rec.Y3}});
  }

  void Add(const TSolid4Rec& rec) {
    if (IsDegenerateSolid4(XY(rec.X1, rec.Y1), XY(rec.X2, rec.Y2), XY(rec.X3, rec.Y3),
                           XY(rec.X4, rec.Y4)))
      return;
    Polyline(Solid(rec, kSolid4), TShape::kPolygon,
             {{rec.X1, rec.Y1}, {rec.X2, rec.Y2}, {rec.X3, rec.Y3}, {rec.X4, rec.Y4}});
  }

  // Flag 100 closes a solid arc along its chord; the other flags the host
  // takes fill out to the centre.
  void Add(const TScSolidRec& rec) {
    if (IsDegenerateScSolid(ScValues(rec), rec.Flag)) return;
    Arc(Solid(rec, kScSolid), TShape::kFilledArc,
        SolidArc(rec, rec.Flag == 100 ? TArcFill::kSegment : TArcFill::kSector));
  }

  void Add(const TSeSolidRec& rec) {
    if (IsDegenerateSeSolid(ScValues(rec), rec.Flag)) return;
    Arc(Solid(rec, kSeSolid), TShape::kFilledArc,
        SolidArc(rec, rec.Flag == 100 ? TArcFill::kSegment : TArcFill::kSector));
  }

  void Add(const TSoSolidRec& rec) { Ring(rec, kSoSolid); }
  void Add(const TSgSolidRec& rec) { Ring(rec, kSgSolid); }

 private:
  static std::array<double, 7> ScValues(const TScSolidRec& r) {
    return {r.X, r.Y, r.Radius, r.Flatness, r.TiltAngle, r.StartAngle, r.EndAngle};
  }

  template <typename Rec>
  static TArcShape SolidArc(const Rec& rec, TArcFill fill) {
    TArcShape arc = ArcFromDegrees({rec.X, rec.Y}, rec.Radius, rec.Flatness, rec.TiltAngle,
                                   rec.StartAngle, rec.EndAngle);
    arc.Fill = fill;
    return arc;
  }

  void Ring(const TSoSolidRec& rec, TKind kind) {
    if (IsDegenerateRingSolid({rec.X, rec.Y, rec.Radius, rec.Flatness, rec.TiltAngle,
                               rec.StartAngle, rec.EndAngle, rec.InnerRadius}))
      return;
    TArcShape arc = SolidArc(rec, TArcFill::kRing);
    arc.InnerRadius = rec.InnerRadius;
    Arc(Solid(rec, kind), TShape::kFilledArc, arc);
  }

  // place: where the element is written; pen: its colour and line type.
  TPictureItem Item(const TCommonAttrs& place, const TCommonAttrs& pen, TKind kind) {
    TPictureItem item;
    item.Kind = kind;
    item.Group = PlaceOf(place.Group);
    item.Layer = PlaceOf(place.Layer);
    item.LineTypeNow = item.LineTypeAfter = pen.LineType;
    item.Rgb = HostRgb(pen.Color);
    return item;
  }

  TPictureItem Solid(const TSolidAttrs& rec, TKind kind) {
    TPictureItem item = Item(rec, rec, kind);
    item.Rgb = HostRgb(rec.Color, rec.Lc10Value);
    return item;
  }

  void Polyline(TPictureItem item, TShape shape, std::initializer_list<TPoint> points) {
    item.Shape = shape;
    item.First = static_cast<std::uint32_t>(picture_.Points.size());
    item.Count = static_cast<std::uint32_t>(points.size());
    for (const TPoint& p : points) {
      picture_.Points.push_back(p);
      item.Box.Add(p);
    }
    Push(item);
  }

  void Point(TPictureItem item, TPoint p) {
    item.Shape = TShape::kPoint;
    item.First = static_cast<std::uint32_t>(picture_.Points.size());
    item.Count = 1;
    picture_.Points.push_back(p);
    item.Box.Add(p);
    Push(item);
  }

  void Arc(TPictureItem item, TShape shape, const TArcShape& arc) {
    item.Shape = shape;
    item.First = static_cast<std::uint32_t>(picture_.Arcs.size());
    item.Count = 1;
    picture_.Arcs.push_back(arc);
    item.Box = ArcBox(arc);
    Push(item);
  }

  // The base point X, Y is the corner or middle that Cc names, row by row
  // from the bottom: 0 bottom-left, 1 bottom-middle, 2 bottom-right, 3-5 the
  // middle row, 6-8 the top row. The box is as long as the host sets the
  // characters: a half-width one half the width, a full-width one the whole,
  // with the spacing after each but the last in the same proportion.
  void Text(TPictureItem item, const TTextRec& rec, std::string_view text) {
    TTextShape shape;
    const double direction = std::hypot(rec.DX, rec.DY);
    shape.Angle = direction > 1e-8 ? std::atan2(rec.DY, rec.DX) : 0;
    const double paper = PaperScale(item.Group);
    shape.Height = std::abs(rec.Height) * paper;
    double halves = 0, last = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += CharSize(text, pos))
      halves += last = static_cast<double>(CharSize(text, pos));
    shape.Length = (std::abs(rec.Width) * halves / 2 + rec.Spacing * (halves - last) / 2) * paper;
    if (shape.Length < 0) shape.Length = 0;

    const TPoint along{std::cos(shape.Angle), std::sin(shape.Angle)};
    const TPoint up{-along.Y, along.X};
    const int cc = rec.Cc >= 0 && rec.Cc <= 8 ? rec.Cc : 0;
    const double back = shape.Length * (cc % 3) / 2, down = shape.Height * (cc / 3) / 2;
    shape.Origin = {rec.X - along.X * back - up.X * down, rec.Y - along.Y * back - up.Y * down};
    const auto corner = [&](double l, double h) {
      return TPoint{shape.Origin.X + along.X * l + up.X * h,
                    shape.Origin.Y + along.Y * l + up.Y * h};
    };
    shape.Corners = {corner(0, 0), corner(shape.Length, 0), corner(shape.Length, shape.Height),
                     corner(0, shape.Height)};
    shape.Offset = static_cast<std::uint32_t>(picture_.Chars.size());
    shape.Size = static_cast<std::uint32_t>(text.size());
    picture_.Chars.append(text);

    item.Shape = TShape::kText;
    item.First = static_cast<std::uint32_t>(picture_.Texts.size());
    item.Count = 1;
    for (const TPoint& p : shape.Corners) item.Box.Add(p);
    picture_.Texts.push_back(shape);
    Push(item);
  }

  void Push(const TPictureItem& item) {
    picture_.Items.push_back(item);
    picture_.Box.Add(item.Box);
  }

  // Text sizes are on paper; a group's scale (100 for 1:100) makes them the
  // drawing's.
  double PaperScale(std::uint8_t group) const {
    const double scale = group < 16 ? scales_[group] : 1;
    return scale > 0 && std::isfinite(scale) ? scale : 1;
  }

  const TElementStore& store_;
  const std::array<double, 16>& scales_;
  TPicture picture_;
};

}  // namespace

TPicture BuildPicture(const TDrawing& drawing, const TPictureOptions& options) {
  TPictureBuilder builder(drawing);
  for (const TOrderEntry& entry : drawing.Store.OrderList)
    VisitElement(drawing.Store, entry, [&](const auto& rec) { builder.Add(rec); });
  TPicture picture = builder.Take();
  picture.Before = options.Before;
  SetLineTypesAfter(picture, options.Values, options.Dimensions);
  return picture;
}

void SetLineTypesAfter(TPicture& picture, const std::array<std::int32_t, 256>& values,
                       bool dimensions) {
  const TLayerValues line_types(values);
  for (TPictureItem& item : picture.Items) {
    item.LineTypeAfter = item.LineTypeNow;
    // A dimension's value keeps its text's line type.
    if (!RuleReaches(item.Kind, dimensions) || item.Shape == TShape::kText) continue;
    TCommonAttrs place;
    place.Group = item.Group;
    place.Layer = item.Layer;
    item.LineTypeAfter = line_types.ValueFor(place, item.LineTypeNow);
  }
}

}  // namespace kx27
