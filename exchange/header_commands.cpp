#include "exchange/header_commands.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/drawing.h"
#include "text/conversions.h"
#include "text/hex_digit.h"
#include "text/shift_jis.h"

namespace kx27 {

namespace {

using std::string_view;

string_view From(string_view text, std::size_t pos) {
  return pos < text.size() ? text.substr(pos) : string_view();
}

// "lg" and "ly" carry one hexadecimal digit; anything else selects 0.
std::int32_t HexDigitAt(string_view text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  const int digit = HexDigitValue(text[pos]);
  return digit < 0 ? 0 : digit;
}

// The first line of each attribute also records its value as first seen.
void SetAttribute(TDrawingState& d, TAttr attr, std::int32_t& first, std::int32_t& current,
                  std::int32_t value) {
  if (d.AttrUnset[attr]) {
    first = value;
    d.AttrUnset[attr] = false;
  }
  current = value;
}

void ApplyGroup(const TTokenList& t, TDrawingState& d) {
  const std::int32_t group = HexDigitAt(t.Token[0], 2);
  SetAttribute(d, kAttrGroup, d.FirstSeen.Group, d.Current.Group, group);
  if (t.Count >= 2) d.GroupArgs[group] = TextToInt(t.Token[1]);
  d.PolylineMode = false;
}

void ApplyLayer(const TTokenList& t, TDrawingState& d) {
  const std::int32_t layer = HexDigitAt(t.Token[0], 2);
  SetAttribute(d, kAttrLayer, d.FirstSeen.Layer, d.Current.Layer, layer);
  if (t.Count >= 2) d.LayerArgs[d.Current.Group][layer] = TextToInt(t.Token[1]);
  d.PolylineMode = false;
}

// "lc", "lt" and "lw": the number glued to the keyword.
void ApplyLineAttr(const TTokenList& t, TDrawingState& d, TAttr attr, std::int32_t& first,
                   std::int32_t& current) {
  SetAttribute(d, attr, first, current, TextToInt(From(t.Token[0], 2)));
  d.PolylineMode = false;
}

void ApplyTextType(const TTokenList& t, TDrawingState& d) {
  const std::int32_t type = TextToInt(From(t.Token[0], 2));
  // Type 0 with four values states the size of the texts that follow.
  const bool sized = type == 0 && t.Count >= 5;
  const double width = sized ? TextToReal(t.Token[1]) : 0.0;
  const double height = sized ? TextToReal(t.Token[2]) : 0.0;
  const double spacing = sized ? TextToReal(t.Token[3]) : 0.0;
  const std::int32_t color = sized ? TextToInt(t.Token[4]) : 0;
  if (d.AttrUnset[kAttrTextType]) {
    d.FirstSeen.TextType = type;
    if (sized) {
      d.FirstSeen.TextWidth = width;
      d.FirstSeen.TextHeight = height;
      d.FirstSeen.TextSpacing = spacing;
      d.FirstSeen.TextColor = color;
    }
    d.AttrUnset[kAttrTextType] = false;
  }
  d.Current.TextType = type;
  if (sized) {
    d.Current.TextWidth = width;
    d.Current.TextHeight = height;
    d.Current.TextSpacing = spacing;
    d.Current.TextColor = color;
  }
  d.PolylineMode = false;
}

// A group or layer name is the rest of its line after the keyword, blanks
// and all: the host writes "lyn 芯" and "lyn　躯体" as it names them.
// Control bytes, 0xFE and 0xFF are dropped as from every token.
std::string NameAfterKeyword(const TTokenList& t) {
  const string_view line = t.Line;
  std::size_t pos = line.find_first_not_of(" \t");
  if (pos == string_view::npos || line.compare(pos, 3, t.Token[0].substr(0, 3)) != 0) {
    // Bytes dropped before or inside the keyword: the token holds the name.
    return std::string(From(t.Token[0], 3));
  }
  std::string name;
  for (pos += 3; pos < line.size();) {
    const std::size_t size = CharSize(line, pos);
    const auto byte = static_cast<unsigned char>(line[pos]);
    if (size == 2 || (byte >= 0x20 && byte <= 0xFD)) name.append(line, pos, size);
    pos += size;
  }
  return name;
}

void ApplyFontName(const TTokenList& t, TDrawingState& d) {
  const string_view name = From(t.Token[0], 3);
  if (d.FirstSeen.FontName.empty()) d.FirstSeen.FontName = name;
  d.Current.FontName = name;
  d.PolylineMode = false;
}

void ApplyCc(const TTokenList& t, TDrawingState& d) {
  const string_view t0 = t.Token[0];
  std::int32_t value = 0;
  if (t0.size() > 2 && t0[2] >= '0' && t0[2] <= '8') value = t0[2] - '0';
  d.CurCc = value;
  d.PolylineMode = false;
}

// "hp<n>" with an optional suffix "-", "ln", "ci" or "ch"; the last suffix
// found in that order wins and the number ends before it.
void ApplyNumberedPoint(const TTokenList& t, TDrawingState& d) {
  const string_view t0 = t.Token[0];
  string_view number = From(t0, 2);
  std::int32_t suffix = 0;
  constexpr string_view kSuffixes[] = {"-", "ln", "ci", "ch"};
  for (std::int32_t i = 0; i < 4; ++i) {
    const std::size_t pos = FindCp932(t0, kSuffixes[i]);
    if (pos == string_view::npos) continue;
    number = t0.substr(2, pos - 2);
    suffix = i + 1;
  }
  const std::int32_t n = TextToInt(number);
  if (n < 1 || n > 99) return;
  THpPoint& point = d.HpPoints[n];
  point.Used = true;
  point.X = TextToReal(t.Token[1]);
  point.Y = TextToReal(t.Token[2]);
  point.Suffix = suffix;
  ++d.HpCount;
}

void ApplyHhp(const TTokenList& t, TDrawingState& d) {
  const string_view t0 = t.Token[0];
  string_view number = From(t0, 3);
  for (const string_view suffix : {string_view("ln"), string_view("ci"), string_view("ch")}) {
    const std::size_t pos = FindCp932(t0, suffix, 4);
    if (pos != string_view::npos) number = t0.substr(3, pos - 3);
  }
  d.CurHhpNo = TextToInt(number);
}

void ReadReals(const TTokenList& t, int count, double* out) {
  for (int i = 0; i < count; ++i) out[i] = TextToReal(t.Token[i + 1]);
}

// Rows whose keyword starts with "h": exact headers, then the numbered
// points, whose keyword is a prefix.
bool ApplyHeader(const TTokenList& t, TDrawingState& d) {
  const string_view t0 = t.Token[0];
  const int n = t.Count;
  if (t0 == "hk" && n >= 2) {
    d.HkValue = TextToReal(t.Token[1]);
  } else if (t0 == "hs" && n >= 17) {
    ReadReals(t, 16, d.GroupScales.data());
  } else if (t0 == "hzs" && n >= 3) {
    d.PaperWidth = TextToReal(t.Token[1]);
    d.PaperHeight = TextToReal(t.Token[2]);
  } else if (t0 == "hcw" && n >= 11) {
    for (int i = 1; i <= 10; ++i) d.TextTypes[i].Width = TextToReal(t.Token[i]);
  } else if (t0 == "hch" && n >= 11) {
    for (int i = 1; i <= 10; ++i) d.TextTypes[i].Height = TextToReal(t.Token[i]);
  } else if (t0 == "hcd" && n >= 11) {
    for (int i = 1; i <= 10; ++i) d.TextTypes[i].Spacing = TextToReal(t.Token[i]);
  } else if (t0 == "hcc" && n >= 11) {
    for (int i = 1; i <= 10; ++i) d.TextTypes[i].Color = TextToInt(t.Token[i]);
  } else if (t0 == "hn" && n >= 5) {
    ReadReals(t, 4, d.HnValues.data());
  } else if (t0.starts_with("hp") && n >= 3) {
    ApplyNumberedPoint(t, d);
  } else if (t0.starts_with("hhp")) {
    ApplyHhp(t, d);
  } else {
    return false;
  }
  return true;
}

bool ApplyLayerOrLine(const TTokenList& t, TDrawingState& d) {
  const string_view t0 = t.Token[0];
  if (t0.starts_with("lgn")) {
    d.GroupNames[d.Current.Group] = NameAfterKeyword(t);
  } else if (t0.starts_with("lyn")) {
    d.LayerNames[d.Current.Group][d.Current.Layer] = NameAfterKeyword(t);
  } else if (t0.starts_with("lg")) {
    ApplyGroup(t, d);
  } else if (t0.starts_with("ly")) {
    ApplyLayer(t, d);
  } else if (t0.starts_with("lc")) {
    ApplyLineAttr(t, d, kAttrColor, d.FirstSeen.Color, d.Current.Color);
    if (d.Current.Color == 10 && t.Count >= 2) d.CurLc10Value = TextToInt(t.Token[1]);
  } else if (t0.starts_with("lt")) {
    ApplyLineAttr(t, d, kAttrLineType, d.FirstSeen.LineType, d.Current.LineType);
  } else if (t0.starts_with("lw")) {
    ApplyLineAttr(t, d, kAttrLineWidth, d.FirstSeen.LineWidth, d.Current.LineWidth);
    d.LwSeen = true;
  } else {
    return false;
  }
  return true;
}

bool ApplyText(const TTokenList& t, TDrawingState& d) {
  const string_view t0 = t.Token[0];
  if (t0.starts_with("cn$")) {
    ApplyFontName(t, d);
  } else if (t0.starts_with("cn")) {
    ApplyTextType(t, d);
  } else if (t0.starts_with("cc")) {
    ApplyCc(t, d);
  } else {
    return false;
  }
  return true;
}

bool ApplyZFlag(string_view t0, TDrawingState& d) {
  if (t0.size() != 2 || t0[1] < '1' || t0[1] > '5') return false;
  d.CurZFlags |= 1 << (t0[1] - '1');
  return true;
}

bool ApplyPointOrPolyline(string_view t0, TDrawingState& d) {
  if (t0.starts_with("pn")) {
    d.CurPointColor = TextToInt(From(t0, 2));
    d.PolylineMode = false;
  } else if (t0 == "pl") {
    ++d.PolylineCount;
    d.PolylineMode = true;
    d.DimensionMode = false;
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ApplyCommandLine(const TTokenList& t, TDrawingState& d) {
  const string_view t0 = t.Token[0];
  if (t0.empty()) return false;
  // The cheap search first: most lines are elements without an "=".
  if (t0.find("file=") != string_view::npos && FindCp932(t0, "file=") != string_view::npos) {
    d.SourceFileName = From(t0, 5);
    return true;
  }
  // Rows starting with different letters never compete, so dispatching on
  // the first byte keeps the order of precedence.
  switch (t0[0]) {
    case 'h': return ApplyHeader(t, d);
    case 'b':
      if (t0 != "bz") return false;
      d.BzFlag = true;
      return true;
    case 'l': return ApplyLayerOrLine(t, d);
    case 'c': return ApplyText(t, d);
    case 'z': return ApplyZFlag(t0, d);
    case 'p': return ApplyPointOrPolyline(t0, d);
    case 'm':
      if (t0 != "msg") return false;
      d.DimensionMode = true;
      d.PolylineMode = false;
      return true;
    case '#':
      if (t0 != "#") return false;
      d.DimensionMode = false;
      d.PolylineMode = false;
      return true;
    default: return false;
  }
}

}  // namespace kx27
