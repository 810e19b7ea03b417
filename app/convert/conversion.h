#pragma once

// The tool's drawing work: line types by layer, then "hd" and every element.

#include <array>
#include <cstdint>

#include "app/presets/preset.h"
#include "exchange/drawing.h"
#include "exchange/write_elements.h"
#include "exchange/writer.h"

namespace kx27 {

// Sets one attribute of every line, circle and arc (and, when asked, of
// every dimension line) from a value by group and layer: values[group * 16 +
// layer], each already one the attribute may take (a preset holds only
// line types); a value of 0 keeps what the element has. A second rule,
// colour by layer say, is one more of these.
struct TLayerRule {
  std::int32_t TCommonAttrs::*Attribute;
};

inline constexpr TLayerRule kLineTypeByLayer{&TCommonAttrs::LineType};

// A rule's values by group and layer: what an element gets.
class TLayerValues {
 public:
  explicit TLayerValues(const std::array<std::int32_t, 256>& values);

  // The attribute that an element on place's group and layer ends with when
  // it has current now: the layer's value where that is above 0, else current.
  std::int32_t ValueFor(const TCommonAttrs& place, std::int32_t current) const;

 private:
  std::array<std::int32_t, 256> values_;
};

// Whether the rule reaches elements of kind: lines, circles and arcs, and
// with dimensions the line of a dimension (placed on the dimension's own
// group and layer).
constexpr bool RuleReaches(TKind kind, bool dimensions) {
  return kind == kLine || kind == kCircle || kind == kArc || (dimensions && kind == kDim);
}

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
