#include "app/convert/conversion.h"

namespace kx27 {
namespace {

constexpr std::size_t kLayers = 256;

class TRuleApplier {
 public:
  TRuleApplier(const TLayerRule& rule, const std::array<std::int32_t, kLayers>& values)
      : attribute_(rule.Attribute), values_(values) {}

  // True when the attribute of target changed: to the value for the group
  // and layer of place.
  bool Apply(const TCommonAttrs& place, TCommonAttrs& target) const {
    std::int32_t& attribute = target.*attribute_;
    const std::int32_t value = values_.ValueFor(place, attribute);
    if (value == attribute) return false;
    attribute = value;
    return true;
  }

  template <typename Rec>
  std::int64_t ApplyToAll(std::vector<Rec>& records) const {
    std::int64_t changed = 0;
    for (Rec& rec : records) changed += Apply(rec, rec);
    return changed;
  }

 private:
  std::int32_t TCommonAttrs::*attribute_;
  TLayerValues values_;
};

}  // namespace

TLayerValues::TLayerValues(const std::array<std::int32_t, 256>& values) : values_(values) {}

std::int32_t TLayerValues::ValueFor(const TCommonAttrs& place, std::int32_t current) const {
  // The reader keeps group and layer in 0..15; the check keeps a record
  // that is not so from reading outside the table.
  if (place.Group < 0 || place.Group > 15 || place.Layer < 0 || place.Layer > 15) return current;
  const std::int32_t value = values_[static_cast<std::size_t>(place.Group * 16 + place.Layer)];
  return value > 0 ? value : current;
}

std::int64_t ApplyLayerRule(TDrawing& drawing, const TLayerRule& rule,
                            const std::array<std::int32_t, 256>& values, bool dimensions) {
  const TRuleApplier applier(rule, values);
  TElementStore& store = drawing.Store;
  std::int64_t changed = applier.ApplyToAll(RecordsOf<TLineRec>(store)) +
                         applier.ApplyToAll(RecordsOf<TCircleRec>(store)) +
                         applier.ApplyToAll(RecordsOf<TArcRec>(store));
  // A dimension is written on its own group and layer, whatever its line's
  // were when that line was read.
  if (RuleReaches(kDim, dimensions))
    for (TDimRec& dim : RecordsOf<TDimRec>(store)) changed += applier.Apply(dim, dim.Line);
  return changed;
}

std::int64_t ApplyLineTypes(TDrawing& drawing, const TPreset& preset, bool dimensions) {
  return ApplyLayerRule(drawing, kLineTypeByLayer, preset.Values, dimensions);
}

TConversion ConvertAndWrite(TDrawing& drawing, const TPreset& preset, bool dimensions,
                            TWriter& writer, TWriteProgress& progress) {
  TConversion conversion;
  conversion.Changed = ApplyLineTypes(drawing, preset, dimensions);
  writer.Output().AppendLine("hd");
  conversion.Complete = WriteElements(drawing, writer, progress);
  return conversion;
}

}  // namespace kx27
