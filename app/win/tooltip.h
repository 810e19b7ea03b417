#pragma once

// A tooltip window with one tool: a control whose mouse messages it
// watches itself. The dialog's tabs, its grid and its OK button each have
// one.

#include <windows.h>

namespace kx27 {

// The tooltip that owner (which answers TTN_GETDISPINFOW where text is
// LPSTR_TEXTCALLBACKW) keeps for control; null when the system has none to
// give. text must outlive the tooltip.
HWND CreateControlTooltip(HWND owner, HWND control, wchar_t* text);

// Asks owner for the shown text again and shows it at once.
void RefreshControlTooltip(HWND tip, HWND owner, HWND control);

}  // namespace kx27
