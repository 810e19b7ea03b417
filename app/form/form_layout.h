#pragma once

// Where each part of the dialog lies for a client area of a given size, in
// pixels at the window's scale. The smallest window is the one the dialog
// always had, with the same places; room beyond it goes first to showing
// the whole table, then to wider cells, then to the picture.

namespace kx27 {

struct TFormRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  int Right() const { return Left + Width; }
  int Bottom() const { return Top + Height; }
  bool Empty() const { return Width <= 0 || Height <= 0; }
  bool operator==(const TFormRect&) const = default;
};

struct TFormSize {
  int Width = 0;
  int Height = 0;
  bool operator==(const TFormSize&) const = default;
};

struct TFormMetrics {
  int Dpi = 96;
  // What the grid's border and scroll bars take across and down, in pixels.
  int GridFrameWidth = 21;
  int GridFrameHeight = 21;
};

struct TFormLayout {
  TFormRect Tabs;  // the preset strip, and on it:
  TFormRect CommentLabel, Comment, ClearPreset, ImportJwf, LayerLabel, GroupLabel, Grid, CellInfo;
  TFormRect Dimensions;         // the dimension box, under the strip
  TFormRect Picture;            // empty when there is no room for it
  TFormRect Before, Emphasise;  // the picture's boxes, under it
  TFormRect GuideText, Ok, Cancel;
  TFormRect Status;
};

TFormSize MinimumClientSize(const TFormMetrics& metrics);
// The least client size that shows the whole table with the widest cells,
// without the picture.
TFormSize WholeTableClientSize(const TFormMetrics& metrics);

// The client size that shows the whole table with the widest cells and
// the picture beside it, within the largest client area that fits.
TFormSize OpeningClientSize(const TFormMetrics& metrics, TFormSize largest);

TFormLayout LayOutForm(const TFormMetrics& metrics, TFormSize client);

}  // namespace kx27
