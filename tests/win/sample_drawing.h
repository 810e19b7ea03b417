#pragma once

// A small drawing as the host writes it, the files the tool must return for
// it, worked out by hand from the exchange format, and the settings file the
// tests start from.

#include <string_view>

#include "tests/win/settings_text.h"

namespace kx27::test {

// A line, a circle and an arc on group 0 layer 3; a line and a text on group
// 1 layer 2; a dimension on group 2 layer 0.
inline constexpr std::string_view kDrawing =
    "hq\r\n"
    "lg0\r\n"
    "ly3\r\n"
    "lc1\r\n"
    "lt1\r\n"
    "0 0 100 0\r\n"
    "ci 50 50 25\r\n"
    "lt2\r\n"
    "ci 0 0 10 0 90 1 0\r\n"
    "lg1\r\n"
    "ly2\r\n"
    "lc3\r\n"
    "lt1\r\n"
    "10 10 20 20\r\n"
    "ch 0 0 1 0 \"\x95\xb6\x8e\x9a\r\n"  // 文字
    "lg2\r\n"
    "ly0\r\n"
    "msg\r\n"
    "0 0 30 40\r\n"
    "cs 15 20 1 0 \"50\r\n";

// Group 0 layer 3 to 5, group 1 layer 2 to 7, group 2 layer 0 to 3; the
// dimension keeps its line type.
inline constexpr std::string_view kConverted =
    "hd\r\n"
    "lg0\r\n"
    "ly3\r\n"
    "lc1\r\n"
    "lt5\r\n"
    "0 0 100 0\r\n"
    "ci 50 50 25\r\n"
    "ci 0 0 10 0 90 1 0\r\n"
    "lg1\r\n"
    "ly2\r\n"
    "lc3\r\n"
    "lt7\r\n"
    "10 10 20 20\r\n"
    "cn1\r\n"
    "cc0\r\n"
    "cn\"$<\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e>\r\n"  // <ＭＳ ゴシック>
    "ch 0 0 1 0 \"\x95\xb6\x8e\x9a\r\n"  // 文字
    "lg2\r\n"
    "ly0\r\n"
    "lt1\r\n"
    "msg\r\n"
    "0 0 30 40\r\n"
    "cs 15 20 1 0 \"50\r\n"
    "lg0\r\n"
    "ly3\r\n";

// The same with the dimension line converted too.
inline constexpr std::string_view kConvertedWithDimension =
    "hd\r\n"
    "lg0\r\n"
    "ly3\r\n"
    "lc1\r\n"
    "lt5\r\n"
    "0 0 100 0\r\n"
    "ci 50 50 25\r\n"
    "ci 0 0 10 0 90 1 0\r\n"
    "lg1\r\n"
    "ly2\r\n"
    "lc3\r\n"
    "lt7\r\n"
    "10 10 20 20\r\n"
    "cn1\r\n"
    "cc0\r\n"
    "cn\"$<\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e>\r\n"  // <ＭＳ ゴシック>
    "ch 0 0 1 0 \"\x95\xb6\x8e\x9a\r\n"  // 文字
    "lg2\r\n"
    "ly0\r\n"
    "lt3\r\n"
    "msg\r\n"
    "0 0 30 40\r\n"
    "cs 15 20 1 0 \"50\r\n"
    "lg0\r\n"
    "ly3\r\n";

// A preset of zeros: every element keeps its line type.
inline constexpr std::string_view kUnchanged =
    "hd\r\n"
    "lg0\r\n"
    "ly3\r\n"
    "lc1\r\n"
    "lt1\r\n"
    "0 0 100 0\r\n"
    "ci 50 50 25\r\n"
    "lt2\r\n"
    "ci 0 0 10 0 90 1 0\r\n"
    "lg1\r\n"
    "ly2\r\n"
    "lc3\r\n"
    "lt1\r\n"
    "10 10 20 20\r\n"
    "cn1\r\n"
    "cc0\r\n"
    "cn\"$<\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e>\r\n"  // <ＭＳ ゴシック>
    "ch 0 0 1 0 \"\x95\xb6\x8e\x9a\r\n"  // 文字
    "lg2\r\n"
    "ly0\r\n"
    "msg\r\n"
    "0 0 30 40\r\n"
    "cs 15 20 1 0 \"50\r\n"
    "lg0\r\n"
    "ly3\r\n";

// Only group 1 layer 2 converted, to 62.
inline constexpr std::string_view kOnlyGroup1Layer2To62 =
    "hd\r\n"
    "lg0\r\n"
    "ly3\r\n"
    "lc1\r\n"
    "lt1\r\n"
    "0 0 100 0\r\n"
    "ci 50 50 25\r\n"
    "lt2\r\n"
    "ci 0 0 10 0 90 1 0\r\n"
    "lg1\r\n"
    "ly2\r\n"
    "lc3\r\n"
    "lt62\r\n"
    "10 10 20 20\r\n"
    "cn1\r\n"
    "cc0\r\n"
    "cn\"$<\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e>\r\n"  // <ＭＳ ゴシック>
    "ch 0 0 1 0 \"\x95\xb6\x8e\x9a\r\n"  // 文字
    "lg2\r\n"
    "ly0\r\n"
    "lt1\r\n"
    "msg\r\n"
    "0 0 30 40\r\n"
    "cs 15 20 1 0 \"50\r\n"
    "lg0\r\n"
    "ly3\r\n";

inline constexpr std::string_view kHq = "hq\r\n";

// At (120, 90) on preset 1, which converts the drawing to kConverted; preset
// 2 holds a comment and one value that the drawing does not use.
inline SettingsText BaseSettings() {
  SettingsText settings;
  settings.Left = 120;
  settings.Top = 90;
  settings.Comments[0] = "\x8a\x4f\x95\xc7";  // 外壁
  settings.Value(1, 0, 3) = 5;
  settings.Value(1, 1, 2) = 7;
  settings.Value(1, 2, 0) = 3;
  settings.Comments[1] = "\x8a\xf9\x91\xb6\x82\xcc\x90\xdd\x92\xe8";  // 既存の設定
  settings.Value(2, 5, 5) = 9;
  return settings;
}

}  // namespace kx27::test
