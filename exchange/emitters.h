#pragma once

// Attribute lines of the output, each written only where it changes.

#include <cstdint>
#include <string_view>

namespace kx27 {

// Turns the current attribute set into output tracking: defaults, and every
// attribute marked as not yet stated.
void ResetOutputState();

void EmitGroup(std::int32_t group);
void EmitLayer(std::int32_t layer);
void EmitColor(std::int32_t color);
void EmitLineType(std::int32_t line_type);
void EmitLineWidth(std::int32_t width);
void EmitCc(std::int32_t value);
void EmitPointColor(std::int32_t color);
void EmitLc10(std::int32_t value);
void EmitTextType(std::int32_t text_type, std::int32_t color, double width,
                  double height, double spacing);
void EmitFontName(std::string_view name);
void EmitZFlags(std::int32_t flags);

}  // namespace kx27
