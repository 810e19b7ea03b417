#pragma once

// The drop-down list of line types that the grid opens on a cell: every
// preset value with its number, its name and a drawn sample. A popup of
// window class KX27_LINETYPE_LIST_CLASS holding one list box.

#include <windows.h>

#include <cstdint>

namespace kx27 {

// Sent to the grid when the user chose: WPARAM is the value.
inline constexpr UINT kLineTypeChosen = WM_USER + 1;

bool RegisterLineTypeList(HINSTANCE instance);

// Opens the list under cell (screen coordinates) with current selected; the
// list closes itself on a choice, Esc or when it loses the activation.
HWND OpenLineTypeList(HWND grid, const RECT& cell, std::int32_t current, int dpi, HFONT font);

}  // namespace kx27
