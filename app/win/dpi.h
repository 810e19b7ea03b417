#pragma once

// Dots per inch of monitors and windows. The program is aware of each
// monitor's scale (version 2); the calls that say so exist only on newer
// Windows and are looked up when the program runs.

#include <windows.h>

namespace kx27 {

// The window's monitor's dots per inch; the system's on older Windows.
int WindowDpi(HWND window);

// The frame for a client area of this size at dpi.
RECT FrameForClient(int width, int height, DWORD style, int dpi);

// The settings file keeps the window's position in the pixels of a program
// that Windows scales as a whole (the system's scale), as the program
// always did; these convert between those and the screen's own pixels.
POINT ScreenToSettings(POINT screen);
POINT SettingsToScreen(POINT settings);

}  // namespace kx27
