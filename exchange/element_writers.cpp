#include "exchange/element_writers.h"

#include <array>
#include <vector>

#include "exchange/drawing_state.h"
#include "exchange/emitters.h"
#include "exchange/line_emitters.h"

namespace kx27 {

namespace {

// The record at index, or null for an index that its kind's array does not
// hold, so that a damaged order list writes nothing rather than crashing.
template <typename T>
const T* At(const std::vector<T>& records, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= records.size())
    return nullptr;
  return &records[static_cast<std::size_t>(index)];
}

void EmitPlace(const TCommonAttrs& rec) {
  EmitGroup(rec.Group);
  EmitLayer(rec.Layer);
}

// Lines, circles and arcs.
void EmitLineAttrs(const TCommonAttrs& rec) {
  EmitPlace(rec);
  EmitColor(rec.Color);
  EmitLineType(rec.LineType);
  EmitLineWidth(rec.LineWidth);
}

void EmitTextAttrs(const TTextRec& text) {
  EmitTextType(text.TextType, text.Color, text.Width, text.Height, text.Spacing);
  EmitCc(text.Cc);
  EmitFontName(StoredText(text.FontName));
}

// Only solids carry the value of "lc10"; their colour 10 means that value.
void EmitSolidAttrs(const TSolidAttrs& rec, bool with_width) {
  EmitPlace(rec);
  if (rec.Color == 10)
    EmitLc10(rec.Lc10Value);
  else
    EmitColor(rec.Color);
  if (with_width) EmitLineWidth(rec.LineWidth);
}

// A dropped solid states nothing, as every dropped element.
template <typename T>
void WriteSolid(const std::vector<T>& records, std::int32_t index,
                bool with_width, auto is_degenerate, auto put) {
  const T* rec = At(records, index);
  if (!rec || is_degenerate(*rec)) return;
  EmitSolidAttrs(*rec, with_width);
  put(*rec);
}

std::array<double, 7> FlaggedValues(const TScSolidRec& r) {
  return {r.V1, r.V2, r.V3, r.V4, r.V5, r.V6, r.V7};
}

std::array<double, 8> RingValues(const TSoSolidRec& r) {
  return {r.V1, r.V2, r.V3, r.V4, r.V5, r.V6, r.V7, r.V8};
}

}  // namespace

void WriteLineRec(std::int32_t index) {
  const TLineRec* rec = At(Store.Lines, index);
  if (!rec || IsDegenerateLine({rec->X1, rec->Y1}, {rec->X2, rec->Y2})) return;
  EmitLineAttrs(*rec);
  PutLine(rec->ZFlags, {rec->X1, rec->Y1}, {rec->X2, rec->Y2});
}

bool WriteCurveStart(std::int32_t index) {
  const TLineRec* rec = At(Store.Lines, index);
  if (!rec || IsDegenerateLine({rec->X1, rec->Y1}, {rec->X2, rec->Y2})) return false;
  EmitLineAttrs(*rec);
  return PutCurveStart(rec->ZFlags, {rec->X1, rec->Y1}, {rec->X2, rec->Y2});
}

std::int32_t CurveOf(std::int32_t kind, std::int32_t index) {
  if (kind != kLine) return 0;
  const TLineRec* rec = At(Store.Lines, index);
  return rec ? rec->PolylineNo : 0;
}

void WriteCircleRec(std::int32_t index) {
  const TCircleRec* rec = At(Store.Circles, index);
  if (!rec || IsDegenerateCircle(rec->Radius)) return;
  EmitLineAttrs(*rec);
  PutCircle(rec->ZFlags, {rec->X, rec->Y}, rec->Radius);
}

void WriteArcRec(std::int32_t index) {
  const TArcRec* rec = At(Store.Arcs, index);
  if (!rec || IsDegenerateArc(rec->Radius, rec->V6)) return;
  EmitLineAttrs(*rec);
  PutArc(rec->ZFlags, {rec->X, rec->Y}, rec->Radius, rec->V4, rec->V5, rec->V6, rec->V7);
}

void WriteTextRec(std::int32_t index) {
  const TTextRec* rec = At(Store.Texts, index);
  if (!rec || IsDegenerateText(StoredText(rec->Text))) return;
  EmitPlace(*rec);
  EmitTextAttrs(*rec);
  PutText(rec->ZFlags, rec->TextKind, StoredText(rec->Text), {rec->X, rec->Y},
          {rec->DX, rec->DY});
}

