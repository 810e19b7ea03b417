#include "exchange/element_writers.h"

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

template <typename T>
void WriteSolid(const std::vector<T>& records, std::int32_t index,
                bool with_width, auto put) {
  if (const T* rec = At(records, index)) {
    EmitSolidAttrs(*rec, with_width);
    put(*rec);
  }
}

}  // namespace

void WriteLineRec(std::int32_t index) {
  if (const TLineRec* rec = At(Store.Lines, index)) {
    EmitLineAttrs(*rec);
    PutLine(rec->ZFlags, {rec->X1, rec->Y1}, {rec->X2, rec->Y2});
  }
}

void WriteCircleRec(std::int32_t index) {
  if (const TCircleRec* rec = At(Store.Circles, index)) {
    EmitLineAttrs(*rec);
    PutCircle(rec->ZFlags, {rec->X, rec->Y}, rec->Radius);
  }
}

void WriteArcRec(std::int32_t index) {
  if (const TArcRec* rec = At(Store.Arcs, index)) {
    EmitLineAttrs(*rec);
    PutArc(rec->ZFlags, {rec->X, rec->Y}, rec->Radius, rec->V4, rec->V5,
           rec->V6, rec->V7);
  }
}

void WriteTextRec(std::int32_t index) {
  if (const TTextRec* rec = At(Store.Texts, index)) {
    EmitPlace(*rec);
    EmitTextAttrs(*rec);
    PutText(rec->ZFlags, rec->TextKind, StoredText(rec->Text), {rec->X, rec->Y},
            {rec->DX, rec->DY});
  }
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
  if (const TDimRec* rec = At(Store.Dims, index)) {
    // The dimension's own place, its line's pen and its text's style.
    EmitPlace(*rec);
    EmitColor(rec->Line.Color);
    EmitLineType(rec->Line.LineType);
    EmitLineWidth(rec->Line.LineWidth);
    EmitTextAttrs(rec->Text);
    const TLineRec& line = rec->Line;
    const TTextRec& text = rec->Text;
    PutDim(rec->ZFlags, StoredText(text.Text), {line.X1, line.Y1},
           {line.X2, line.Y2}, {text.X, text.Y}, {text.DX, text.DY});
  }
}

void WriteSolidRec(std::int32_t kind, std::int32_t index) {
  switch (kind) {
    case kSolid2:
      return WriteSolid(Store.Solid2s, index, true, [](const TSolid2Rec& r) {
        PutSolid2(r.ZFlags, {r.X1, r.Y1}, {r.X2, r.Y2});
      });
    case kSolid3:
      return WriteSolid(Store.Solid3s, index, false, [](const TSolid3Rec& r) {
        PutSolid3(r.ZFlags, {r.X1, r.Y1}, {r.X2, r.Y2}, {r.X3, r.Y3});
      });
    case kSolid4:
      return WriteSolid(Store.Solid4s, index, false, [](const TSolid4Rec& r) {
        PutSolid4(r.ZFlags, {r.X1, r.Y1}, {r.X2, r.Y2}, {r.X3, r.Y3},
                  {r.X4, r.Y4});
      });
    case kScSolid:
      return WriteSolid(Store.ScSolids, index, false, [](const TScSolidRec& r) {
        PutScSolid(r.ZFlags, {r.V1, r.V2, r.V3, r.V4, r.V5, r.V6, r.V7}, r.Flag);
      });
    case kSeSolid:
      return WriteSolid(Store.SeSolids, index, true, [](const TSeSolidRec& r) {
        PutSeSolid(r.ZFlags, {r.V1, r.V2, r.V3, r.V4, r.V5, r.V6, r.V7}, r.Flag);
      });
    case kSoSolid:
      return WriteSolid(Store.SoSolids, index, false, [](const TSoSolidRec& r) {
        PutSoSolid(r.ZFlags, {r.V1, r.V2, r.V3, r.V4, r.V5, r.V6, r.V7, r.V8});
      });
    case kSgSolid:
      return WriteSolid(Store.SgSolids, index, false, [](const TSgSolidRec& r) {
        PutSgSolid(r.ZFlags, {r.V1, r.V2, r.V3, r.V4, r.V5, r.V6, r.V7, r.V8});
      });
    default:
      return;
  }
}

}  // namespace kx27
