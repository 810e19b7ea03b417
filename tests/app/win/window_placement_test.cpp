#include "app/win/window_placement.h"

#include <gtest/gtest.h>

namespace kx27 {
namespace {

struct InsideCase {
  const char* name;
  RECT window;
  LONG want_left, want_top;
};

TEST(WindowPlacement, MoveInsideShiftsTheLeastNeeded) {
  const RECT area{0, 0, 1280, 984};
  const InsideCase cases[] = {
      {"already inside", {100, 50, 634, 390}, 100, 50},
      {"off to the left", {-3000, 50, -2466, 390}, 0, 50},
      {"off to the right", {2000, 50, 2534, 390}, 1280 - 534, 50},
      {"below", {100, 2000, 634, 2340}, 100, 984 - 340},
      {"above and left", {-900, -700, -366, -360}, 0, 0},
      {"larger than the area keeps its corner inside", {-50, -50, 2000, 2000}, 0, 0},
  };
  for (const InsideCase& c : cases) {
    const POINT corner = MoveInside(c.window, area);
    EXPECT_EQ(corner.x, c.want_left) << c.name;
    EXPECT_EQ(corner.y, c.want_top) << c.name;
  }
}

TEST(WindowPlacement, SavedPositionIsKeptWhileAMonitorShowsIt) {
  const POINT origin = OpeningPosition(0, 0, 534, 340);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  // Only a corner on the screen: the user can still reach it.
  const POINT partly = OpeningPosition(-500, -300, 534, 340);
  EXPECT_EQ(partly.x, -500);
  EXPECT_EQ(partly.y, -300);
}

TEST(WindowPlacement, PositionOffEveryMonitorOpensOnTheNearest) {
  for (const POINT saved : {POINT{30000, 200}, POINT{-30000, -30000}, POINT{200, 30000}}) {
    const POINT corner = OpeningPosition(saved.x, saved.y, 534, 340);
    const RECT opened{corner.x, corner.y, corner.x + 534, corner.y + 340};
    HMONITOR monitor = MonitorFromRect(&opened, MONITOR_DEFAULTTONULL);
    ASSERT_NE(monitor, nullptr) << saved.x << "," << saved.y;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoW(monitor, &info));
    EXPECT_GE(opened.left, info.rcWork.left);
    EXPECT_GE(opened.top, info.rcWork.top);
    EXPECT_LE(opened.right, info.rcWork.right);
    EXPECT_LE(opened.bottom, info.rcWork.bottom);
  }
}

}  // namespace
}  // namespace kx27
