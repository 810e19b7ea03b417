#include "app/conversion.h"

#include "exchange/drawing_state.h"
#include "exchange/output_buffer.h"

namespace kx27 {
namespace {

// True when the record's line type changed.
bool ApplyLineType(const TPreset& preset, TCommonAttrs& rec) {
  // The reader keeps group and layer in 0..15; the check keeps a record
  // that is not so from reading outside the table.
  if (rec.Group < 0 || rec.Group > 15 || rec.Layer < 0 || rec.Layer > 15) return false;
  const std::int32_t value = preset.Values[rec.Group * 16 + rec.Layer];
  if (value <= 0 || value == rec.LineType) return false;
  rec.LineType = value;
  return true;
}

template <typename Records>
std::int64_t ApplyToAll(const TPreset& preset, Records& records) {
  std::int64_t changed = 0;
  for (auto& rec : records) changed += ApplyLineType(preset, rec);
  return changed;
}

}  // namespace

std::int64_t ApplyLineTypes(const TPreset& preset, bool dimensions) {
  std::int64_t changed = ApplyToAll(preset, Store.Lines) +
                         ApplyToAll(preset, Store.Circles) +
                         ApplyToAll(preset, Store.Arcs);
  if (dimensions)
    for (TDimRec& dim : Store.Dims) changed += ApplyLineType(preset, dim.Line);
  return changed;
}

std::int64_t ConvertAndWrite(const TPreset& preset, bool dimensions,
                             TWriteProgress& progress) {
  const std::int64_t changed = ApplyLineTypes(preset, dimensions);
  AppendOutputLine("hd");
  WriteElements(progress);
  return changed;
}

}  // namespace kx27
