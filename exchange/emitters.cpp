#include "exchange/emitters.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "exchange/drawing_state.h"
#include "exchange/output_buffer.h"
#include "text/number_format.h"

namespace kx27 {

namespace {

// True, and the value taken as stated, when the attribute has not been
// stated since the reset or was stated with another value.
bool TakeIfChanged(TAttr attr, std::int32_t& stated, std::int32_t value) {
  if (!Drawing.AttrUnset[attr] && stated == value) return false;
  stated = value;
  Drawing.AttrUnset[attr] = false;
  return true;
}

void PutIntLine(std::string_view keyword, std::int32_t value) {
  std::string& line = StartOutputLine(keyword);
  AppendInt(line, value);
  AppendOutputLine(line);
}

// Group and layer numbers are single hexadecimal digits in the file.
void PutHexLine(std::string_view keyword, std::int32_t value) {
  std::string& line = StartOutputLine(keyword);
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
  std::transform(digits, end, digits, [](char c) {
    return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  line.append(digits, end);
  AppendOutputLine(line);
}

}  // namespace

void ResetOutputState() {
  DefaultCurrentAttributes();
  Drawing.AttrUnset.fill(true);
}

void EmitGroup(std::int32_t group) {
  if (!TakeIfChanged(kAttrGroup, Drawing.CurGroup, group)) return;
  PutHexLine("lg", group);
  // The host takes a new group as forgetting the layer.
  Drawing.AttrUnset[kAttrLayer] = true;
}

void EmitLayer(std::int32_t layer) {
  if (TakeIfChanged(kAttrLayer, Drawing.CurLayer, layer)) PutHexLine("ly", layer);
}

void EmitColor(std::int32_t color) {
  if (!TakeIfChanged(kAttrColor, Drawing.CurColor, color)) return;
  PutIntLine("lc", color);
  // A plain "lc10" states colour 10 with the "lc10" value last given.
  Drawing.AttrUnset[kAttrLc10] = false;
}

void EmitLineType(std::int32_t line_type) {
  if (TakeIfChanged(kAttrLineType, Drawing.CurLineType, line_type))
    PutIntLine("lt", line_type);
}

void EmitLineWidth(std::int32_t width) {
  // An input without widths came from a host that does not read them back.
  if (!Drawing.LwSeen) return;
  if (width == -1) width = Drawing.FirstLineWidth;
  if (width < 0 || width > 30000) width = 0;
  if (TakeIfChanged(kAttrLineWidth, Drawing.CurLineWidth, width))
    PutIntLine("lw", width);
}

void EmitCc(std::int32_t value) {
  if (value < 0 || value > 8) value = 0;
  if (TakeIfChanged(kAttrCc, Drawing.CurCc, value)) PutIntLine("cc", value);
}

void EmitPointColor(std::int32_t color) {
  if (TakeIfChanged(kAttrPointColor, Drawing.CurPointColor, color))
    PutIntLine("pn", color);
}

void EmitLc10(std::int32_t value) {
  TDrawingState& d = Drawing;
  if (value < 0 || value > 0xFFFFFF) value = 0;
  if (!d.AttrUnset[kAttrColor] && d.CurColor == 10 && !d.AttrUnset[kAttrLc10] &&
      value == d.CurLc10Value)
    return;
  PutIntLine("lc10 ", value);
  d.CurLc10Value = value;
  d.AttrUnset[kAttrLc10] = false;
  d.CurColor = 10;
  d.AttrUnset[kAttrColor] = false;
}

void EmitTextType(std::int32_t text_type, std::int32_t color, double width,
                  double height, double spacing) {
  TDrawingState& d = Drawing;
  if (text_type < 0 || text_type > 10) {
    text_type = d.FirstTextType;
    if (text_type == 0) {
      color = d.FirstTextColor;
      width = d.FirstTextWidth;
      height = d.FirstTextHeight;
      spacing = d.FirstTextSpacing;
    } else if (text_type < 0 || text_type > 10) {
      // No type to fall back on: the size the text was read with. Writing
      // the unknown number would make the next reading fall back on
      // another first type.
      text_type = 0;
    }
  }
  const bool explicit_size_changed =
      text_type == 0 && (width != d.CurTextWidth || height != d.CurTextHeight ||
                         spacing != d.CurTextSpacing || color != d.CurTextColor);
  if (!d.AttrUnset[kAttrTextType] && text_type == d.CurTextType &&
      !explicit_size_changed)
    return;

  if (text_type != 0) {
    PutIntLine("cn", text_type);
  } else {
    std::string& line = StartOutputLine("cn0 ");
    AppendReal(line, width);
    line.push_back(' ');
    AppendReal(line, height);
    line.push_back(' ');
    AppendReal(line, spacing);
    line.push_back(' ');
    AppendReal(line, static_cast<double>(color));
    AppendOutputLine(line);
    d.CurTextWidth = width;
    d.CurTextHeight = height;
    d.CurTextSpacing = spacing;
    d.CurTextColor = color;
  }
  d.CurTextType = text_type;
  d.AttrUnset[kAttrTextType] = false;
}

void EmitFontName(std::string_view name) {
  TDrawingState& d = Drawing;
  const auto unnamed = [](std::string_view font) { return font.empty() || font == "<>"; };
  // Without a first name to fall back on, the reader's own default, so that
  // no output holds a name the next reading would replace otherwise.
  if (unnamed(name)) name = unnamed(d.FirstFontName) ? kDefaultFontName : d.FirstFontName;
  if (!d.AttrUnset[kAttrFont] && name == d.CurFontName) return;
  // The quote makes the reader take the rest of the line, blanks included.
  std::string& line = StartOutputLine("cn\"$");
  line.append(name);
  AppendOutputLine(line);
  d.CurFontName.assign(name);
  d.AttrUnset[kAttrFont] = false;
}

void EmitZFlags(std::int32_t flags) {
  if (flags & 1) AppendOutputLine("z1");
  if (flags & 2) AppendOutputLine("z2");
  if (flags & 4) AppendOutputLine("z3");
  if ((flags & 8) && !(flags & 16)) AppendOutputLine("z4");
  if (flags & 16) AppendOutputLine("z5");
}

}  // namespace kx27
