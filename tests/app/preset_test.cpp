#include "app/preset.h"

#include <gtest/gtest.h>

#include "app/progress_caption.h"

namespace kx27 {
namespace {

TEST(FilterLineType, KeepsOnlyLineTypesTheHostKnows) {
  const std::pair<std::int32_t, std::int32_t> cases[] = {
      {-2147483647 - 1, 0}, {-1, 0}, {0, 0},   {1, 1},   {9, 9},   {10, 0},
      {11, 11},             {19, 19}, {20, 0},  {30, 0},  {31, 31}, {45, 45},
      {46, 0},              {47, 47}, {62, 62}, {63, 0},  {2147483647, 0},
  };
  for (const auto& [value, kept] : cases) EXPECT_EQ(FilterLineType(value), kept) << value;
}

TEST(ProgressCaption, CountsInFullWidthSeparators) {
  // 処理中(ESC:中断)：101／250
  EXPECT_EQ(ProgressCaption(101, 250), u"\u51E6\u7406\u4E2D(ESC:\u4E2D\u65AD)\uFF1A101\uFF0F250");
}

}  // namespace
}  // namespace kx27
