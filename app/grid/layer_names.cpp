#include "app/grid/layer_names.h"

#include <string_view>

#include "text/conversions.h"

namespace kx27 {
namespace {

std::string Label(int number, std::string_view name) {
  std::string label(1, "0123456789ABCDEF"[number & 15]);
  if (!name.empty()) {
    label += ' ';
    label += name;
  }
  return label;
}

}  // namespace

std::string_view GroupName(const TDrawingState& drawing, int group) {
  return TrimBlanks(drawing.GroupNames[static_cast<std::size_t>(group & 15)]);
}

std::string_view LayerName(const TDrawingState& drawing, int group, int layer) {
  return TrimBlanks(drawing.LayerNames[static_cast<std::size_t>(group & 15)]
                                      [static_cast<std::size_t>(layer & 15)]);
}

std::string GroupLabel(const TDrawingState& drawing, int group) {
  return Label(group, GroupName(drawing, group));
}

std::string LayerLabel(const TDrawingState& drawing, int group, int layer) {
  return Label(layer, LayerName(drawing, group, layer));
}

void LabelGridHeaders(TGridCells& cells, const TDrawingState& drawing, int group) {
  for (int i = 1; i < kGridSize; ++i) {
    cells[static_cast<std::size_t>(i)][0] = GroupLabel(drawing, i - 1);
    cells[0][static_cast<std::size_t>(i)] = LayerLabel(drawing, group, i - 1);
  }
}

}  // namespace kx27
