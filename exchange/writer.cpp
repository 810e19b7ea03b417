#include "exchange/writer.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

#include "text/number_format.h"
#include "text/shift_jis.h"

namespace kx27 {

namespace {

// Writes an attribute's line with put() where value is not what the output
// stated last, and remembers it; true when it wrote.
template <typename T, typename V, typename Put>
bool PutOnChange(std::optional<T>& stated, const V& value, Put&& put) {
  if (stated == value) return false;
  put();
  stated.emplace(value);
  return true;
}

}  // namespace

bool SameWriterFacts(const TDrawingState& a, const TDrawingState& b) {
  const TAttributeSet& first_a = a.FirstSeen;
  const TAttributeSet& first_b = b.FirstSeen;
  return a.BzFlag == b.BzFlag && a.LwSeen == b.LwSeen && first_a.Group == first_b.Group &&
         first_a.Layer == first_b.Layer && first_a.LineWidth == first_b.LineWidth &&
         first_a.TextType == first_b.TextType && first_a.TextColor == first_b.TextColor &&
         first_a.TextWidth == first_b.TextWidth && first_a.TextHeight == first_b.TextHeight &&
         first_a.TextSpacing == first_b.TextSpacing && first_a.FontName == first_b.FontName;
}

void TWriter::PutIntLine(std::string_view keyword, std::int32_t value) {
  std::string& line = StartLine(keyword);
  AppendInt(line, value);
  output_.AppendLine(line);
}

// Group and layer numbers are single hexadecimal digits in the file.
void TWriter::PutHexLine(std::string_view keyword, std::int32_t value) {
  std::string& line = StartLine(keyword);
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
  std::transform(digits, end, digits, [](char c) {
    return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  line.append(digits, end);
  output_.AppendLine(line);
}

void TWriter::EmitGroup(std::int32_t group) {
  // The host takes a new group as forgetting the layer.
  if (PutOnChange(stated_.Group, group, [&] { PutHexLine("lg", group); })) stated_.Layer.reset();
}

void TWriter::EmitLayer(std::int32_t layer) {
  PutOnChange(stated_.Layer, layer, [&] { PutHexLine("ly", layer); });
}

void TWriter::EmitColor(std::int32_t color) {
  // A plain "lc10" states colour 10 with the "lc10" value last given, or
  // with 0 before any.
  if (PutOnChange(stated_.Color, color, [&] { PutIntLine("lc", color); }) && !stated_.Lc10Value)
    stated_.Lc10Value = 0;
}

void TWriter::EmitLineType(std::int32_t line_type) {
  PutOnChange(stated_.LineType, line_type, [&] { PutIntLine("lt", line_type); });
}

void TWriter::EmitLineWidth(std::int32_t width) {
  // An input without widths came from a host that does not read them back.
  if (!drawing_.LwSeen) return;
  if (width == -1) width = drawing_.FirstSeen.LineWidth;
  if (width < 0 || width > 30000) width = 0;
  PutOnChange(stated_.LineWidth, width, [&] { PutIntLine("lw", width); });
}

void TWriter::EmitCc(std::int32_t value) {
  if (value < 0 || value > 8) value = 0;
  PutOnChange(stated_.Cc, value, [&] { PutIntLine("cc", value); });
}

void TWriter::EmitPointColor(std::int32_t color) {
  PutOnChange(stated_.PointColor, color, [&] { PutIntLine("pn", color); });
}

void TWriter::EmitLc10(std::int32_t value) {
  if (value < 0 || value > 0xFFFFFF) value = 0;
  if (stated_.Color == 10 && stated_.Lc10Value == value) return;
  PutIntLine("lc10 ", value);
  stated_.Lc10Value = value;
  stated_.Color = 10;
}

void TWriter::EmitTextType(std::int32_t text_type, std::int32_t color, double width, double height,
                           double spacing) {
  const TDrawingState& d = drawing_;
  if (text_type < 0 || text_type > 10) {
    text_type = d.FirstSeen.TextType;
    if (text_type == 0) {
      color = d.FirstSeen.TextColor;
      width = d.FirstSeen.TextWidth;
      height = d.FirstSeen.TextHeight;
      spacing = d.FirstSeen.TextSpacing;
    } else if (text_type < 0 || text_type > 10) {
      // No type to fall back on: the size the text was read with. Writing
      // the unknown number would make the next reading fall back on
      // another first type.
      text_type = 0;
    }
  }
  if (const auto& stated = stated_.TextStyle; stated && stated->Type == text_type) {
    if (text_type != 0) return;
    if (width == stated->Width && height == stated->Height && spacing == stated->Spacing &&
        color == stated->Color)
      return;
  }
  if (text_type != 0) {
    PutIntLine("cn", text_type);
  } else {
    std::string& line = StartLine("cn0 ");
    AppendReal(line, width);
    line.push_back(' ');
    AppendReal(line, height);
    line.push_back(' ');
    AppendReal(line, spacing);
    line.push_back(' ');
    AppendReal(line, static_cast<double>(color));
    output_.AppendLine(line);
  }
  stated_.TextStyle = TTextStyle{text_type, width, height, spacing, color};
}

void TWriter::EmitFontName(std::string_view name) {
  const auto unnamed = [](std::string_view font) { return font.empty() || font == "<>"; };
  // Without a first name to fall back on, the reader's own default, so that
  // no output holds a name the next reading would replace otherwise.
  const std::string_view first = drawing_.FirstSeen.FontName;
  if (unnamed(name)) name = unnamed(first) ? kDefaultFontName : first;
  // Compared as the line will carry it: names that differ only past the
  // line's end read back as one, and must be stated as one.
  static constexpr std::string_view kKeyword = "cn\"$";
  name = CutToWholeChars(name, kMaxLineBytes - kKeyword.size());
  PutOnChange(stated_.FontName, name, [&] {
    // The quote makes the reader take the rest of the line, blanks included.
    std::string& line = StartLine(kKeyword);
    line.append(name);
    output_.AppendLine(line);
  });
}

void TWriter::EmitZFlags(std::int32_t flags) {
  if (flags & 1) output_.AppendLine("z1");
  if (flags & 2) output_.AppendLine("z2");
  if (flags & 4) output_.AppendLine("z3");
  if ((flags & 8) && !(flags & 16)) output_.AppendLine("z4");
  if (flags & 16) output_.AppendLine("z5");
}

}  // namespace kx27
