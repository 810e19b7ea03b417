#pragma once

// No exception may cross the system's frames into a window procedure's
// caller: each procedure runs its handlers through Guarded. A failure is told
// to the dialog, which says so once and closes, leaving the drawing as it is.

#include <windows.h>

namespace kx27 {

// Posted to the dialog by the procedures of its child and pop-up windows.
inline constexpr UINT kUnexpectedFailureNotice = WM_APP + 1;

inline constexpr const wchar_t* kUnexpectedFailureMessage =
    L"予期しないエラーが発生しました。図面は変更しません。\r\nもう一度実行してください。";

// Tells the dialog that window belongs to (the window itself, an ancestor or
// an owner) that a handler failed.
void ReportUnexpectedFailure(HWND window);

// handle(), or, when it throws, fallback() (the system's default handling)
// once the failure has been reported.
template <typename Handler, typename Fallback>
LRESULT Guarded(HWND window, Handler handle, Fallback fallback) noexcept {
  try {
    return handle();
  } catch (...) {
    ReportUnexpectedFailure(window);
  }
  try {
    return fallback();
  } catch (...) {
    return 0;
  }
}

}  // namespace kx27
