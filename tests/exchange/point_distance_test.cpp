#include "exchange/point_distance.h"

#include <gtest/gtest.h>

namespace kx27 {
namespace {

TEST(PointDistance, IsSymmetricAndSquaresDoNotOverflow) {
  EXPECT_EQ(PointDistance(0, 0, 3, 4), 5.0);
  EXPECT_EQ(PointDistance(3, 4, 0, 0), 5.0);
  EXPECT_DOUBLE_EQ(PointDistance(0, 0, 1e300, -1e300), 1.4142135623730951e300);
}

}  // namespace
}  // namespace kx27
