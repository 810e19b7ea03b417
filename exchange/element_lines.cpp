#include "exchange/element_lines.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "exchange/drawing_state.h"
#include "exchange/solid_corners.h"
#include "text/conversions.h"
#include "text/shift_jis.h"

namespace kx27 {

namespace {

using std::string_view;

constexpr std::size_t kMaxTextBytes = 255;

TStoredText g_font;
bool g_font_stored = false;

double Real(const TTokenList& t, int i) { return TextToReal(t.Token[i]); }

// The record goes in before its order entry so that a failed append leaves
// neither: the order list never names a record that is not there.
template <typename Rec>
void Append(std::vector<Rec>& records, TKind kind, const Rec& rec) {
  const auto index = static_cast<std::int32_t>(records.size());
  records.push_back(rec);
  try {
    AppendOrder(kind, index);
  } catch (...) {
    records.pop_back();
    throw;
  }
}

// What every element but a straight line ends.
void EndElement() {
  Drawing.CurHhpNo = 0;
  Drawing.CurZFlags = 0;
  Drawing.PolylineMode = false;
  Drawing.DimensionMode = false;
}

void EndStraightLine() {
  Drawing.CurHhpNo = 0;
  Drawing.CurZFlags = 0;
}

TStoredText StoreFontName() {
  const string_view name = CutToWholeChars(Drawing.CurFontName, kMaxTextBytes);
  // Checked against the arena's size too, so a store emptied behind the
  // reader's back cannot make the reference dangle.
  if (g_font_stored && g_font.Offset + g_font.Length <= Store.Chars.size() &&
      StoredText(g_font) == name) {
    return g_font;
  }
  g_font = StoreText(name);
  g_font_stored = true;
  return g_font;
}

// "ch" 0, "cv" 1, "cs" 2, ... "c2" 9; -1 for any other keyword.
int TextKindOf(string_view t0) {
  if (t0.size() != 2 || t0[0] != 'c') return -1;
  constexpr string_view kSecond = "hvsroptkz2";
  const std::size_t kind = kSecond.find(t0[1]);
  return kind == string_view::npos ? -1 : static_cast<int>(kind);
}

TTextRec MakeText(const TTokenList& t, int kind) {
  TTextRec rec;
  FillCommonAttrs(rec);
  const TDrawingState& d = Drawing;
  rec.TextKind = kind;
  rec.Cc = d.CurCc;
  rec.TextType = d.CurTextType;
  if (d.CurTextType >= 1 && d.CurTextType <= 10) {
    const TTextType& type = d.TextTypes[d.CurTextType];
    rec.Width = type.Width;
    rec.Height = type.Height;
    rec.Spacing = type.Spacing;
    rec.Color = type.Color;
  } else {
    rec.Width = d.CurTextWidth;
    rec.Height = d.CurTextHeight;
    rec.Spacing = d.CurTextSpacing;
    rec.Color = d.CurTextColor;
  }
  rec.X = Real(t, 1);
  rec.Y = Real(t, 2);
  rec.DX = Real(t, 3);
  rec.DY = Real(t, 4);
  rec.FontName = StoreFontName();
  rec.Text = StoreText(CutToWholeChars(t.Token[5], kMaxTextBytes));
  return rec;
}

void AddText(const TTokenList& t, int kind) {
  if (kind == 2 && Drawing.DimensionMode) {
    TDimRec dim;
    FillCommonAttrs(dim);
    dim.Line = Drawing.PendingDimLine;
    dim.Text = MakeText(t, kind);
    Append(Store.Dims, kDim, dim);
  } else {
    Append(Store.Texts, kText, MakeText(t, kind));
  }
}

void AddCircle(const TTokenList& t) {
  TCircleRec rec;
  FillCommonAttrs(rec);
  rec.X = Real(t, 1);
  rec.Y = Real(t, 2);
  rec.Radius = Real(t, 3);
  Append(Store.Circles, kCircle, rec);
}

void AddArc(const TTokenList& t) {
  TArcRec rec;
  FillCommonAttrs(rec);
  rec.X = Real(t, 1);
  rec.Y = Real(t, 2);
  rec.Radius = Real(t, 3);
  rec.V4 = Real(t, 4);
  rec.V5 = Real(t, 5);
  rec.V6 = Real(t, 6);
  rec.V7 = Real(t, 7);
  Append(Store.Arcs, kArc, rec);
}

void AddPoint(const TTokenList& t) {
  TPointRec rec;
  FillCommonAttrs(rec);
  rec.Color = Drawing.CurPointColor;
  rec.X = Real(t, 1);
  rec.Y = Real(t, 2);
  Append(Store.Points, kPoint, rec);
}

void AddCodedPoint(const TTokenList& t) {
  TCodedPointRec rec;
  FillCommonAttrs(rec);
  rec.Color = Drawing.CurPointColor;
  rec.X = Real(t, 1);
  rec.Y = Real(t, 2);
  rec.V3 = Real(t, 3);
  rec.V4 = Real(t, 4);
  rec.Code = TextToInt(t.Token[5]);
  Append(Store.CodedPoints, kCodedPoint, rec);
}

void AddBlock(const TTokenList& t) {
  TJwwEntBlk rec;
  FillCommonAttrs(rec);
  rec.X = Real(t, 1);
  rec.Y = Real(t, 2);
  rec.Name = StoreText(t.Token[3]);
  Append(Store.Blocks, kBlock, rec);
}

template <typename Rec>
Rec SolidBase() {
  Rec rec;
  FillCommonAttrs(rec);
  rec.Lc10Value = Drawing.CurLc10Value;
  return rec;
}

void AddCornerSolid(const TTokenList& t, int corner_count) {
  TCorner p[4];
  for (int i = 0; i < corner_count; ++i) p[i] = TCorner{Real(t, 2 * i + 1), Real(t, 2 * i + 2)};
  const TSolidShape shape = ReduceSolidCorners(std::span<const TCorner>(p, corner_count));
  const auto& c = shape.Corner;
  switch (shape.Kind) {
    case kSolid2: {
      auto rec = SolidBase<TSolid2Rec>();
      rec.X1 = p[c[0]].X, rec.Y1 = p[c[0]].Y;
      rec.X2 = p[c[1]].X, rec.Y2 = p[c[1]].Y;
      Append(Store.Solid2s, kSolid2, rec);
      break;
    }
    case kSolid3: {
      auto rec = SolidBase<TSolid3Rec>();
      rec.X1 = p[c[0]].X, rec.Y1 = p[c[0]].Y;
      rec.X2 = p[c[1]].X, rec.Y2 = p[c[1]].Y;
      rec.X3 = p[c[2]].X, rec.Y3 = p[c[2]].Y;
      Append(Store.Solid3s, kSolid3, rec);
      break;
    }
    default: {
      auto rec = SolidBase<TSolid4Rec>();
      rec.X1 = p[0].X, rec.Y1 = p[0].Y;
      rec.X2 = p[1].X, rec.Y2 = p[1].Y;
      rec.X3 = p[2].X, rec.Y3 = p[2].Y;
      rec.X4 = p[3].X, rec.Y4 = p[3].Y;
      Append(Store.Solid4s, kSolid4, rec);
      break;
    }
  }
}

// "sc" and "se": seven values and a flag; "so" and "sg": eight values.
void AddValueSolid(const TTokenList& t, char which) {
  if (which == 'c' || which == 'e') {
    auto rec = SolidBase<TScSolidRec>();
    double* v[] = {&rec.V1, &rec.V2, &rec.V3, &rec.V4, &rec.V5, &rec.V6, &rec.V7};
    for (int i = 0; i < 7; ++i) *v[i] = Real(t, i + 1);
    rec.Flag = TextToInt(t.Token[8]);
    if (which == 'c') {
      Append(Store.ScSolids, kScSolid, rec);
    } else {
      TSeSolidRec se;
      static_cast<TScSolidRec&>(se) = rec;
      Append(Store.SeSolids, kSeSolid, se);
    }
    return;
  }
  auto rec = SolidBase<TSoSolidRec>();
  double* v[] = {&rec.V1, &rec.V2, &rec.V3, &rec.V4, &rec.V5, &rec.V6, &rec.V7, &rec.V8};
  for (int i = 0; i < 8; ++i) *v[i] = Real(t, i + 1);
  if (which == 'o') {
    Append(Store.SoSolids, kSoSolid, rec);
  } else {
    TSgSolidRec sg;
    static_cast<TSoSolidRec&>(sg) = rec;
    Append(Store.SgSolids, kSgSolid, sg);
  }
}

bool IsValueSolid(string_view t0) {
  return t0.size() == 2 && t0[0] == 's' &&
         (t0[1] == 'c' || t0[1] == 'e' || t0[1] == 'o' || t0[1] == 'g');
}

// Any four-token line no other rule took: the keyword, if any, reads as the
// first coordinate.
void AddStraightLine(const TTokenList& t) {
  TLineRec rec;
  FillCommonAttrs(rec);
  rec.X1 = Real(t, 0);
  rec.Y1 = Real(t, 1);
  rec.X2 = Real(t, 2);
  rec.Y2 = Real(t, 3);
  if (Drawing.DimensionMode) {
    Drawing.PendingDimLine = rec;
    // The flags given after "msg" belong to the dimension, which its text
    // line makes.
    Drawing.CurHhpNo = 0;
    return;
  }
  rec.PolylineNo = Drawing.PolylineMode ? Drawing.PolylineCount : 0;
  Append(Store.Lines, kLine, rec);
  EndStraightLine();
}

// True when an element was made (and the per-element state must end).
bool AddElement(const TTokenList& t) {
  const string_view t0 = t.Token[0];
  const int n = t.Count;
  const int text_kind = TextKindOf(t0);
  if (t0 == "ci" && n == 4) {
    AddCircle(t);
  } else if (t0 == "ci" && n >= 8) {
    AddArc(t);
  } else if (text_kind >= 0 && n >= 6) {
    AddText(t, text_kind);
  } else if (t0 == "pt" && n == 3) {
    AddPoint(t);
  } else if (t0 == "pt" && n >= 6) {
    AddCodedPoint(t);
  } else if (t0 == "BL" && n >= 4) {
    AddBlock(t);
  } else if (t0 == "sl" && n == 5) {
    AddCornerSolid(t, 2);
  } else if (t0 == "sl" && n == 7) {
    AddCornerSolid(t, 3);
  } else if (t0 == "sl" && n >= 9) {
    AddCornerSolid(t, 4);
  } else if (IsValueSolid(t0) && n >= 9) {
    AddValueSolid(t, t0[1]);
  } else {
    return false;
  }
  return true;
}

}  // namespace

void ApplyElementLine(const TTokenList& t) {
  if (AddElement(t)) {
    EndElement();
  } else if (t.Count == 4) {
    AddStraightLine(t);
  }
}

void ForgetStoredFontName() { g_font_stored = false; }

}  // namespace kx27
