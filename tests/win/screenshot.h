#pragma once

// Pictures of the program's windows for the test artefacts and the README.

#include <windows.h>

#include <string>

namespace kx27::test {

// Copies the window's screen area into a 24-bit BMP file in the screenshot
// folder: what the user sees, whatever the controls do with WM_PRINT.
bool SaveWindowBitmap(HWND window, const std::wstring& name);

}  // namespace kx27::test
