#pragma once

// How a sample of each line type is drawn in the dialog's drop-down list.
// The samples tell the types apart at a glance; the host's own drawing of
// a type may differ in its lengths.

#include <cstdint>
#include <span>

namespace kx27 {

enum class TSampleStyle {
  kNone,         // 0: no line type is set
  kDashes,       // the dash pattern below (solid when it is empty)
  kWave,         // random lines: a wave, the higher the number the wider
  kUserDefined,  // user SXF types take their pattern from the drawing
};

struct TLineTypePattern {
  TSampleStyle Style = TSampleStyle::kNone;
  // Dash, gap, dash, gap ... in pixels at 100 % scale, repeated.
  std::span<const std::uint8_t> Dashes;
  int WaveHeight = 0;  // kWave: peak height in pixels at 100 % scale
};

// The pattern of a preset value; kNone for 0 and for every number that is
// no line type.
TLineTypePattern LineTypePattern(std::int32_t value);

}  // namespace kx27
