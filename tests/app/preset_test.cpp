#include "app/preset.h"

#include <gtest/gtest.h>

#include "app/progress_caption.h"

namespace kx27 {
namespace {

TEST(FilterLineType, KeepsOnlyLineTypesTheHostKnows) {
  struct Case {
    std::int32_t value;
    std::int32_t kept;
  };
  const Case cases[] = {
      {-2147483647 - 1, 0}, {-1, 0}, {0, 0},   {1, 1},   {8, 8},   {9, 9},
      {10, 0},              {11, 11}, {19, 19}, {20, 0},  {30, 0},  {31, 31},
      {45, 45},             {46, 0},  {47, 47}, {62, 62}, {63, 0},  {2147483647, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(FilterLineType(c.value), c.kept) << c.value;
}

TEST(OneLineText, ReplacesEveryLineBreakByABlank) {
  struct Case {
    std::string_view text;
    std::string_view one_line;
  };
  const Case cases[] = {
      {"  keep  blanks ", "  keep  blanks "},
      {"a\r\nb", "a  b"},
      {"a\nb\rc", "a b c"},
      {"\x95\x5c\r\n", "\x95\x5c  "},  // 表 and a break
  };
  for (const Case& c : cases) EXPECT_EQ(OneLineText(c.text), c.one_line);
}

TEST(ProgressCaption, CountsInFullWidthSeparators) {
  // 処理中(ESC:中断)：101／250
  EXPECT_EQ(ProgressCaption(101, 250),
            u"\u51E6\u7406\u4E2D(ESC:\u4E2D\u65AD)\uFF1A101\uFF0F250");
  EXPECT_EQ(ProgressCaption(1, 1000000),
            u"\u51E6\u7406\u4E2D(ESC:\u4E2D\u65AD)\uFF1A1\uFF0F1000000");
}

}  // namespace
}  // namespace kx27
