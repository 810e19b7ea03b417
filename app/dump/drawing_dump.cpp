#include "app/dump/drawing_dump.h"

#include "app/dump/json_writer.h"
#include "exchange/drawing.h"

namespace kx27 {

namespace {

void Common(TJsonWriter& w, const TCommonAttrs& r) {
  w.Key("HhpNo").Int(r.HhpNo);
  w.Key("Group").Int(r.Group);
  w.Key("Layer").Int(r.Layer);
  w.Key("Color").Int(r.Color);
  w.Key("LineType").Int(r.LineType);
  w.Key("LineWidth").Int(r.LineWidth);
  w.Key("ZFlags").Int(r.ZFlags);
}

void Reals(TJsonWriter& w, std::initializer_list<std::pair<const char*, double>> fields) {
  for (const auto& [name, value] : fields) w.Key(name).Real(value);
}

void Write(TJsonWriter& w, const TLineRec& r) {
  w.BeginObject();
  Common(w, r);
  w.Key("PolylineNo").Int(r.PolylineNo);
  Reals(w, {{"X1", r.X1}, {"Y1", r.Y1}, {"X2", r.X2}, {"Y2", r.Y2}});
  w.EndObject();
}

void Write(TJsonWriter& w, const TCircleRec& r) {
  w.BeginObject();
  Common(w, r);
  Reals(w, {{"X", r.X}, {"Y", r.Y}, {"Radius", r.Radius}});
  w.EndObject();
}

void Write(TJsonWriter& w, const TArcRec& r) {
  w.BeginObject();
  Common(w, r);
  Reals(w, {{"X", r.X},
            {"Y", r.Y},
            {"Radius", r.Radius},
            {"V4", r.StartAngle},
            {"V5", r.EndAngle},
            {"V6", r.Flatness},
            {"V7", r.TiltAngle}});
  w.EndObject();
}

void Write(TJsonWriter& w, const TElementStore& store, const TTextRec& r) {
  w.BeginObject();
  Common(w, r);
  w.Key("TextKind").Int(r.TextKind);
  w.Key("Cc").Int(r.Cc);
  w.Key("TextType").Int(r.TextType);
  Reals(w, {{"Width", r.Width},
            {"Height", r.Height},
            {"Spacing", r.Spacing},
            {"X", r.X},
            {"Y", r.Y},
            {"DX", r.DX},
            {"DY", r.DY}});
  w.Key("FontName").String(store.Text(r.FontName));
  w.Key("Text").String(store.Text(r.Text));
  w.EndObject();
}

void Write(TJsonWriter& w, const TPointRec& r) {
  w.BeginObject();
  Common(w, r);
  Reals(w, {{"X", r.X}, {"Y", r.Y}});
  w.EndObject();
}

void Write(TJsonWriter& w, const TCodedPointRec& r) {
  w.BeginObject();
  Common(w, r);
  Reals(w, {{"X", r.X}, {"Y", r.Y}, {"V3", r.Scale}, {"V4", r.Angle}});
  w.Key("Code").Int(r.Code);
  w.EndObject();
}

void Write(TJsonWriter& w, const TElementStore& store, const TDimRec& r) {
  w.BeginObject();
  Common(w, r);
  w.Key("Line");
  Write(w, r.Line);
  w.Key("Text");
  Write(w, store, r.Text);
  w.EndObject();
}

void Write(TJsonWriter& w, const TElementStore& store, const TJwwEntBlk& r) {
  w.BeginObject();
  Common(w, r);
  Reals(w, {{"X", r.X}, {"Y", r.Y}});
  w.Key("Name").String(store.Text(r.Name));
  w.EndObject();
}

void SolidPrefix(TJsonWriter& w, const TSolidAttrs& r) {
  w.BeginObject();
  Common(w, r);
  w.Key("Lc10Value").Int(r.Lc10Value);
}

void Write(TJsonWriter& w, const TSolid2Rec& r) {
  SolidPrefix(w, r);
  Reals(w, {{"X1", r.X1}, {"Y1", r.Y1}, {"X2", r.X2}, {"Y2", r.Y2}});
  w.EndObject();
}

void Write(TJsonWriter& w, const TSolid3Rec& r) {
  SolidPrefix(w, r);
  Reals(w, {{"X1", r.X1}, {"Y1", r.Y1}, {"X2", r.X2}, {"Y2", r.Y2}, {"X3", r.X3}, {"Y3", r.Y3}});
  w.EndObject();
}

void Write(TJsonWriter& w, const TSolid4Rec& r) {
  SolidPrefix(w, r);
  Reals(w, {{"X1", r.X1},
            {"Y1", r.Y1},
            {"X2", r.X2},
            {"Y2", r.Y2},
            {"X3", r.X3},
            {"Y3", r.Y3},
            {"X4", r.X4},
            {"Y4", r.Y4}});
  w.EndObject();
}

// The dump names the values of solid arcs and rings by their place in the
// line, as the file gives them.
template <typename Rec>
void ArcSolidValues(TJsonWriter& w, const Rec& r) {
  Reals(w, {{"V1", r.X},
            {"V2", r.Y},
            {"V3", r.Radius},
            {"V4", r.Flatness},
            {"V5", r.TiltAngle},
            {"V6", r.StartAngle},
            {"V7", r.EndAngle}});
}

void Write(TJsonWriter& w, const TScSolidRec& r) {
  SolidPrefix(w, r);
  ArcSolidValues(w, r);
  w.Key("Flag").Int(r.Flag);
  w.EndObject();
}

void Write(TJsonWriter& w, const TSoSolidRec& r) {
  SolidPrefix(w, r);
  ArcSolidValues(w, r);
  w.Key("V8").Real(r.InnerRadius);
  w.EndObject();
}

// An entry whose kind or index names no record shows as null rather than
// reading past its array.
void WriteRecord(TJsonWriter& w, const TElementStore& store, const TOrderEntry& entry) {
  const bool found = VisitElement(store, entry, [&](const auto& rec) {
    if constexpr (requires { Write(w, store, rec); })
      Write(w, store, rec);
    else
      Write(w, rec);
  });
  if (!found) w.Null();
}

template <typename T, std::size_t N, typename Fn>
void List(TJsonWriter& w, const char* name, const std::array<T, N>& values, Fn each) {
  w.Key(name).BeginArray();
  for (const T& value : values) each(value);
  w.EndArray();
}

void HeaderValues(TJsonWriter& w, const TDrawingState& d) {
  w.Key("HkValue").Real(d.HkValue);
  List(w, "GroupScales", d.GroupScales, [&](double v) { w.Real(v); });
  w.Key("PaperWidth").Real(d.PaperWidth);
  w.Key("PaperHeight").Real(d.PaperHeight);
  w.Key("TextTypes").BeginArray();
  for (int n = 1; n <= 10; ++n) {
    const TTextType& t = d.TextTypes[n];
    w.BeginArray().Real(t.Width).Real(t.Height).Real(t.Spacing).Int(t.Color).EndArray();
  }
  w.EndArray();
  w.Key("BzFlag").Bool(d.BzFlag);
  List(w, "HnValues", d.HnValues, [&](double v) { w.Real(v); });
  w.Key("SourceFileName").String(d.SourceFileName);
  List(w, "GroupNames", d.GroupNames, [&](const std::string& v) { w.String(v); });
  List(w, "LayerNames", d.LayerNames, [&](const auto& row) {
    w.BeginArray();
    for (const std::string& v : row) w.String(v);
    w.EndArray();
  });
  List(w, "GroupArgs", d.GroupArgs, [&](std::int32_t v) { w.Int(v); });
  List(w, "LayerArgs", d.LayerArgs, [&](const auto& row) {
    w.BeginArray();
    for (const std::int32_t v : row) w.Int(v);
    w.EndArray();
  });
  w.Key("HpPoints").BeginArray();
  for (std::size_t n = 0; n < d.HpPoints.size(); ++n) {
    const THpPoint& p = d.HpPoints[n];
    if (p.Used)
      w.BeginArray().Int(static_cast<std::int64_t>(n)).Real(p.X).Real(p.Y).Int(p.Suffix).EndArray();
  }
  w.EndArray();
  w.Key("HpCount").Int(d.HpCount);
}

// The place and pen of an attribute set, each key its field's name after
// prefix, "Cur" or "First".
void PlaceAndPen(TJsonWriter& w, std::string_view prefix, const TAttributeSet& set) {
  const std::string p(prefix);
  w.Key(p + "Group").Int(set.Group);
  w.Key(p + "Layer").Int(set.Layer);
  w.Key(p + "Color").Int(set.Color);
  w.Key(p + "LineType").Int(set.LineType);
  w.Key(p + "LineWidth").Int(set.LineWidth);
}

// Its text style, keyed likewise.
void TextStyle(TJsonWriter& w, std::string_view prefix, const TAttributeSet& set) {
  const std::string p(prefix);
  w.Key(p + "TextType").Int(set.TextType);
  w.Key(p + "TextWidth").Real(set.TextWidth);
  w.Key(p + "TextHeight").Real(set.TextHeight);
  w.Key(p + "TextSpacing").Real(set.TextSpacing);
  w.Key(p + "TextColor").Int(set.TextColor);
}

void CurrentAttributes(TJsonWriter& w, const TDrawingState& d) {
  w.Key("CurHhpNo").Int(d.CurHhpNo);
  PlaceAndPen(w, "Cur", d.Current);
  w.Key("CurZFlags").Int(d.CurZFlags);
  TextStyle(w, "Cur", d.Current);
  w.Key("CurCc").Int(d.CurCc);
  w.Key("CurFontName").String(d.Current.FontName);
  w.Key("CurPointColor").Int(d.CurPointColor);
  w.Key("CurLc10Value").Int(d.CurLc10Value);
  w.Key("PolylineCount").Int(d.PolylineCount);
  w.Key("PolylineMode").Bool(d.PolylineMode);
  w.Key("DimensionMode").Bool(d.DimensionMode);
  w.Key("PendingDimLine");
  Write(w, d.PendingDimLine);
}

void FirstSeenValues(TJsonWriter& w, const TDrawingState& d) {
  PlaceAndPen(w, "First", d.FirstSeen);
  TextStyle(w, "First", d.FirstSeen);
  w.Key("FirstFontName").String(d.FirstSeen.FontName);
  w.Key("LwSeen").Bool(d.LwSeen);
  // Ten flags, as the drawing state once kept: the first six tell whether
  // an attribute's first line is still to come; the other four were the
  // writer's, which keeps its own now, and read false.
  w.Key("AttrUnset").BeginArray();
  for (const bool v : d.AttrUnset) w.Bool(v);
  for (int i = 0; i < 4; ++i) w.Bool(false);
  w.EndArray();
}

}  // namespace

void AppendElementJson(std::string& out, const TElementStore& store, const TOrderEntry& entry) {
  TJsonWriter w(out);
  w.BeginObject();
  w.Key("kind").Int(entry.Kind);
  w.Key("index").Int(entry.Index);
  w.Key("rec");
  WriteRecord(w, store, entry);
  w.EndObject();
  out += '\n';
}

void AppendStateJson(std::string& out, const TDrawingState& d) {
  TJsonWriter w(out);
  w.BeginObject().Key("state").BeginObject();
  HeaderValues(w, d);
  FirstSeenValues(w, d);
  CurrentAttributes(w, d);
  w.EndObject().EndObject();
  out += '\n';
}

}  // namespace kx27
