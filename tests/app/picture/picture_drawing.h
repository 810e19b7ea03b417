#pragma once

// A drawing with one of every kind the host draws, as an exchange file, and
// reading it through the real reader. Group 0 is at 1:1, group 1 at 1:100.

#include <string_view>

#include "exchange/drawing.h"
#include "exchange/reader.h"
#include "tests/exchange/temp_folder.h"

namespace kx27::testing {

inline constexpr std::string_view kPictureDrawing =
    "hq\r\nhs 1 100 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n"
    // Group 0 layer 1: two lines, a curve of two segments, a line without length.
    "lg0\r\nly1\r\nlc2\r\nlt1\r\n0 0 100 0\r\n100 0 100 50\r\npl\r\n0 50 20 60\r\n20 60 40 "
    "50\r\n#\r\n"
    "5 5 5 5\r\n"
    // Layer 2: a circle, a quarter arc, a tilted half ellipse, a circle without radius.
    "ly2\r\nlc3\r\nlt2\r\nci 50 25 10\r\nci 0 0 30 0 90 1 0\r\nci 200 0 20 0 180 0.5 90\r\nci 1 1 "
    "0\r\n"
    // Layer 3: a random line, a point and a coded point, a block entry.
    "ly3\r\nlc6\r\nlt11\r\n0 -20 100 -20\r\npn5\r\npt 10 10\r\npt 20 10 1 0 3\r\nBL 0 0 \"blk\r\n"
    // Layer 4: a horizontal text at its bottom-left, a vertical one at its middle.
    "ly4\r\ncn0 4 5 1 7\r\ncc0\r\nch 0 100 1 0 \"\x95\xb6\x8e\x9a AB\r\n"  // 文字 AB
    "cc4\r\nch 150 100 0 2 \"\xb1\xb2\r\n"                                 // ｱｲ (half-width)
    // Group 1 layer 3: a dimension whose line was read on layer 5; a text.
    "lg1\r\nly5\r\nlc1\r\nlt1\r\nmsg\r\n0 -50 100 -50\r\nly3\r\ncn0 2 2 0 8\r\ncc1\r\ncs 50 -48 1 "
    "0 \"100\r\n"
    "ch 0 200 1 0 \"a<b&c\r\n"
    // Group 1 layer 6: corner solids (one of colour 10), a solid arc, a ring.
    "ly6\r\nlc4\r\nsl 0 0 10 0 10 10 0 10\r\nlc10 255\r\nsl 20 0 30 0 25 10\r\n"
    "lc5\r\nsc 50 50 10 1 0 0 90 0\r\nso 80 50 10 1 0 0 360 5\r\n";

inline TDrawing ReadDrawing(std::string_view bytes) {
  TTempFolder folder;
  TExchangeRead read = ReadExchangeFile(folder.Write("JWC_TEMP.TXT", bytes));
  return std::move(read.Drawing);
}

}  // namespace kx27::testing
