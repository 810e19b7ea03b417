#include "exchange/record_writers.h"

#include <array>

#include "exchange/element_line_format.h"

namespace kx27 {

namespace {

void EmitPlace(TWriter& w, const TCommonAttrs& rec) {
  w.EmitGroup(rec.Group);
  w.EmitLayer(rec.Layer);
}

// Lines, circles and arcs.
void EmitLineAttrs(TWriter& w, const TCommonAttrs& rec) {
  EmitPlace(w, rec);
  w.EmitColor(rec.Color);
  w.EmitLineType(rec.LineType);
  w.EmitLineWidth(rec.LineWidth);
}

void EmitTextAttrs(TWriter& w, const TElementStore& store, const TTextRec& text) {
  w.EmitTextType(text.TextType, text.Color, text.Width, text.Height, text.Spacing);
  w.EmitCc(text.Cc);
  w.EmitFontName(store.Text(text.FontName));
}

// Only solids carry the value of "lc10"; their colour 10 means that value.
void EmitSolidAttrs(TWriter& w, const TSolidAttrs& rec, bool with_width) {
  EmitPlace(w, rec);
  if (rec.Color == 10)
    w.EmitLc10(rec.Lc10Value);
  else
    w.EmitColor(rec.Color);
  if (with_width) w.EmitLineWidth(rec.LineWidth);
}

TXY From(const TLineRec& rec) { return {rec.X1, rec.Y1}; }
TXY To(const TLineRec& rec) { return {rec.X2, rec.Y2}; }

std::array<double, 7> ArcValues(const TScSolidRec& r) {
  return {r.X, r.Y, r.Radius, r.Flatness, r.TiltAngle, r.StartAngle, r.EndAngle};
}

std::array<double, 8> RingValues(const TSoSolidRec& r) {
  return {r.X, r.Y, r.Radius, r.Flatness, r.TiltAngle, r.StartAngle, r.EndAngle, r.InnerRadius};
}

}  // namespace

void WriteRecord(TWriter& w, const TElementStore&, const TLineRec& rec) {
  if (IsDegenerateLine(From(rec), To(rec))) return;
  EmitLineAttrs(w, rec);
  if (w.Formats()) PutLine(w, rec.ZFlags, From(rec), To(rec));
}

bool WriteCurveStart(TWriter& w, const TLineRec& rec) {
  if (IsDegenerateLine(From(rec), To(rec))) return false;
  EmitLineAttrs(w, rec);
  return !w.Formats() || PutCurveStart(w, rec.ZFlags, From(rec), To(rec));
}

void WriteRecord(TWriter& w, const TElementStore&, const TCircleRec& rec) {
  if (IsDegenerateCircle(rec.Radius)) return;
  EmitLineAttrs(w, rec);
  if (w.Formats()) PutCircle(w, rec.ZFlags, {rec.X, rec.Y}, rec.Radius);
}

void WriteRecord(TWriter& w, const TElementStore&, const TArcRec& rec) {
  if (IsDegenerateArc(rec.Radius, rec.Flatness)) return;
  EmitLineAttrs(w, rec);
  if (w.Formats())
    PutArc(w, rec.ZFlags, {rec.X, rec.Y}, rec.Radius, rec.StartAngle, rec.EndAngle, rec.Flatness,
           rec.TiltAngle);
}

void WriteRecord(TWriter& w, const TElementStore& store, const TTextRec& rec) {
  const std::string_view text = store.Text(rec.Text);
  if (IsDegenerateText(text)) return;
  EmitPlace(w, rec);
  EmitTextAttrs(w, store, rec);
  if (w.Formats()) PutText(w, rec.ZFlags, rec.TextKind, text, {rec.X, rec.Y}, {rec.DX, rec.DY});
}

void WriteRecord(TWriter& w, const TElementStore&, const TPointRec& rec) {
  EmitPlace(w, rec);
  w.EmitPointColor(rec.Color);
  w.EmitLineWidth(rec.LineWidth);
  if (w.Formats()) PutPoint(w, rec.ZFlags, {rec.X, rec.Y});
}

void WriteRecord(TWriter& w, const TElementStore&, const TCodedPointRec& rec) {
  EmitPlace(w, rec);
  w.EmitPointColor(rec.Color);
  w.EmitLineWidth(rec.LineWidth);
  if (w.Formats()) PutCodedPoint(w, rec.ZFlags, {rec.X, rec.Y}, rec.Scale, rec.Angle, rec.Code);
}

void WriteRecord(TWriter& w, const TElementStore& store, const TDimRec& rec) {
  const TLineRec& line = rec.Line;
  const TTextRec& text = rec.Text;
  if (IsDegenerateDim(From(line), To(line), {text.DX, text.DY})) return;
  // The dimension's own place, its line's pen and its text's style.
  EmitPlace(w, rec);
  w.EmitColor(line.Color);
  w.EmitLineType(line.LineType);
  w.EmitLineWidth(line.LineWidth);
  EmitTextAttrs(w, store, text);
  if (w.Formats())
    PutDim(w, rec.ZFlags, store.Text(text.Text), From(line), To(line), {text.X, text.Y},
           {text.DX, text.DY});
}

void WriteRecord(TWriter&, const TElementStore&, const TJwwEntBlk&) {}

void WriteRecord(TWriter& w, const TElementStore&, const TSolid2Rec& r) {
  if (IsDegenerateSolid2({r.X1, r.Y1}, {r.X2, r.Y2})) return;
  EmitSolidAttrs(w, r, true);
  if (w.Formats()) PutSolid2(w, r.ZFlags, {r.X1, r.Y1}, {r.X2, r.Y2});
}

void WriteRecord(TWriter& w, const TElementStore&, const TSolid3Rec& r) {
  if (IsDegenerateSolid3({r.X1, r.Y1}, {r.X2, r.Y2}, {r.X3, r.Y3})) return;
  EmitSolidAttrs(w, r, false);
  if (w.Formats()) PutSolid3(w, r.ZFlags, {r.X1, r.Y1}, {r.X2, r.Y2}, {r.X3, r.Y3});
}

void WriteRecord(TWriter& w, const TElementStore&, const TSolid4Rec& r) {
  if (IsDegenerateSolid4({r.X1, r.Y1}, {r.X2, r.Y2}, {r.X3, r.Y3}, {r.X4, r.Y4})) return;
  EmitSolidAttrs(w, r, false);
  if (w.Formats()) PutSolid4(w, r.ZFlags, {r.X1, r.Y1}, {r.X2, r.Y2}, {r.X3, r.Y3}, {r.X4, r.Y4});
}

void WriteRecord(TWriter& w, const TElementStore&, const TScSolidRec& r) {
  if (IsDegenerateScSolid(ArcValues(r), r.Flag)) return;
  EmitSolidAttrs(w, r, false);
  if (w.Formats()) PutScSolid(w, r.ZFlags, ArcValues(r), r.Flag);
}

void WriteRecord(TWriter& w, const TElementStore&, const TSeSolidRec& r) {
  if (IsDegenerateSeSolid(ArcValues(r), r.Flag)) return;
  EmitSolidAttrs(w, r, true);
  if (w.Formats()) PutSeSolid(w, r.ZFlags, ArcValues(r), r.Flag);
}

void WriteRecord(TWriter& w, const TElementStore&, const TSoSolidRec& r) {
  if (IsDegenerateRingSolid(RingValues(r))) return;
  EmitSolidAttrs(w, r, false);
  if (w.Formats()) PutSoSolid(w, r.ZFlags, RingValues(r));
}

void WriteRecord(TWriter& w, const TElementStore&, const TSgSolidRec& r) {
  if (IsDegenerateRingSolid(RingValues(r))) return;
  EmitSolidAttrs(w, r, false);
  if (w.Formats()) PutSgSolid(w, r.ZFlags, RingValues(r));
}

}  // namespace kx27
