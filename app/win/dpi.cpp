#include "app/win/dpi.h"

namespace kx27 {
namespace {

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

int WindowDpi(HWND window) {
  using TGetDpiForWindow = UINT(WINAPI*)(HWND);
  const auto get_dpi = User32Function<TGetDpiForWindow>("GetDpiForWindow");
  const int dpi = get_dpi ? static_cast<int>(get_dpi(window)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

RECT FrameForClient(int width, int height, DWORD style, int dpi) {
  using TAdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  RECT frame{0, 0, width, height};
  const auto adjust = User32Function<TAdjustForDpi>("AdjustWindowRectExForDpi");
  if (!adjust || !adjust(&frame, style, FALSE, 0, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&frame, style, FALSE, 0);
  }
  return frame;
}

POINT ScreenToSettings(POINT screen) {
  const int dpi = SystemDpi();
  return POINT{MulDiv(screen.x, 96, dpi), MulDiv(screen.y, 96, dpi)};
}

POINT SettingsToScreen(POINT settings) {
  const int dpi = SystemDpi();
  return POINT{MulDiv(settings.x, dpi, 96), MulDiv(settings.y, dpi, 96)};
}

}  // namespace kx27
