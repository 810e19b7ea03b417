#pragma once

// Attribute lines: one write's output, and the attributes last stated in
// it, so that each attribute line is written only where its value changes.
// Created per write; the drawing it writes lends the first-seen values that
// stand in for missing ones.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "exchange/drawing.h"
#include "exchange/output_buffer.h"

namespace kx27 {

struct TTextStyle {
  std::int32_t Type = 0;
  // The explicit size of type 0; unused for the numbered types.
  double Width = 0, Height = 0, Spacing = 0;
  std::int32_t Color = 0;
};

// What the output has stated so far; nothing for an attribute not yet
// stated, whose next emitter call therefore writes its line.
struct TStatedAttributes {
  std::optional<std::int32_t> Group;
  std::optional<std::int32_t> Layer;
  std::optional<std::int32_t> Color;
  std::optional<std::int32_t> LineType;
  std::optional<std::int32_t> LineWidth;
  std::optional<std::int32_t> Cc;
  std::optional<std::int32_t> PointColor;
  // The value that a plain "lc10" stands for.
  std::optional<std::int32_t> Lc10Value;
  std::optional<TTextStyle> TextStyle;
  std::optional<std::string> FontName;
};

// Whether writers of the two drawings write the same elements alike: the
// values they fall back on are equal, and so is whether "bz" and "lw" lines
// were read.
bool SameWriterFacts(const TDrawingState& a, const TDrawingState& b);

class TWriter {
 public:
  explicit TWriter(const TDrawingState& drawing) : drawing_(drawing) {}

  // A writer that only follows what the output states, for skipping ahead
  // cheaply: element lines are left out, attribute lines still written.
  static TWriter Tracking(const TDrawingState& drawing) {
    TWriter writer(drawing);
    writer.formats_ = false;
    return writer;
  }

  // Whether element lines are written.
  bool Formats() const { return formats_; }

  // Goes on from where other stands: the same attributes count as stated.
  void ContinueFrom(const TWriter& other) { stated_ = other.stated_; }

  TOutputBuffer& Output() { return output_; }
  const TOutputBuffer& Output() const { return output_; }
  const TDrawingState& Drawing() const { return drawing_; }

  // Attribute lines, each written only where its value changes.
  void EmitGroup(std::int32_t group);
  void EmitLayer(std::int32_t layer);
  void EmitColor(std::int32_t color);
  void EmitLineType(std::int32_t line_type);
  void EmitLineWidth(std::int32_t width);
  void EmitCc(std::int32_t value);
  void EmitPointColor(std::int32_t color);
  void EmitLc10(std::int32_t value);
  void EmitTextType(std::int32_t text_type, std::int32_t color, double width, double height,
                    double spacing);
  void EmitFontName(std::string_view name);
  // The z lines of the one element that follows: written every time.
  void EmitZFlags(std::int32_t flags);

 private:
  // A cleared line that starts with keyword, reused for every attribute
  // line: format a line in it, then hand it to output_.AppendLine.
  std::string& StartLine(std::string_view keyword) {
    line_.assign(keyword);
    return line_;
  }
  void PutIntLine(std::string_view keyword, std::int32_t value);
  void PutHexLine(std::string_view keyword, std::int32_t value);

  const TDrawingState& drawing_;
  TOutputBuffer output_;
  TStatedAttributes stated_;
  std::string line_;
  bool formats_ = true;
};

}  // namespace kx27
