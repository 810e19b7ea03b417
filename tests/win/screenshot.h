#pragma once

// Pictures of the program's windows for the test artefacts and the README,
// and their pixels for the tests that judge what a window shows.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kx27::test {

// What the window's screen area shows, 0xRRGGBB a pixel, top row first.
struct TScreenPixels {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Rgb;

  std::size_t Count(std::uint32_t rgb) const;
};

// After the window and its children have repainted: what the user sees,
// whatever the controls do with WM_PRINT.
TScreenPixels CaptureWindowPixels(HWND window);

// The same into a 24-bit BMP file in the screenshot folder.
bool SaveWindowBitmap(HWND window, const std::wstring& name);

}  // namespace kx27::test
