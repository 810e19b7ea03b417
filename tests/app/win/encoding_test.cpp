#include "app/win/encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace kx27 {
namespace {

struct RoundTrip {
  const char* name;
  std::string sjis;
  std::wstring utf16;
};

TEST(Encoding, ShiftJisAndUtf16MeetBothWays) {
  std::string long_sjis;
  std::wstring long_utf16;
  for (int i = 0; i < 100000; ++i) {
    long_sjis +=
        "\x83\x8C"
        "7";
    long_utf16 += L"レ7";
  }
  const RoundTrip cases[] = {
      {"empty", "", L""},
      {"ascii", "LAYTYP_0 = 1,2", L"LAYTYP_0 = 1,2"},
      // レイヤ
      {"katakana", "\x83\x8C\x83\x43\x83\x84", L"レイヤ"},
      // ① and ⑳, the tabs' captions
      {"circled numbers", "\x87\x40\x87\x53", L"①⑳"},
      // ～ (U+FF5E) of the notes
      {"full-width tilde", "\x81\x60", L"\uFF5E"},
      // 表 carries a backslash as its second byte
      {"trail byte 0x5C", "\x95\x5C", L"表"},
      {"half-width katakana", "\xB1", L"\uFF71"},
      {"long text", long_sjis, long_utf16},
  };
  for (const RoundTrip& c : cases) {
    EXPECT_EQ(ToUtf16(c.sjis), c.utf16) << c.name;
    EXPECT_EQ(ToShiftJis(c.utf16), c.sjis) << c.name;
  }
}

TEST(Encoding, CharactersOutsideShiftJisBecomeReplacements) {
  const std::string sjis = ToShiftJis(L"a\u00E9b");  // é has no Shift_JIS form
  ASSERT_EQ(sjis.size(), 3u);
  EXPECT_EQ(sjis.front(), 'a');
  EXPECT_EQ(sjis.back(), 'b');
  // A lead byte at the end of the text has no character to finish.
  const std::wstring text = ToUtf16("1\x83");
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.front(), L'1');
}

}  // namespace
}  // namespace kx27
