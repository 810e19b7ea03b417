#pragma once

// What the read drawing holds on each layer group and layer, counted once
// after reading, so that the dialog can mark layers and tell how many
// elements a preset changes without walking the elements again.

#include <array>
#include <cstdint>
#include <vector>

#include "exchange/drawing.h"

namespace kx27 {

// The elements whose line type a preset may set.
enum class TConvertible : int { kLine, kCircle, kArc, kDimensionLine };
inline constexpr int kConvertibleKinds = 4;

// Cells are numbered as in a preset: group * 16 + layer.
class TLayerSummary {
 public:
  TLayerSummary();

  // An element whose place (group and layer) decides its line type, which is
  // line_type now: a dimension's line goes by the dimension's place.
  void Add(TConvertible kind, const TCommonAttrs& place, std::int32_t line_type);

  // Elements of this kind on the cell.
  std::int64_t Count(TConvertible kind, int cell) const;

  // Lines, circles and arcs on the cell, and dimension lines with dimensions.
  std::int64_t Elements(int cell, bool dimensions) const;

  // How many of them a preset value changes: with a value above 0, those
  // whose line type differs from it.
  std::int64_t Changed(int cell, std::int32_t value, bool dimensions) const;

 private:
  static constexpr int kTrackedTypes = 63;  // line types 0..62; a preset holds no other

  static std::size_t TypeIndex(TConvertible kind, int cell, std::int32_t type);

  std::array<std::array<std::int64_t, 256>, kConvertibleKinds> counts_{};
  std::vector<std::int64_t> with_type_;  // [kind][cell][line type]
};

TLayerSummary SummarizeLayers(const TElementStore& store);

// Elements that a preset's values change, the sum of Changed over the cells.
std::int64_t ChangedElements(const TLayerSummary& summary,
                             const std::array<std::int32_t, 256>& values, bool dimensions);

}  // namespace kx27
