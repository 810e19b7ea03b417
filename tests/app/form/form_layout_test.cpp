#include "app/form/form_layout.h"

#include <gtest/gtest.h>

#include "app/grid/view.h"

namespace kx27 {
namespace {

constexpr int kDpis[] = {96, 120, 144, 168, 192};

TGridView ViewAt(int dpi) {
  TGridView view;
  SetScale(view, dpi);
  return view;
}

// The width of the value cells a grid of this box shows.
int CellWidthIn(const TFormRect& grid, const TFormMetrics& metrics) {
  TGridView view = ViewAt(metrics.Dpi);
  SetClientSize(view, grid.Width - metrics.GridFrameWidth, grid.Height - metrics.GridFrameHeight);
  return view.CellWidth;
}

bool Inside(const TFormRect& inner, const TFormRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right() <= outer.Right() &&
         inner.Bottom() <= outer.Bottom();
}

bool Overlap(const TFormRect& a, const TFormRect& b) {
  return !a.Empty() && !b.Empty() && a.Left < b.Right() && b.Left < a.Right() &&
         a.Top < b.Bottom() && b.Top < a.Bottom();
}

TEST(FormLayout, SmallestWindowKeepsThePlacesTheDialogAlwaysHad) {
  const TFormMetrics metrics;
  const TFormSize minimum = MinimumClientSize(metrics);
  EXPECT_EQ(minimum, (TFormSize{648, 393}));
  const TFormLayout layout = LayOutForm(metrics, minimum);
  const struct {
    const char* name;
    TFormRect got, want;
  } cases[] = {
      {"tabs", layout.Tabs, {0, 0, 441, 338}},
      {"comment", layout.Comment, {64, 24, 369, 21}},
      {"clear", layout.ClearPreset, {280, 44, 73, 20}},
      {"import", layout.ImportJwf, {360, 44, 73, 20}},
      {"grid", layout.Grid, {24, 64, 409, 237}},
      {"cell info", layout.CellInfo, {24, 303, 409, 30}},
      {"dimensions", layout.Dimensions, {8, 346, 425, 17}},
      {"guide text", layout.GuideText, {448, 0, 193, 291}},
      {"ok", layout.Ok, {448, 298, 193, 33}},
      {"cancel", layout.Cancel, {448, 338, 193, 25}},
      {"status", layout.Status, {0, 369, 648, 24}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.name;
  EXPECT_TRUE(layout.Picture.Empty());
  // A client area smaller than that is laid out as the smallest.
  EXPECT_EQ(LayOutForm(metrics, {300, 200}).Grid, layout.Grid);
}

TEST(FormLayout, OpensShowingTheWholeTableAndThePictureWhereTheScreenAllows) {
  for (int dpi : kDpis) {
    const TFormMetrics metrics{dpi, 4 + dpi * 17 / 96, 4 + dpi * 17 / 96};
    const TFormSize size = OpeningClientSize(metrics, {4000, 3000});
    const TFormLayout layout = LayOutForm(metrics, size);
    const TGridView view = ViewAt(dpi);
    EXPECT_GE(layout.Grid.Width - metrics.GridFrameWidth, WholeTableWidth(view)) << dpi;
    EXPECT_GE(layout.Grid.Height - metrics.GridFrameHeight, WholeTableHeight(view)) << dpi;
    EXPECT_GE(layout.Picture.Width, 400 * dpi / 96) << dpi;

    // A smaller screen: as much as it has, never below the smallest window.
    const TFormSize minimum = MinimumClientSize(metrics);
    const TFormSize small = OpeningClientSize(metrics, {1000, 500});
    EXPECT_EQ(small, (TFormSize{std::max(1000, minimum.Width), std::max(500, minimum.Height)}))
        << dpi;
  }
}

// Every width from the smallest to a wide screen: the parts stay inside the
// window and apart, the picture shows only with room for its boxes and
// beside the whole table, which narrows its cells once to make room for it;
// otherwise neither the cells nor the picture ever shrink as the window
// grows.
TEST(FormLayout, WideningTheWindowGrowsTheCellsAndThePictureBesideTheWholeTable) {
  for (int dpi : kDpis) {
    const TFormMetrics metrics{dpi, 4 + dpi * 17 / 96, 4 + dpi * 17 / 96};
    const TFormSize minimum = MinimumClientSize(metrics);
    const int height = OpeningClientSize(metrics, {4000, 3000}).Height;
    const TGridView view = ViewAt(dpi);
    TFormLayout last = LayOutForm(metrics, {minimum.Width, height});
    int narrowed = 0;  // the widths at which the cells narrowed
    for (int width = minimum.Width; width < 3000 * dpi / 96; width += 3) {
      const TFormLayout layout = LayOutForm(metrics, {width, height});
      const TFormRect client{0, 0, width, height};
      for (const TFormRect& part : {layout.Tabs, layout.Picture, layout.GuideText, layout.Ok,
                                    layout.Cancel, layout.Status, layout.Dimensions}) {
        if (!part.Empty()) {
          ASSERT_TRUE(Inside(part, client)) << dpi << " " << width;
        }
      }
      ASSERT_TRUE(Inside(layout.Grid, layout.Tabs)) << dpi << " " << width;
      ASSERT_FALSE(Overlap(layout.Tabs, layout.Picture)) << dpi << " " << width;
      ASSERT_FALSE(Overlap(layout.Picture, layout.GuideText)) << dpi << " " << width;
      ASSERT_FALSE(Overlap(layout.Before, layout.Emphasise)) << dpi << " " << width;
      if (!layout.Picture.Empty()) {
        ASSERT_GE(layout.Picture.Width, 220 * dpi / 96) << dpi << " " << width;
        ASSERT_GE(layout.Grid.Width - metrics.GridFrameWidth,
                  view.HeaderWidth + 16 * CellWidthIn(layout.Grid, metrics))
            << dpi << " " << width;
        ASSERT_TRUE(
            Inside(layout.Emphasise, {layout.Picture.Left, 0, layout.Picture.Width, height}))
            << dpi << " " << width;
      }
      if (CellWidthIn(layout.Grid, metrics) < CellWidthIn(last.Grid, metrics)) {
        ++narrowed;
        ASSERT_TRUE(last.Picture.Empty() && !layout.Picture.Empty()) << dpi << " " << width;
      }
      ASSERT_GE(layout.Picture.Width, last.Picture.Width) << dpi << " " << width;
      last = layout;
    }
    EXPECT_EQ(narrowed, 1) << dpi;
  }
}

}  // namespace
}  // namespace kx27
