#include "app/form/form_layout.h"

#include <algorithm>

#include "app/grid/view.h"

namespace kx27 {
namespace {

// Pixels at 100 % scale. The smallest window's places are the ones the
// dialog always had; the right column and the status line keep their size.
constexpr int kMinimumWidth = 648;
constexpr int kMinimumHeight = 393;
constexpr int kMinimumTabs = 441;
constexpr int kRightColumn = 207;  // the notes, OK and Cancel, with their margins
constexpr int kBelowTabs = 55;     // the dimension box and the status line
constexpr int kGridMarginX = 32;   // the strip around the grid
constexpr int kGridMarginY = 101;  // the comment row above it, the cell's strip below
constexpr int kGap = 7;
constexpr int kSmallestPicture = 220;  // room for its two boxes
constexpr int kPreferredPicture = 400;

class TScale {
 public:
  explicit TScale(int dpi) : dpi_(dpi) {}
  int operator()(int size) const { return (size * dpi_ + 48) / 96; }

 private:
  int dpi_;
};

// The strip that shows all 16 columns at the widest cells, or at the
// narrowest.
int WideTabWidth(const TFormMetrics& metrics) {
  TGridView view;
  SetScale(view, metrics.Dpi);
  const TScale s(metrics.Dpi);
  return WholeTableWidth(view) + metrics.GridFrameWidth + s(kGridMarginX);
}

int NarrowTabWidth(const TFormMetrics& metrics) {
  TGridView view;
  SetScale(view, metrics.Dpi);
  const TScale s(metrics.Dpi);
  return view.HeaderWidth + kLastCell * view.NarrowCellWidth + metrics.GridFrameWidth +
         s(kGridMarginX);
}

int WholeTableClientHeight(const TFormMetrics& metrics) {
  TGridView view;
  SetScale(view, metrics.Dpi);
  const TScale s(metrics.Dpi);
  return WholeTableHeight(view) + metrics.GridFrameHeight + s(kGridMarginY) + s(kBelowTabs);
}

// The strip's width and the picture's, from what lies left of the right
// column. The whole table comes first: beside it at its widest cells the
// picture takes what is left; where that is too little for the picture's
// boxes, the cells narrow to leave it the least it needs. Where even the
// narrowest whole table leaves too little, the strip takes all and the
// grid widens its cells up to the widest, leaving the rest blank.
void SplitWidth(const TFormMetrics& metrics, int left, int& tabs, int& picture) {
  const TScale s(metrics.Dpi);
  const int wide = WideTabWidth(metrics);
  const int smallest = s(kSmallestPicture);
  const int rest = left - s(kGap);
  if (rest >= wide + smallest) {
    tabs = wide;
    picture = rest - wide;
  } else if (rest >= NarrowTabWidth(metrics) + smallest) {
    tabs = rest - smallest;
    picture = smallest;
  } else {
    tabs = std::max(left, s(kMinimumTabs));  // not narrower by a pixel of rounding
    picture = 0;
  }
}

}  // namespace

TFormSize MinimumClientSize(const TFormMetrics& metrics) {
  const TScale s(metrics.Dpi);
  return {s(kMinimumWidth), s(kMinimumHeight)};
}

TFormSize WholeTableClientSize(const TFormMetrics& metrics) {
  const TScale s(metrics.Dpi);
  const TFormSize minimum = MinimumClientSize(metrics);
  return {std::max(minimum.Width, WideTabWidth(metrics) + s(kRightColumn)),
          std::max(minimum.Height, WholeTableClientHeight(metrics))};
}

TFormSize OpeningClientSize(const TFormMetrics& metrics, TFormSize largest) {
  const TScale s(metrics.Dpi);
  const TFormSize minimum = MinimumClientSize(metrics);
  const int width = WideTabWidth(metrics) + s(kGap) + s(kPreferredPicture) + s(kRightColumn);
  return {std::max(minimum.Width, std::min(width, largest.Width)),
          std::max(minimum.Height, std::min(WholeTableClientHeight(metrics), largest.Height))};
}

TFormLayout LayOutForm(const TFormMetrics& metrics, TFormSize client) {
  const TScale s(metrics.Dpi);
  const TFormSize minimum = MinimumClientSize(metrics);
  const int width = std::max(client.Width, minimum.Width);
  const int height = std::max(client.Height, minimum.Height);
  int tabs = 0;
  int picture = 0;
  SplitWidth(metrics, width - s(kRightColumn), tabs, picture);
  const int tabs_height = height - s(kBelowTabs);
  const int below = height - s(47);

  TFormLayout layout;
  layout.Tabs = {0, 0, tabs, tabs_height};
  layout.CommentLabel = {s(4), s(28), s(56), s(13)};
  layout.Comment = {s(64), s(24), tabs - s(72), s(21)};
  layout.ClearPreset = {tabs - s(161), s(44), s(73), s(20)};
  layout.ImportJwf = {tabs - s(81), s(44), s(73), s(20)};
  layout.LayerLabel = {s(124), s(48), s(49), s(13)};
  layout.GroupLabel = {s(8), s(96), s(49), s(13)};
  layout.Grid = {s(24), s(64), tabs - s(kGridMarginX), tabs_height - s(kGridMarginY)};
  layout.CellInfo = {s(24), tabs_height - s(35), tabs - s(kGridMarginX), s(30)};
  layout.Dimensions = {s(8), below, std::min(s(425), tabs - s(16)), s(17)};
  if (picture > 0) {
    const int left = tabs + s(kGap);
    layout.Picture = {left, 0, picture, tabs_height};
    layout.Before = {left, below, s(90), s(17)};
    layout.Emphasise = {left + s(96), below, std::min(s(124), picture - s(96)), s(17)};
  }
  const int right = width - s(200);
  layout.GuideText = {right, 0, s(193), height - s(102)};
  layout.Ok = {right, height - s(95), s(193), s(33)};
  layout.Cancel = {right, height - s(55), s(193), s(25)};
  layout.Status = {0, height - s(24), width, s(24)};
  return layout;
}

}  // namespace kx27
