#include "app/win/window_placement.h"

#include <algorithm>

namespace kx27 {
namespace {

LONG Fit(LONG start, LONG size, LONG area_start, LONG area_end) {
  return std::max(area_start, std::min(start, area_end - size));
}

}  // namespace

POINT MoveInside(const RECT& window, const RECT& area) {
  return POINT{Fit(window.left, window.right - window.left, area.left, area.right),
               Fit(window.top, window.bottom - window.top, area.top, area.bottom)};
}

POINT OpeningPosition(int left, int top, int width, int height) {
  const RECT saved{left, top, left + width, top + height};
  if (MonitorFromRect(&saved, MONITOR_DEFAULTTONULL)) return POINT{left, top};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromRect(&saved, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return POINT{left, top};
  }
  return MoveInside(saved, monitor.rcWork);
}

RECT RestoredWindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!(IsZoomed(window) || IsIconic(window)) || !GetWindowPlacement(window, &placement)) {
    return rect;
  }
  // The restored place is kept in the coordinates of the work area.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  RECT restored = placement.rcNormalPosition;
  if (GetMonitorInfoW(MonitorFromRect(&restored, MONITOR_DEFAULTTONEAREST), &monitor)) {
    OffsetRect(&restored, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
  }
  return restored;
}

}  // namespace kx27
