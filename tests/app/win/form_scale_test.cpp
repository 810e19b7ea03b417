// The main window follows a change of its monitor's scale: it takes the
// size Windows suggests and lays its controls out anew.

#include <gtest/gtest.h>

#include "app/win/line_type_grid.h"
#include "app/win/main_form.h"
#include "app/win/picture_view.h"
#include "app/win/resource.h"

namespace kx27 {
namespace {

TEST(FormScale, DpiChangedLaysTheWindowOutAgain) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterLineTypeGrid(instance);
  RegisterPictureView(instance);
  TMainForm::Register(instance);
  // Never shown, so nothing is read; never closed, so nothing is written
  // beside the test program. It lives as long as the test program.
  static TMainForm form;
  HWND window = form.Create(instance, nullptr);
  ASSERT_NE(window, nullptr);
  RECT client{};
  GetClientRect(window, &client);
  int dpi = static_cast<int>(client.right) * 96 / 648;

  for (const int to : {144, 120, 96}) {
    RECT frame{};
    GetWindowRect(window, &frame);
    RECT suggested{frame.left, frame.top, frame.left + (frame.right - frame.left) * to / dpi,
                   frame.top + (frame.bottom - frame.top) * to / dpi};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, suggested.right - suggested.left) << to;
    RECT button{};
    GetWindowRect(GetDlgItem(window, IDC_OK), &button);
    EXPECT_EQ(button.right - button.left, MulDiv(193, to, 96)) << to;
    // The grid takes what the frame's own rounding leaves beyond the
    // smallest window's 409 pixels.
    RECT grid{};
    GetWindowRect(GetDlgItem(window, IDC_PRESET_GRID), &grid);
    EXPECT_GE(grid.right - grid.left, MulDiv(409, to, 96)) << to;
    EXPECT_LE(grid.right - grid.left, MulDiv(409 + 8, to, 96)) << to;
    HFONT font =
        reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window, IDC_COMMENT), WM_GETFONT, 0, 0));
    LOGFONTW logfont{};
    GetObjectW(font, sizeof logfont, &logfont);
    EXPECT_EQ(logfont.lfHeight, -MulDiv(13, to, 96)) << to;
    dpi = to;
  }
}

}  // namespace
}  // namespace kx27
