#include "app/picture/highlight.h"

namespace kx27 {

TLayerSet TLayerSet::Cell(int group, int layer) {
  TLayerSet set;
  set.Add(group, layer);
  return set;
}

TLayerSet TLayerSet::Range(const TGridRange& range) {
  TLayerSet set;
  for (int row = range.Top; row <= range.Bottom; ++row)
    for (int col = range.Left; col <= range.Right; ++col) set.Add(row - 1, col - 1);
  return set;
}

TLayerSet TLayerSet::Group(int group) {
  TLayerSet set;
  for (int layer = 0; layer < 16; ++layer) set.Add(group, layer);
  return set;
}

void TLayerSet::Add(int group, int layer) {
  if (group >= 0 && group < 16 && layer >= 0 && layer < 16)
    layers_.set(static_cast<std::size_t>(group * 16 + layer));
}

TItemLook LookOf(const TPictureFocus& focus, const TPictureItem& item) {
  TItemLook look;
  if (!focus.Layers.Empty())
    look.Highlight = focus.Layers.Contains(item.Group, item.Layer) ? THighlight::kHighlighted
                                                                   : THighlight::kDimmed;
  look.Emphasised = focus.EmphasiseChanges && item.ChangesWithOk();
  return look;
}

}  // namespace kx27
