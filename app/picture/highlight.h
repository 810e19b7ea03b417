#pragma once

// Which elements the picture brings forward: those of the layers the grid
// points at (the selected cell's, a range's, or a group's while its header
// is hovered), the rest dimmed; and, when asked, those whose line type OK
// changes.

#include <bitset>
#include <cstdint>

#include "app/grid/range.h"
#include "app/picture/picture.h"

namespace kx27 {

class TLayerSet {
 public:
  static TLayerSet Cell(int group, int layer);
  // The grid's range: its rows are groups + 1, its columns layers + 1.
  static TLayerSet Range(const TGridRange& range);
  static TLayerSet Group(int group);

  bool Empty() const { return layers_.none(); }
  bool Contains(int group, int layer) const {
    return group >= 0 && group < 16 && layer >= 0 && layer < 16 &&
           layers_.test(static_cast<std::size_t>(group * 16 + layer));
  }
  void Add(int group, int layer);

 private:
  std::bitset<256> layers_;
};

enum class THighlight : std::uint8_t { kNormal, kHighlighted, kDimmed };

struct TPictureFocus {
  TLayerSet Layers;  // empty: nothing is pointed at and nothing dims
  bool EmphasiseChanges = false;
};

struct TItemLook {
  THighlight Highlight = THighlight::kNormal;
  bool Emphasised = false;  // its line type changes with OK, and that is asked for
};

TItemLook LookOf(const TPictureFocus& focus, const TPictureItem& item);

}  // namespace kx27
