// Names, samples and the allowed-value check of line-type numbers.

#include <gtest/gtest.h>

#include <set>

#include "app/presets/cell_value.h"
#include "app/presets/line_type_names.h"
#include "app/presets/line_type_pattern.h"
#include "app/presets/preset.h"

namespace kx27 {
namespace {

TEST(LineTypeName, NamesEveryPresetValueAndNothingElse) {
  const std::pair<std::int32_t, std::string> named[] = {
      {0, "\x95\xcf\x8a\xb7\x82\xb5\x82\xc8\x82\xa2"},  // 変換しない
      {1, "\x8e\xc0\x90\xfc"},                          // 実線
      {2,
       "\x93\x5f\x90\xfc"
       "1"},  // 点線1
      {4,
       "\x93\x5f\x90\xfc"
       "3"},  // 点線3
      {5,
       "\x88\xea\x93\x5f\x8d\xbd"
       "1"},  // 一点鎖1
      {8,
       "\x93\xf1\x93\x5f\x8d\xbd"
       "2"},                            // 二点鎖2
      {9, "\x95\xe2\x8f\x95\x90\xfc"},  // 補助線
      {11,
       "\x83\x89\x83\x93\x83\x5f\x83\x80\x90\xfc"
       "1"},  // ランダム線1
      {15,
       "\x83\x89\x83\x93\x83\x5f\x83\x80\x90\xfc"
       "5"},  // ランダム線5
      {16,
       "\x94\x7b\x92\xb7\x90\xfc"
       "1"},  // 倍長線1
      {19,
       "\x94\x7b\x92\xb7\x90\xfc"
       "4"},  // 倍長線4
      {31,
       "SXF\x90\xfc\x8e\xed"
       "1 \x8e\xc0\x90\xfc"},  // SXF線種1 実線
      {45,
       "SXF\x90\xfc\x8e\xed"
       "15 \x8e\x4f\x93\x5f\x93\xf1\x92\x5a\x8d\xbd\x90\xfc"},
      // ユーザー定義SXF線種1, 16
      {47,
       "\x83\x86\x81\x5b\x83\x55\x81\x5b\x92\xe8\x8b\x60SXF\x90\xfc\x8e\xed"
       "1"},
      {62,
       "\x83\x86\x81\x5b\x83\x55\x81\x5b\x92\xe8\x8b\x60SXF\x90\xfc\x8e\xed"
       "16"},
  };
  for (const auto& [value, name] : named) EXPECT_EQ(LineTypeName(value), name) << value;

  std::set<std::string> names;
  for (std::int32_t value = -5; value < 80; ++value) {
    const bool kept = IsLineType(value);
    EXPECT_EQ(!LineTypeName(value).empty(), kept) << value;
    if (kept) {
      EXPECT_TRUE(names.insert(LineTypeName(value)).second) << "twice: " << value;
    }
  }
  EXPECT_EQ(names.size(), PresetValues().size());
  for (std::int32_t value : PresetValues()) EXPECT_TRUE(IsLineType(value)) << value;
}

TEST(LineTypePattern, EveryLineTypeHasASampleThatTellsItApart) {
  std::set<std::pair<TSampleStyle, std::vector<std::uint8_t>>> seen;
  for (std::int32_t value : PresetValues()) {
    const TLineTypePattern pattern = LineTypePattern(value);
    if (value == 0) {
      EXPECT_EQ(pattern.Style, TSampleStyle::kNone);
      continue;
    }
    ASSERT_NE(pattern.Style, TSampleStyle::kNone) << value;
    EXPECT_EQ(pattern.Dashes.size() % 2, 0u) << value << ": dash and gap pairs";
    if (pattern.Style == TSampleStyle::kUserDefined) continue;
    std::vector<std::uint8_t> dashes(pattern.Dashes.begin(), pattern.Dashes.end());
    dashes.push_back(static_cast<std::uint8_t>(pattern.WaveHeight));
    // SXF's solid line is the same line as type 1.
    if (value != 31) {
      EXPECT_TRUE(seen.insert({pattern.Style, dashes}).second) << value;
    }
  }
  for (std::int32_t value : {10, 20, 46, 63, -1}) {
    EXPECT_EQ(LineTypePattern(value).Style, TSampleStyle::kNone) << value;
  }
}

TEST(CellInput, TakesFullWidthFormsAsHalfWidth) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"\x82\x54", "5"},                   // ５
      {"\x82\x50\x82\x51", "12"},          // １２
      {"\x81\x40\x82\x58\x81\x40 ", "9"},  // blanks around it
      {"\x81\x7b\x82\x52", "+3"},          // ＋３
      {"\x81\x7c\x82\x50", "-1"},          // －１
      {"1\x81\x40"
       "2",
       "1\x81\x40"
       "2"},  // a blank inside stays
      {"\x83\x54\x82\x54",
       "\x83\x54"
       "5"},                     // サ５: other characters stay
      {"\x82\x60", "\x82\x60"},  // Ａ is no digit
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(CellInput(text), want) << text;
  const std::pair<char16_t, char16_t> typed[] = {
      {u'\uFF10', u'0'}, {u'\uFF19', u'9'}, {u'\uFF0B', u'+'},      {u'\uFF0D', u'-'},
      {u'\u2212', u'-'}, {u'\u3000', u' '}, {u'\uFF21', u'\uFF21'}, {u'7', u'7'},
  };
  for (const auto& [c, want] : typed) EXPECT_EQ(HalfWidthInput(c), want) << static_cast<int>(c);
}

TEST(AllowedCellValue, TellsLineTypesAndZeroFromWhatTheStoreWouldDrop) {
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {"0", 0},    {"", 0},
      {"   ", 0},  {"00", 0},
      {"-0", 0},   {"$0", 0},
      {"0x0", 0},  {"5", 5},
      {" 7", 7},   {"$3E", 62},
      {"+9", 9},   {"62", 62},
      {"47", 47},  {"45", 45},
      {"19", 19},  {"10", {}},
      {"20", {}},  {"46", {}},
      {"63", {}},  {"-1", {}},
      {"7 ", {}},  {"abc", {}},
      {"1.5", {}}, {"$", {}},
      {"0x", {}},  {"99999999999", {}},
      {"x00", 0},  {"+0", 0},
      {"-", {}},   {"0 ", {}},
      {"-0x", {}}, {"$100000000", {}},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(AllowedCellValue(text), want) << text;
}

}  // namespace
}  // namespace kx27
