// What the host hands over comes back: converting the output again gives the
// same bytes, and its records are the input's, changed only where the preset
// says.

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

#include "app/convert/conversion.h"
#include "app/dump/drawing_dump.h"
#include "exchange/drawing.h"
#include "exchange/output_buffer.h"
#include "exchange/reader.h"
#include "exchange/writer.h"
#include "tests/exchange/temp_folder.h"

namespace kx27 {
namespace {

using testing::TTempFolder;

class TNoProgress final : public TWriteProgress {
 public:
  void Show(std::int32_t, std::int32_t) override {}
  bool EscapeDown() override { return false; }
};

std::string FromHex(std::string_view hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  return bytes;
}

TDrawing Read(std::string_view bytes) {
  TTempFolder folder;
  TExchangeRead read = ReadExchangeFile(folder.Write("JWC_TEMP.TXT", bytes));
  EXPECT_EQ(read.Status, TReadStatus::kComplete);
  return std::move(read.Drawing);
}

std::string Convert(std::string_view bytes, const TPreset& preset, bool dimensions = true) {
  TDrawing drawing = Read(bytes);
  TWriter writer(drawing.State);
  TNoProgress progress;
  ConvertAndWrite(drawing, preset, dimensions, writer, progress);
  return std::string(writer.Output().FileBytes());
}

// The records as the host sees them: block entries never come back, and the
// reader's own bookkeeping is left out: numbered points, the index, the group,
// layer and flags a dimension line was read with (the dimension is written on
// its own), and which "pl" a curve came after (only which lines belong
// together counts).
std::string Records(std::string_view bytes) {
  const TDrawing drawing = Read(bytes);
  std::string json;
  for (const TOrderEntry& entry : drawing.Store.OrderList)
    if (entry.Kind != kBlock) AppendElementJson(json, drawing.Store, entry);
  static const std::regex kNumbers(R"re("(HhpNo|index)":-?\d+,?)re");
  static const std::regex kDimensionLine(
      R"re("Line":\{"Group":\d+,"Layer":\d+,("Color":-?\d+,"LineType":-?\d+,"LineWidth":-?\d+,)"ZFlags":\d+,)re");
  json = std::regex_replace(std::regex_replace(json, kNumbers, ""), kDimensionLine, "\"Line\":{$1");
  static const std::regex kCurve(R"re("PolylineNo":(\d+))re");
  std::string records;
  int last_curve = 0, curves = 0;
  auto rest = json.cbegin();
  for (std::smatch match; std::regex_search(rest, json.cend(), match, kCurve);
       rest = match.suffix().first) {
    const int curve = std::stoi(match[1]);
    if (curve != 0 && curve != last_curve) ++curves;
    last_curve = curve;
    records.append(match.prefix().first, match.prefix().second);
    records += "\"Curve\":" + std::to_string(curve == 0 ? 0 : curves);
  }
  return records.append(rest, json.cend());
}

TPreset LayerOneToSeven() {
  TPreset preset;
  preset.Values[0 * 16 + 1] = 7;
  return preset;
}

TEST(RoundTrip, WhatWasLostBeforeComesBack) {
  const struct {
    const char* name;
    std::string in;
    std::string_view out;
  } cases[] = {
      {"curve", "hq\r\nlg0\r\nly1\r\nz2\r\npl\r\n0 0 1 0\r\nz1\r\n1 0 1 1\r\n#\r\n0 0 5 5\r\n",
       "hd\r\nlg0\r\nly1\r\nlc1\r\nlt7\r\nz2\r\npl\r\n0 0 1 0\r\nz1\r\n1 0 1 1\r\n#\r\n0 0 5 "
       "5\r\n"},
      {"text without direction, texts of blanks",
       "hq\r\nch 1475 -49850 0 0 \"Draw_BmpTOUKA = 1\r\nch 1 2 1 0 \"\x81\x40\x81\x40\r\nch 1 2 1 "
       "0 \" \r\n"
       "ch 1 2 1 0 \"\r\n",
       "hd\r\nlg0\r\nly0\r\ncn1\r\ncc0\r\ncn\"$<\x82\x6c\x82\x72 "
       "\x83\x53\x83\x56\x83\x62\x83\x4e>\r\n"
       "ch 1475 -49850 0 0 \"Draw_BmpTOUKA = 1\r\nch 1 2 1 0 \"\x81\x40\x81\x40\r\nch 1 2 1 0 \" "
       "\r\n"},
      {"dimension on the layer of its text line",
       FromHex("68710d0a6c67300d0a6c79310d0a6c74310d0a6d73670d0a3020302031303020300d0a6c79320d0a637"
               "3203530"
               "2031302031203020223130300d0a"),
       ""},
      {"dimension flags",
       FromHex("68710d0a6c67300d0a6c79300d0a6d73670d0a3020302031303020300d0a7a310d0a637320353020313"
               "0203120"
               "3020223130300d0a"),
       ""},
      {"degenerate once written",
       FromHex("3132333435363738392e30303030303030322035203132333435363738392e303030303030303620350"
               "d0a736c"
               "203132333435363738393031323334352e362030203132333435363738393031323334352e3720300d0"
               "a6369"
               "2031203120312e3030303030303030303030303030303032652d380d0a"),
       "hd\r\nlg0\r\nly0\r\n"},
      {"font names that differ only past the line's end",
       "hq\r\ncn\"$" + std::string(251, 'A') + "XXXXXXXX\r\nch 0 0 1 0 \"a\r\ncn\"$" +
           std::string(251, 'A') + "YYYYYYYY\r\nch 0 5 1 0 \"b\r\n",
       ""},
      {"largest values", "hq\r\n1.7976931348623157e308 0 -1.7976931348623157e308 1\r\n",
       "hd\r\nlg0\r\nly0\r\nlc1\r\nlt1\r\n1.79769313486231E308 0 -1.79769313486231E308 1\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string once = Convert(c.in, LayerOneToSeven());
    if (!c.out.empty()) {
      EXPECT_EQ(once, c.out);
    }
    EXPECT_EQ(Convert(once, LayerOneToSeven()), once);
  }
  // On layer 2, which has no line type: the dimension is left as it was.
  EXPECT_EQ(Convert(cases[2].in, LayerOneToSeven()),
            "hd\r\nlg0\r\nly1\r\nly2\r\nlc1\r\nlt1\r\ncn1\r\ncc0\r\n"
            "cn\"$<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>\r\n"
            "msg\r\n0 0 100 0\r\ncs 50 10 1 0 \"100\r\nly1\r\n");
  EXPECT_EQ(Records(Convert(cases[3].in, TPreset{})), Records(cases[3].in));
}

TEST(RoundTrip, EveryKindComesBackWithItsAttributes) {
  const std::string drawing =
      "hq\r\nlg1\r\nly2\r\nlc3\r\nlt4\r\nlw5\r\nhhp1\r\n0 0 10 0\r\nz1\r\nci 5 5 2\r\n"
      "ci 0 0 3 0 1.5 1 0\r\npl\r\n0 0 1 1\r\n1 1 2 0\r\n#\r\nlyA\r\ncn0 2.5 3 0.5 4\r\ncc3\r\n"
      "cn$Arial\r\ncv 1 2 0 1 \"\x95\xb6\x8e\x9a\r\npn5\r\npt 1 2\r\npt 1 2 3 4 5\r\nmsg\r\nz3\r\n"
      "0 0 3 4\r\ncs 1 2 1 0 \"5\r\nBL 1 2 block\r\nlc10 1193046\r\nsl 0 0 5 0\r\nlc6\r\n"
      "sl 0 0 5 0 5 5\r\nsl 0 0 5 0 5 5 0 5\r\nsc 1 2 3 4 5 6 7 100\r\nse 1 2 3 4 5 6 7 0\r\n"
      "so 1 2 3 4 5 6 7 1\r\nsg 1 2 3 4 5 6 7 1\r\n";
  EXPECT_EQ(Records(Convert(drawing, TPreset{})), Records(drawing));
}

// Any exchange file the host could hand over, and many it could not: values
// with more digits than are written, near the tolerances and at the ends of
// the range; every kind, attribute and mode.
class TRandomDrawing {
 public:
  explicit TRandomDrawing(std::uint64_t seed) : random_(seed) {}

  std::string Make() {
    std::string out = "hq\r\n";
    const int lines = Pick(80);
    for (int i = 0; i < lines; ++i) out += Line() + (Pick(20) == 0 ? "\n" : "\r\n");
    return out;
  }

 private:
  int Pick(int n) { return static_cast<int>(random_() % static_cast<std::uint64_t>(n)); }

  std::string Real() {
    switch (Pick(9)) {
      case 0: return std::to_string(Pick(20) - 10);
      case 1: return "123456789.0000000" + std::to_string(Pick(10));
      case 2: return "0.00000000" + std::to_string(Pick(3)) + std::to_string(Pick(100));
      case 3: return "1.797693134862315e308";
      case 4: return "-0";
      case 5: return "1e-" + std::to_string(300 + Pick(30));
      case 6:
        return std::to_string(Pick(1000)) + "." + std::to_string(random_() % 100000000000000000);
      case 7: return "1e999";
      default: return std::to_string(Pick(100) / 8.0);
    }
  }

  std::string Reals(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
      if (i > 0) text += ' ';
      text += Real();
    }
    return text;
  }

  std::string Text() {
    static const char* const kTexts[] = {"",      " ",   "\x81\x40", "a b ", "\x95\xb6\x8e\x9a",
                                         "\"q\"", "x\ty"};
    return kTexts[Pick(7)];
  }

  std::string Line() {
    static const char* const kCommands[] = {
        "pl",          "pl",       "#",         "msg",     "z1",
        "z2",          "z4",       "z5",        "hhp3",    "bz",
        "lgn\x95\xb6", "lyn",      "cn\"$F \"", "cn$",     "cn0 1 2 0.5 3",
        "cn3",         "cn12",     "cc2",       "cc9",     "pn4",
        "lc10 77",     "lc10",     "lw-1",      "lw40000", "hcw 1 2 3 4 5 6 7 8 9 10",
        "lt2",         "BL 1 2 b", "cn$<>",     "hp1 1 2", "z3"};
    const std::string hex = "0123456789ABCDEF";
    switch (Pick(14)) {
      case 0: return kCommands[Pick(30)];
      case 1: return "lg" + hex.substr(Pick(16), 1);
      case 2: return "ly" + hex.substr(Pick(16), 1);
      case 3: return "lc" + std::to_string(Pick(12));
      case 4: return "lt" + std::to_string(Pick(10));
      case 5: return "lw" + std::to_string(Pick(4));
      case 6: return "ci " + Reals(Pick(2) ? 3 : 7);
      case 7: return std::string("c") + "hvsroptkz2"[Pick(10)] + " " + Reals(4) + " \"" + Text();
      case 8: return "pt " + Reals(Pick(2) ? 2 : 5);
      case 9: return "sl " + Reals(2 * (2 + Pick(3)));
      case 10: return std::string("s") + "ceog"[Pick(4)] + " " + Reals(8);
      default: return Reals(4);
    }
  }

  std::mt19937_64 random_;
};

TEST(RoundTrip, ConvertingTwiceEqualsConvertingOnce) {
  TPreset preset = LayerOneToSeven();
  preset.Values[3 * 16 + 0] = 62;
  for (std::uint64_t seed = 1; seed <= 400; ++seed) {
    const std::string drawing = TRandomDrawing(seed).Make();
    const std::string once = Convert(drawing, preset, seed % 2 == 0);
    ASSERT_EQ(Convert(once, preset, seed % 2 == 0), once) << "seed " << seed << "\n" << drawing;
  }
}

}  // namespace
}  // namespace kx27
