#pragma once

// What kx27c prints for --dry-run and --show-preset: Shift_JIS text, since
// the names come from the drawing, one line per "\n".

#include <string>

#include "app/convert/layer_summary.h"
#include "app/presets/preset.h"
#include "exchange/drawing.h"

namespace kx27 {

// For every group and layer whose elements the preset would change: the
// labels, the new line type with its name and how many elements, then the
// total.
std::string DryRunReport(const TDrawingState& drawing, const TLayerSummary& summary,
                         const TPreset& preset, bool dimensions);

// The comment and the 16 x 16 values of a preset, one group a row. With a
// drawing, each row ends with its group's name and the named layers follow
// the table.
std::string PresetReport(int preset_no, const TPreset& preset, const TDrawingState* drawing);

}  // namespace kx27
