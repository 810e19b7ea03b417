#pragma once

// The picture panel: the selection as the host draws it, with the line
// types OK sets (or those it has now), the layers the grid points at
// brought forward. Window class KX27_PICTURE_CLASS, a child of the form.
//
// It paints into a bitmap on a thread of its own and shows the last bitmap
// it finished, so that a large drawing never holds up the window: every
// setter returns at once and a newer request supersedes one in progress.
//
// The user: the wheel zooms at the pointer, dragging with the left button
// pans, a double click or Home fits the whole selection again; with the
// focus, + and - zoom about the middle and the arrow keys pan.

#include <windows.h>

#include <array>
#include <cstdint>

#include "app/picture/highlight.h"
#include "app/picture/picture.h"

namespace kx27 {

bool RegisterPictureView(HINSTANCE instance);

// The view takes the picture and fits it to its area.
void SetPictureContent(HWND view, TPicture picture);

// What OK would set after an edit of the grid, the tab or the dimension box.
void SetPictureLineTypes(HWND view, const std::array<std::int32_t, 256>& values, bool dimensions);

// The line types as they are now (true) or after OK (false).
void SetPictureBefore(HWND view, bool before);

void SetPictureFocus(HWND view, const TPictureFocus& focus);

// Fits the whole picture to the view, as Home does.
void FitPicture(HWND view);

// Line widths, dash lengths and margins for the monitor's dots per inch.
void SetPictureScale(HWND view, int dpi);

}  // namespace kx27
