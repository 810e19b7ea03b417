#pragma once

// Labels of layer groups and layers as the drawing names them ("lgn",
// "lyn"): the number as one upper-case hex digit, a blank and the name, or
// the number alone where the drawing gives no name. Shift_JIS.

#include <string>

#include "exchange/drawing.h"

namespace kx27 {

std::string GroupLabel(const TDrawingState& drawing, int group);
std::string LayerLabel(const TDrawingState& drawing, int group, int layer);

}  // namespace kx27
