#include "exchange/element_lines.h"

#include <cstdint>
#include <span>
#include <string_view>

#include "exchange/solid_corners.h"
#include "text/conversions.h"
#include "text/shift_jis.h"

namespace kx27 {

namespace {

using std::string_view;

constexpr std::size_t kMaxTextBytes = 255;

double Real(const TTokenList& t, int i) { return RealAt(t, i); }

// One element line being applied to a drawing.
struct TLine {
  const TTokenList& t;
  TDrawingState& state;
  TElementStore& store;
  TStoredFont& font;
};

// Copies the current attribute set into a record's common block.
void FillCommonAttrs(const TDrawingState& d, TCommonAttrs& rec) {
  static_cast<TPlaceAndPen&>(rec) = d.Current;
  rec.HhpNo = d.CurHhpNo;
  rec.ZFlags = d.CurZFlags;
}

template <typename Rec>
Rec NewRecord(const TLine& line) {
  Rec rec;
  FillCommonAttrs(line.state, rec);
  return rec;
}

// What every element but a straight line ends.
void EndElement(TDrawingState& d) {
  d.CurHhpNo = 0;
  d.CurZFlags = 0;
  d.PolylineMode = false;
  d.DimensionMode = false;
}

TStoredText StoreFontName(const TLine& line) {
  const string_view name = CutToWholeChars(line.state.Current.FontName, kMaxTextBytes);
  TStoredFont& font = line.font;
  if (font.Stored && line.store.Text(font.Text) == name) return font.Text;
  font.Text = line.store.StoreText(name);
  font.Stored = true;
  return font.Text;
}

// "ch" 0, "cv" 1, "cs" 2, ... "c2" 9; -1 for any other keyword.
int TextKindOf(string_view t0) {
  if (t0.size() != 2 || t0[0] != 'c') return -1;
  constexpr string_view kSecond = "hvsroptkz2";
  const std::size_t kind = kSecond.find(t0[1]);
  return kind == string_view::npos ? -1 : static_cast<int>(kind);
}

TTextRec MakeText(const TLine& line, int kind) {
  const TTokenList& t = line.t;
  const TDrawingState& d = line.state;
  auto rec = NewRecord<TTextRec>(line);
  rec.TextKind = kind;
  rec.Cc = d.CurCc;
  rec.TextType = d.Current.TextType;
  if (d.Current.TextType >= 1 && d.Current.TextType <= 10) {
    const TTextType& type = d.TextTypes[d.Current.TextType];
    rec.Width = type.Width;
    rec.Height = type.Height;
    rec.Spacing = type.Spacing;
    rec.Color = type.Color;
  } else {
    rec.Width = d.Current.TextWidth;
    rec.Height = d.Current.TextHeight;
    rec.Spacing = d.Current.TextSpacing;
    rec.Color = d.Current.TextColor;
  }
  rec.X = Real(t, 1);
  rec.Y = Real(t, 2);
  rec.DX = Real(t, 3);
  rec.DY = Real(t, 4);
  rec.FontName = StoreFontName(line);
  rec.Text = line.store.StoreText(CutToWholeChars(t.Token[5], kMaxTextBytes));
  return rec;
}

void AddText(const TLine& line, int kind) {
  if (kind == 2 && line.state.DimensionMode) {
    auto dim = NewRecord<TDimRec>(line);
    dim.Line = line.state.PendingDimLine;
    dim.Text = MakeText(line, kind);
    AppendRecord(line.store, dim);
  } else {
    AppendRecord(line.store, MakeText(line, kind));
  }
}

void AddCircle(const TLine& line) {
  auto rec = NewRecord<TCircleRec>(line);
  rec.X = Real(line.t, 1);
  rec.Y = Real(line.t, 2);
  rec.Radius = Real(line.t, 3);
  AppendRecord(line.store, rec);
}

void AddArc(const TLine& line) {
  const TTokenList& t = line.t;
  auto rec = NewRecord<TArcRec>(line);
  rec.X = Real(t, 1);
  rec.Y = Real(t, 2);
  rec.Radius = Real(t, 3);
  rec.StartAngle = Real(t, 4);
  rec.EndAngle = Real(t, 5);
  rec.Flatness = Real(t, 6);
  rec.TiltAngle = Real(t, 7);
  AppendRecord(line.store, rec);
}

void AddPoint(const TLine& line) {
  auto rec = NewRecord<TPointRec>(line);
  rec.Color = line.state.CurPointColor;
  rec.X = Real(line.t, 1);
  rec.Y = Real(line.t, 2);
  AppendRecord(line.store, rec);
}

void AddCodedPoint(const TLine& line) {
  const TTokenList& t = line.t;
  auto rec = NewRecord<TCodedPointRec>(line);
  rec.Color = line.state.CurPointColor;
  rec.X = Real(t, 1);
  rec.Y = Real(t, 2);
  rec.Scale = Real(t, 3);
  rec.Angle = Real(t, 4);
  rec.Code = TextToInt(t.Token[5]);
  AppendRecord(line.store, rec);
}

void AddBlock(const TLine& line) {
  auto rec = NewRecord<TJwwEntBlk>(line);
  rec.X = Real(line.t, 1);
  rec.Y = Real(line.t, 2);
  rec.Name = line.store.StoreText(line.t.Token[3]);
  AppendRecord(line.store, rec);
}

template <typename Rec>
Rec NewSolid(const TLine& line) {
  auto rec = NewRecord<Rec>(line);
  rec.Lc10Value = line.state.CurLc10Value;
  return rec;
}

void AddCornerSolid(const TLine& line, int corner_count) {
  TCorner p[4];
  for (int i = 0; i < corner_count; ++i)
    p[i] = TCorner{Real(line.t, 2 * i + 1), Real(line.t, 2 * i + 2)};
  const TSolidShape shape = ReduceSolidCorners(std::span<const TCorner>(p, corner_count));
  const auto& c = shape.Corner;
  switch (shape.Kind) {
    case kSolid2: {
      auto rec = NewSolid<TSolid2Rec>(line);
      rec.X1 = p[c[0]].X, rec.Y1 = p[c[0]].Y;
      rec.X2 = p[c[1]].X, rec.Y2 = p[c[1]].Y;
      AppendRecord(line.store, rec);
      break;
    }
    case kSolid3: {
      auto rec = NewSolid<TSolid3Rec>(line);
      rec.X1 = p[c[0]].X, rec.Y1 = p[c[0]].Y;
      rec.X2 = p[c[1]].X, rec.Y2 = p[c[1]].Y;
      rec.X3 = p[c[2]].X, rec.Y3 = p[c[2]].Y;
      AppendRecord(line.store, rec);
      break;
    }
    default: {
      auto rec = NewSolid<TSolid4Rec>(line);
      rec.X1 = p[0].X, rec.Y1 = p[0].Y;
      rec.X2 = p[1].X, rec.Y2 = p[1].Y;
      rec.X3 = p[2].X, rec.Y3 = p[2].Y;
      rec.X4 = p[3].X, rec.Y4 = p[3].Y;
      AppendRecord(line.store, rec);
      break;
    }
  }
}

// The values that solid arcs and rings share, in the order of the line.
template <typename Rec>
Rec NewArcSolid(const TLine& line) {
  const TTokenList& t = line.t;
  auto rec = NewSolid<Rec>(line);
  rec.X = Real(t, 1);
  rec.Y = Real(t, 2);
  rec.Radius = Real(t, 3);
  rec.Flatness = Real(t, 4);
  rec.TiltAngle = Real(t, 5);
  rec.StartAngle = Real(t, 6);
  rec.EndAngle = Real(t, 7);
  return rec;
}

// "sc" and "se": seven values and a flag; "so" and "sg": eight values.
void AddArcSolid(const TLine& line, char which) {
  if (which == 'c' || which == 'e') {
    const std::int32_t flag = TextToInt(line.t.Token[8]);
    if (which == 'c') {
      auto rec = NewArcSolid<TScSolidRec>(line);
      rec.Flag = flag;
      AppendRecord(line.store, rec);
    } else {
      auto rec = NewArcSolid<TSeSolidRec>(line);
      rec.Flag = flag;
      AppendRecord(line.store, rec);
    }
    return;
  }
  const double inner_radius = Real(line.t, 8);
  if (which == 'o') {
    auto rec = NewArcSolid<TSoSolidRec>(line);
    rec.InnerRadius = inner_radius;
    AppendRecord(line.store, rec);
  } else {
    auto rec = NewArcSolid<TSgSolidRec>(line);
    rec.InnerRadius = inner_radius;
    AppendRecord(line.store, rec);
  }
}

bool IsArcSolid(string_view t0) {
  return t0.size() == 2 && t0[0] == 's' &&
         (t0[1] == 'c' || t0[1] == 'e' || t0[1] == 'o' || t0[1] == 'g');
}

// Any four-token line no other rule took: the keyword, if any, reads as the
// first coordinate.
void AddStraightLine(const TLine& line) {
  TDrawingState& d = line.state;
  auto rec = NewRecord<TLineRec>(line);
  rec.X1 = Real(line.t, 0);
  rec.Y1 = Real(line.t, 1);
  rec.X2 = Real(line.t, 2);
  rec.Y2 = Real(line.t, 3);
  d.CurHhpNo = 0;
  if (d.DimensionMode) {
    // The flags given after "msg" belong to the dimension, which its text
    // line makes.
    d.PendingDimLine = rec;
    return;
  }
  rec.PolylineNo = d.PolylineMode ? d.PolylineCount : 0;
  AppendRecord(line.store, rec);
  d.CurZFlags = 0;
}

// True when an element was made (and the per-element state must end).
bool AddElement(const TLine& line) {
  const string_view t0 = line.t.Token[0];
  const int n = line.t.Count;
  const int text_kind = TextKindOf(t0);
  if (t0 == "ci" && n == 4) {
    AddCircle(line);
  } else if (t0 == "ci" && n >= 8) {
    AddArc(line);
  } else if (text_kind >= 0 && n >= 6) {
    AddText(line, text_kind);
  } else if (t0 == "pt" && n == 3) {
    AddPoint(line);
  } else if (t0 == "pt" && n >= 6) {
    AddCodedPoint(line);
  } else if (t0 == "BL" && n >= 4) {
    AddBlock(line);
  } else if (t0 == "sl" && n == 5) {
    AddCornerSolid(line, 2);
  } else if (t0 == "sl" && n == 7) {
    AddCornerSolid(line, 3);
  } else if (t0 == "sl" && n >= 9) {
    AddCornerSolid(line, 4);
  } else if (IsArcSolid(t0) && n >= 9) {
    AddArcSolid(line, t0[1]);
  } else {
    return false;
  }
  return true;
}

}  // namespace

void ApplyElementLine(const TTokenList& tokens, TDrawing& drawing, TStoredFont& font) {
  const TLine line{tokens, drawing.State, drawing.Store, font};
  if (AddElement(line)) {
    EndElement(drawing.State);
  } else if (tokens.Count == 4) {
    AddStraightLine(line);
  }
}

}  // namespace kx27
