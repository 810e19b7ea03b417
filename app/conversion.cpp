#include "app/conversion.h"

#include "exchange/drawing_state.h"
#include "exchange/output_buffer.h"

namespace kx27 {
namespace {

// True when line_type changed: to the preset's value for the element's
// group and layer, where that value is above 0.
bool ApplyLineType(const TPreset& preset, const TCommonAttrs& place, std::int32_t& line_type) {
  // The reader keeps group and layer in 0..15; the check keeps a record
  // that is not so from reading outside the table.
  if (place.Group < 0 || place.Group > 15 || place.Layer < 0 || place.Layer > 15) return false;
  const std::int32_t value = preset.Values[place.Group * 16 + place.Layer];
  if (value <= 0 || value == line_type) return false;
  line_type = value;
  return true;
}

template <typename Records>
std::int64_t ApplyToAll(const TPreset& preset, Records& records) {
  std::int64_t changed = 0;
  for (auto& rec : records) changed += ApplyLineType(preset, rec, rec.LineType);
  return changed;
}

}  // namespace

std::int64_t ApplyLineTypes(const TPreset& preset, bool dimensions) {
  std::int64_t changed = ApplyToAll(preset, Store.Lines) +
                         ApplyToAll(preset, Store.Circles) +
                         ApplyToAll(preset, Store.Arcs);
  // A dimension is written on its own group and layer, whatever its line's
  // were when that line was read.
  if (dimensions)
    for (TDimRec& dim : Store.Dims) changed += ApplyLineType(preset, dim, dim.Line.LineType);
  return changed;
}

TWriteBackProblem FindWriteBackProblem(bool read_to_end) {
  if (!read_to_end) return TWriteBackProblem::kIncompleteRead;
  if (!Store.Blocks.empty()) return TWriteBackProblem::kBlockFigures;
  return TWriteBackProblem::kNone;
}

std::int64_t ConvertAndWrite(const TPreset& preset, bool dimensions,
                             TWriteProgress& progress) {
  const std::int64_t changed = ApplyLineTypes(preset, dimensions);
  AppendOutputLine("hd");
  WriteElements(progress);
  return changed;
}

}  // namespace kx27
