#include "app/picture/highlight.h"

#include <gtest/gtest.h>

#include <string>

namespace kx27 {
namespace {

// The 256 layers as a text, "1" where the set holds the layer.
std::string Layers(const TLayerSet& set) {
  std::string layers;
  for (int group = 0; group < 16; ++group)
    for (int layer = 0; layer < 16; ++layer) layers += set.Contains(group, layer) ? '1' : '0';
  return layers;
}

std::string Only(std::initializer_list<std::pair<int, int>> places) {
  std::string layers(256, '0');
  for (const auto& [group, layer] : places)
    layers[static_cast<std::size_t>(group * 16 + layer)] = '1';
  return layers;
}

TEST(TLayerSet, CellRangeAndGroup) {
  const std::pair<TLayerSet, std::string> cases[] = {
      {TLayerSet::Cell(0, 0), Only({{0, 0}})},
      {TLayerSet::Cell(15, 15), Only({{15, 15}})},
      {TLayerSet::Cell(16, 0), Only({})},
      {TLayerSet::Cell(-1, 3), Only({})},
      // Grid columns are layers + 1, rows groups + 1.
      {TLayerSet::Range(RangeBetween(3, 2, 2, 3)), Only({{1, 1}, {1, 2}, {2, 1}, {2, 2}})},
      {TLayerSet::Range(RangeBetween(5, 1, 5, 1)), Only({{0, 4}})},
      {TLayerSet::Group(2), Only({{2, 0},
                                  {2, 1},
                                  {2, 2},
                                  {2, 3},
                                  {2, 4},
                                  {2, 5},
                                  {2, 6},
                                  {2, 7},
                                  {2, 8},
                                  {2, 9},
                                  {2, 10},
                                  {2, 11},
                                  {2, 12},
                                  {2, 13},
                                  {2, 14},
                                  {2, 15}})},
      {TLayerSet{}, Only({})},
  };
  for (const auto& [set, layers] : cases) {
    EXPECT_EQ(Layers(set), layers);
    EXPECT_EQ(set.Empty(), layers == Only({}));
  }
  EXPECT_EQ(Layers(TLayerSet::Range(RangeBetween(1, 1, 16, 16))), std::string(256, '1'));
}

TEST(LookOf, HighlightsThePointedLayersAndDimsTheRest) {
  TPictureItem on_cell, elsewhere, changing, outside;
  on_cell.Group = 1, on_cell.Layer = 2;
  elsewhere.Group = 1, elsewhere.Layer = 3;
  changing.Group = 4, changing.Layer = 0, changing.LineTypeNow = 1, changing.LineTypeAfter = 2;
  outside.Group = kNoPlace, outside.Layer = 2;
  struct TCase {
    TPictureFocus Focus;
    const TPictureItem* Item;
    THighlight Highlight;
    bool Emphasised;
  };
  const TCase cases[] = {
      {{TLayerSet::Cell(1, 2), false}, &on_cell, THighlight::kHighlighted, false},
      {{TLayerSet::Cell(1, 2), false}, &elsewhere, THighlight::kDimmed, false},
      {{TLayerSet::Group(1), false}, &elsewhere, THighlight::kHighlighted, false},
      {{TLayerSet::Group(1), false}, &outside, THighlight::kDimmed, false},
      // Nothing pointed at: nothing dims.
      {{TLayerSet{}, false}, &elsewhere, THighlight::kNormal, false},
      {{TLayerSet{}, true}, &changing, THighlight::kNormal, true},
      {{TLayerSet{}, true}, &on_cell, THighlight::kNormal, false},
      {{TLayerSet::Cell(1, 2), true}, &changing, THighlight::kDimmed, true},
      {{TLayerSet::Cell(1, 2), false}, &changing, THighlight::kDimmed, false},
  };
  for (const TCase& c : cases) {
    const TItemLook look = LookOf(c.Focus, *c.Item);
    EXPECT_EQ(look.Highlight, c.Highlight) << &c - cases;
    EXPECT_EQ(look.Emphasised, c.Emphasised) << &c - cases;
  }
}

}  // namespace
}  // namespace kx27
