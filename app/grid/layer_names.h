#pragma once

// Labels of layer groups and layers as the drawing names them ("lgn",
// "lyn"): the number as one upper-case hex digit, a blank and the name, or
// the number alone where the drawing gives no name. Shift_JIS.

#include <string>
#include <string_view>

#include "app/grid/preset_grid.h"
#include "exchange/drawing.h"

namespace kx27 {

// The names as they are shown: without the blanks the host may write
// around them.
std::string_view GroupName(const TDrawingState& drawing, int group);
std::string_view LayerName(const TDrawingState& drawing, int group, int layer);

std::string GroupLabel(const TDrawingState& drawing, int group);
std::string LayerLabel(const TDrawingState& drawing, int group, int layer);

// The grid's headers: every group's label down column 0, and along row 0 the
// labels of the layers of group (the selected cell's).
void LabelGridHeaders(TGridCells& cells, const TDrawingState& drawing, int group);

}  // namespace kx27
