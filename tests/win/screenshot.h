#pragma once

// A picture of a window as it stands on the screen, for the test artefacts.

#include <windows.h>

#include <filesystem>

namespace kx27::test {

// Copies the window's screen area into a 24-bit BMP file; false on failure.
bool SaveWindowBitmap(HWND window, const std::filesystem::path& file);

}  // namespace kx27::test
