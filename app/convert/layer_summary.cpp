#include "app/convert/layer_summary.h"

namespace kx27 {
namespace {

constexpr TConvertible kPlainKinds[] = {TConvertible::kLine, TConvertible::kCircle,
                                        TConvertible::kArc};

template <typename Records>
void AddAll(TLayerSummary& summary, TConvertible kind, const Records& records) {
  for (const auto& rec : records) summary.Add(kind, rec, rec.LineType);
}

}  // namespace

TLayerSummary::TLayerSummary()
    : with_type_(static_cast<std::size_t>(kConvertibleKinds) * 256 * kTrackedTypes) {}

void TLayerSummary::Add(TConvertible kind, const TCommonAttrs& place, std::int32_t line_type) {
  // The reader keeps group and layer in 0..15; a record outside them is on
  // no cell, and the conversion leaves it alone as well.
  if (place.Group < 0 || place.Group > 15 || place.Layer < 0 || place.Layer > 15) return;
  const int cell = place.Group * 16 + place.Layer;
  ++counts_[static_cast<std::size_t>(kind)][static_cast<std::size_t>(cell)];
  if (line_type >= 0 && line_type < kTrackedTypes) ++with_type_[TypeIndex(kind, cell, line_type)];
}

std::int64_t TLayerSummary::Count(TConvertible kind, int cell) const {
  return counts_[static_cast<std::size_t>(kind)][static_cast<std::size_t>(cell)];
}

std::int64_t TLayerSummary::Elements(int cell, bool dimensions) const {
  std::int64_t total = 0;
  for (TConvertible kind : kPlainKinds) total += Count(kind, cell);
  if (dimensions) total += Count(TConvertible::kDimensionLine, cell);
  return total;
}

std::int64_t TLayerSummary::Changed(int cell, std::int32_t value, bool dimensions) const {
  if (value <= 0 || value >= kTrackedTypes) return 0;
  std::int64_t total = 0;
  for (TConvertible kind : kPlainKinds)
    total += Count(kind, cell) - with_type_[TypeIndex(kind, cell, value)];
  if (dimensions) {
    total += Count(TConvertible::kDimensionLine, cell) -
             with_type_[TypeIndex(TConvertible::kDimensionLine, cell, value)];
  }
  return total;
}

std::size_t TLayerSummary::TypeIndex(TConvertible kind, int cell, std::int32_t type) {
  return (static_cast<std::size_t>(kind) * 256 + static_cast<std::size_t>(cell)) * kTrackedTypes +
         static_cast<std::size_t>(type);
}

TLayerSummary SummarizeLayers(const TElementStore& store) {
  TLayerSummary summary;
  AddAll(summary, TConvertible::kLine, store.Lines);
  AddAll(summary, TConvertible::kCircle, store.Circles);
  AddAll(summary, TConvertible::kArc, store.Arcs);
  // As the conversion does: a dimension's line by the dimension's place.
  for (const TDimRec& dim : store.Dims) {
    summary.Add(TConvertible::kDimensionLine, dim, dim.Line.LineType);
  }
  return summary;
}

std::int64_t ChangedElements(const TLayerSummary& summary,
                             const std::array<std::int32_t, 256>& values, bool dimensions) {
  std::int64_t total = 0;
  for (int cell = 0; cell < 256; ++cell) {
    total += summary.Changed(cell, values[static_cast<std::size_t>(cell)], dimensions);
  }
  return total;
}

}  // namespace kx27
