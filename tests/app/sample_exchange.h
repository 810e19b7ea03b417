#pragma once

// One exchange file and what the conversion makes of it, worked out by hand:
// a line, a circle and an arc on group 0 layer 3, then on layer 5 a line, a
// text, a point, and a dimension on layer 3 whose line was read on layer 5.

#include <string>
#include <string_view>

#include "app/presets/preset.h"

namespace kx27::testing {

inline constexpr std::string_view kExchangeIn =
    "hq\r\nlg0\r\nly3\r\nlc2\r\nlt1\r\n0 0 10 0\r\nci 5 5 2\r\nci 0 0 3 0 1.5 1 0\r\n"
    "lt4\r\nly5\r\n100 0 200 0\r\nch 0 0 1 0 \"\x95\xb6\x8e\x9a\r\n"  // 文字
    "pt 1 2\r\nmsg\r\n0 0 3 4\r\nly3\r\ncs 1 2 1 0 \"5\r\n";

// Group 0 layer 3 becomes line type 7.
inline TPreset SamplePreset() {
  TPreset preset;
  preset.Values[0 * 16 + 3] = 7;
  return preset;
}

// The file written back with line type lt on group 0 layer 3, and the
// dimension's line changed or not. The font line names the default font
// <ＭＳ ゴシック>.
inline std::string ExchangeOut(char lt, bool dimension_changed) {
  return std::string("hd\r\nlg0\r\nly3\r\nlc2\r\nlt") + lt +
         "\r\n0 0 10 0\r\nci 5 5 2\r\nci 0 0 3 0 1.5 1 0\r\nly5\r\nlt4\r\n100 0 200 0\r\n"
         "cn1\r\ncc0\r\ncn\"$<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>\r\n"
         "ch 0 0 1 0 \"\x95\xb6\x8e\x9a\r\npn1\r\npt 1 2\r\nly3\r\n" +
         (dimension_changed ? "lt7\r\n" : "") + "msg\r\n0 0 3 4\r\ncs 1 2 1 0 \"5\r\n";
}

inline const std::string kExchangeOutWithDimensions = ExchangeOut('7', true);
inline const std::string kExchangeOutWithoutDimensions = ExchangeOut('7', false);
// An empty preset: every element comes back as it was read.
inline const std::string kExchangeOutUnchanged = ExchangeOut('1', false);

}  // namespace kx27::testing
