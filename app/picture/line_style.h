#pragma once

// How a line of each line type is stroked in the picture: the patterns of
// the line-type list's samples, in pixels at 100 % scale, since the host
// draws its patterns in screen units whatever the zoom.

#include <cstdint>

#include "app/presets/line_type_pattern.h"

namespace kx27 {

// One period of a random line's wave, in pixels at 100 % scale.
inline constexpr double kWavePeriodPixels = 16;

// LineTypePattern, except that a line whose type is none of the host's, or
// a user SXF type whose pattern lives in the drawing, is drawn solid.
TLineTypePattern PictureLinePattern(std::int32_t line_type);

}  // namespace kx27