void WritePointRec(std::int32_t index) {
  if (const TPointRec* rec = At(Store.Points, index)) {
    EmitPlace(*rec);
    EmitPointColor(rec->Color);
    EmitLineWidth(rec->LineWidth);
    PutPoint(rec->ZFlags, {rec->X, rec->Y});
  }
}

void WriteCodedPointRec(std::int32_t index) {
  if (const TCodedPointRec* rec = At(Store.CodedPoints, index)) {
    EmitPlace(*rec);
    EmitPointColor(rec->Color);
    EmitLineWidth(rec->LineWidth);
    PutCodedPoint(rec->ZFlags, {rec->X, rec->Y}, rec->V3, rec->V4, rec->Code);
  }
}

void WriteDimRec(std::int32_t index) {
  const TDimRec* rec = At(Store.Dims, index);
  if (!rec) return;
  const TLineRec& line = rec->Line;
  const TTextRec& text = rec->Text;
  if (IsDegenerateDim({line.X1, line.Y1}, {line.X2, line.Y2}, {text.DX, text.DY})) return;
  // The dimension's own place, its line's pen and its text's style.
  EmitPlace(*rec);
  EmitColor(line.Color);
  EmitLineType(line.LineType);
  EmitLineWidth(line.LineWidth);
  EmitTextAttrs(text);
  PutDim(rec->ZFlags, StoredText(text.Text), {line.X1, line.Y1}, {line.X2, line.Y2},
         {text.X, text.Y}, {text.DX, text.DY});
}

void WriteSolidRec(std::int32_t kind, std::int32_t index) {
  switch (kind) {
    case kSolid2:
      return WriteSolid(
          Store.Solid2s, index, true,
          [](const TSolid2Rec& r) { return IsDegenerateSolid2({r.X1, r.Y1}, {r.X2, r.Y2}); },
          [](const TSolid2Rec& r) { PutSolid2(r.ZFlags, {r.X1, r.Y1}, {r.X2, r.Y2}); });
    case kSolid3:
      return WriteSolid(
          Store.Solid3s, index, false,
          [](const TSolid3Rec& r) {
            return IsDegenerateSolid3({r.X1, r.Y1}, {r.X2, r.Y2}, {r.X3, r.Y3});
          },
          [](const TSolid3Rec& r) {
            PutSolid3(r.ZFlags, {r.X1, r.Y1}, {r.X2, r.Y2}, {r.X3, r.Y3});
          });
    case kSolid4:
      return WriteSolid(
          Store.Solid4s, index, false,
          [](const TSolid4Rec& r) {
            return IsDegenerateSolid4({r.X1, r.Y1}, {r.X2, r.Y2}, {r.X3, r.Y3}, {r.X4, r.Y4});
          },
          [](const TSolid4Rec& r) {
            PutSolid4(r.ZFlags, {r.X1, r.Y1}, {r.X2, r.Y2}, {r.X3, r.Y3}, {r.X4, r.Y4});
          });
    case kScSolid:
      return WriteSolid(
          Store.ScSolids, index, false,
          [](const TScSolidRec& r) { return IsDegenerateScSolid(FlaggedValues(r), r.Flag); },
          [](const TScSolidRec& r) { PutScSolid(r.ZFlags, FlaggedValues(r), r.Flag); });
    case kSeSolid:
      return WriteSolid(
          Store.SeSolids, index, true,
          [](const TSeSolidRec& r) { return IsDegenerateSeSolid(FlaggedValues(r), r.Flag); },
          [](const TSeSolidRec& r) { PutSeSolid(r.ZFlags, FlaggedValues(r), r.Flag); });
    case kSoSolid:
      return WriteSolid(
          Store.SoSolids, index, false,
          [](const TSoSolidRec& r) { return IsDegenerateRingSolid(RingValues(r)); },
          [](const TSoSolidRec& r) { PutSoSolid(r.ZFlags, RingValues(r)); });
    case kSgSolid:
      return WriteSolid(
          Store.SgSolids, index, false,
          [](const TSgSolidRec& r) { return IsDegenerateRingSolid(RingValues(r)); },
          [](const TSgSolidRec& r) { PutSgSolid(r.ZFlags, RingValues(r)); });
    default:
      return;
  }
}

}  // namespace kx27
