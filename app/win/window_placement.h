#pragma once

// Where the dialog opens: at its saved position, unless that position lies
// off every monitor (a screen removed since the last run).

#include <windows.h>

namespace kx27 {

// The top-left corner that moves the window by the least amount into area;
// a window larger than area keeps its top-left corner inside it.
POINT MoveInside(const RECT& window, const RECT& area);

// The top-left corner for a window of this size saved at (left, top): the
// saved one when any monitor shows part of it, else one on the work area of
// the nearest monitor.
POINT OpeningPosition(int left, int top, int width, int height);

// The window's place on the screen as it is when neither maximised nor
// minimised: what a position to remember is taken from.
RECT RestoredWindowRect(HWND window);

}  // namespace kx27
