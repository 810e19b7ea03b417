#include "app/picture/cp932_utf8.h"

#include <gtest/gtest.h>

namespace kx27 {
namespace {

TEST(Cp932ToUtf8, DecodesAsWindowsDoes) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"", ""},
      {"Room 12 <a&b>\\~", "Room 12 <a&b>\\~"},
      {"\x95\xb6\x8e\x9a", "文字"},
      {"\x8f\x5a\x8b\x8f\x82\xcc\x90\x7d\x96\xca No.", "住居の図面 No."},
      {"\xb1\xb2\xdf", "ｱｲﾟ"},               // half-width katakana
      {"\x81\x40\x81\x60", "　～"},          // the full-width blank, the wave dash as FF5E
      {"\x87\x40\xed\x40\xfa\x40", "①纊ⅰ"},  // NEC and IBM extensions
      {"\xf0\x40", "\xee\x80\x80"},          // the user area: U+E000
      {"\x82\xa0\x81", "あ\xef\xbf\xbd"},    // a lead byte at the end
      {"\x80\x85\x41",
       "\xef\xbf\xbd"
       "A"},  // a pair that is no character
      {"\xa0\xfd\xfe\xff", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},
      {std::string_view("a\0b", 3), std::string_view("a\0b", 3)},
  };
  for (const auto& [cp932, utf8] : cases) EXPECT_EQ(Cp932ToUtf8(cp932), utf8) << cp932;
}

}  // namespace
}  // namespace kx27
