#pragma once

// The tool's drawing work: line types by layer, then "hd" and every element.

#include <array>
#include <cstdint>

#include "app/preset.h"
#include "exchange/drawing.h"
#include "exchange/output_driver.h"
#include "exchange/writer.h"

namespace kx27 {

// Sets one attribute of every line, circle and arc (and, when asked, of
// every dimension line) from a value by group and layer: values[group * 16 +
// layer], passed through filter; a value of 0 keeps what the element has.
// A second rule, colour by layer say, is one more of these.
struct TLayerRule {
  std::int32_t TCommonAttrs::*Attribute;
  std::int32_t (*Filter)(std::int32_t value);
};

inline constexpr TLayerRule kLineTypeByLayer{&TCommonAttrs::LineType, FilterLineType};

// Returns how many attributes changed value.
std::int64_t ApplyLayerRule(TDrawing& drawing, const TLayerRule& rule,
                            const std::array<std::int32_t, 256>& values, bool dimensions);

std::int64_t ApplyLineTypes(TDrawing& drawing, const TPreset& preset, bool dimensions);

struct TConversion {
  std::int64_t Changed = 0;  // ApplyLineTypes' count
  bool Complete = true;      // false: memory ran out and the output is empty
};

// ApplyLineTypes, then "hd" and WriteElements into writer.
TConversion ConvertAndWrite(TDrawing& drawing, const TPreset& preset, bool dimensions,
                            TWriter& writer, TWriteProgress& progress);

}  // namespace kx27
