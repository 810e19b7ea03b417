#include "app/form/repaint_pacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace kx27 {
namespace {

TEST(RepaintPacer, RepaintsFirstThenOncePerInterval) {
  using std::chrono::milliseconds;
  // Calls in milliseconds after the start, and whether each repaints: the
  // interval counts from the last repaint, not from the last call.
  const std::vector<std::pair<int, bool>> calls = {
      {0, true},   {1, false},  {49, false}, {50, true},   {60, false},
      {99, false}, {100, true}, {400, true}, {449, false}, {451, true}};
  TRepaintPacer pacer(milliseconds(50));
  const TRepaintPacer::TClock::time_point start{};
  for (const auto& [at, due] : calls) EXPECT_EQ(pacer.Due(start + milliseconds(at)), due) << at;
}

TEST(RepaintPacer, AClockThatGoesBackDoesNotRepaint) {
  using std::chrono::milliseconds;
  TRepaintPacer pacer(milliseconds(50));
  const TRepaintPacer::TClock::time_point start{milliseconds(1000)};
  EXPECT_TRUE(pacer.Due(start));
  EXPECT_FALSE(pacer.Due(start - milliseconds(500)));
  EXPECT_TRUE(pacer.Due(start + milliseconds(50)));
}

}  // namespace
}  // namespace kx27
