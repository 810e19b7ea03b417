#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "exchange/drawing.h"
#include "exchange/element_line_format.h"
#include "exchange/element_sequence.h"
#include "exchange/output_buffer.h"
#include "exchange/record_writers.h"
#include "exchange/replace_file.h"
#include "exchange/write_elements.h"
#include "exchange/writer.h"
#include "tests/exchange/temp_folder.h"

namespace kx27::testing {
namespace {

// "<ＭＳ ゴシック>"
#define DEFAULT_FONT "<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>"

// The file's bytes for lines separated by '|', each ending in CR LF; "hq"
// for none.
std::string FileOf(std::string_view lines) {
  if (lines.empty()) return "hq\r\n";
  std::string bytes;
  for (char c : lines) c == '|' ? bytes.append("\r\n") : bytes.append(1, c);
  return bytes + "\r\n";
}

// A fresh drawing and a writer of it.
struct TWrite {
  TDrawing d;
  TWriter w{d.State};
  std::string File() const { return std::string(w.Output().FileBytes()); }
};

// Calls that append to a fresh output, and the file that results.
struct TOutputCase {
  const char* name;
  std::function<void(TWrite&)> write;
  std::string lines;  // as for FileOf
};

void ExpectFiles(std::initializer_list<TOutputCase> cases) {
  for (const TOutputCase& c : cases) {
    TWrite t;
    c.write(t);
    EXPECT_EQ(t.File(), FileOf(c.lines)) << c.name;
  }
}

TEST(OutputBuffer, JoinsOnlyTextHeadsAndKeepsLinesWhole) {
  const std::string a254(254, 'a'), x255(255, 'x');
  ExpectFiles({
      {"text head joined with its text",
       [](TWrite& t) {
         t.w.Output().AppendLine("hd");
         t.w.Output().AppendTextLines("ch 10 20 1 0 \"", "abc");
       },
       "hd|ch 10 20 1 0 \"abc"},
      {"other lines ending in a quote, and text lines, stand alone",
       [](TWrite& t) {
         t.w.Output().AppendLine("cn\"$f\"");
         t.w.Output().AppendTextLines("ch \"", "a\"");
         t.w.Output().AppendLine("");
       },
       "cn\"$f\"|ch \"a\"|"},
      {"CR and LF inside a line become blanks",
       [](TWrite& t) { t.w.Output().AppendTextLines("c\rh \"", "a\rb\nc\r\n"); }, "c h \"a b c  "},
      {"cut at 255 bytes", [](TWrite& t) { t.w.Output().AppendLine(std::string(300, 'x')); }, x255},
      {"cut before a double-byte character that would straddle",
       [a254](TWrite& t) { t.w.Output().AppendLine(a254 + "\x82\xa0"); }, a254},
      {"cleared",
       [](TWrite& t) {
         t.w.Output().AppendLine("hd");
         t.w.Output().Clear();
       },
       ""},
  });
  TOutputBuffer output;
  output.AppendTextLines("ch 0 0 1 0 \"", "x");
  EXPECT_EQ(output.Count(), 2);
}

TEST(Emitters, StateAttributesOnlyWhereTheyChange) {
  ExpectFiles({
      {"first statement after the reset, even of defaults",
       [](TWrite& t) {
         t.w.EmitGroup(0);
         t.w.EmitLayer(0);
         t.w.EmitColor(1);
         t.w.EmitLineType(1);
         t.w.EmitCc(0);
         t.w.EmitPointColor(1);
         t.w.EmitTextType(1, 0, 0, 0, 0);
         t.w.EmitGroup(0);
         t.w.EmitLayer(0);
         t.w.EmitColor(1);
         t.w.EmitLineType(1);
         t.w.EmitCc(0);
         t.w.EmitPointColor(1);
         t.w.EmitTextType(1, 0, 0, 0, 0);
       },
       "lg0|ly0|lc1|lt1|cc0|pn1|cn1"},
      {"hexadecimal group and layer; a new group restates the layer",
       [](TWrite& t) {
         t.w.EmitGroup(15);
         t.w.EmitLayer(10);
         t.w.EmitGroup(1);
         t.w.EmitLayer(10);
         t.w.EmitLayer(10);
       },
       "lgF|lyA|lg1|lyA"},
      {"no width without widths in the input", [](TWrite& t) { t.w.EmitLineWidth(5); }, ""},
      {"width out of range, then the first width for -1",
       [](TWrite& t) {
         t.d.State.LwSeen = true;
         t.d.State.FirstSeen.LineWidth = 3;
         t.w.EmitLineWidth(40000);
         t.w.EmitLineWidth(0);
         t.w.EmitLineWidth(-7);
         t.w.EmitLineWidth(-1);
       },
       "lw0|lw3"},
      {"cc out of range is 0",
       [](TWrite& t) {
         t.w.EmitCc(9);
         t.w.EmitCc(0);
         t.w.EmitCc(-1);
         t.w.EmitCc(8);
       },
       "cc0|cc8"},
      {"text type out of range: the first size when the first type is 0",
       [](TWrite& t) {
         t.d.State.FirstSeen.TextType = 0;
         t.w.EmitTextType(12, 9, 7, 7, 7);
       },
       "cn0 2 2 0 1"},
      {"text type out of range: the first text type",
       [](TWrite& t) {
         t.d.State.FirstSeen.TextType = 4;
         t.w.EmitTextType(-1, 9, 7, 7, 7);
         t.w.EmitTextType(4, 1, 1, 1, 1);
       },
       "cn4"},
      {"text type out of range, and the first too: the size it was read with",
       [](TWrite& t) {
         t.d.State.FirstSeen.TextType = 12;
         t.w.EmitTextType(12, 9, 7, 6, 5);
       },
       "cn0 7 6 5 9"},
      {"numbered text types ignore sizes",
       [](TWrite& t) {
         t.w.EmitTextType(3, 1, 2, 2, 0);
         t.w.EmitTextType(3, 5, 4, 4, 1);
       },
       "cn3"},
      {"explicit sizes restated when any of them changes",
       [](TWrite& t) {
         t.w.EmitTextType(0, 7, 2.5, 3, 0.25);
         t.w.EmitTextType(0, 7, 2.5, 3, 0.25);
         t.w.EmitTextType(0, 8, 2.5, 3, 0.25);
         t.w.EmitTextType(2, 8, 2.5, 3, 0.25);
         t.w.EmitTextType(0, 8, 2.5, 3, 0.25);
       },
       "cn0 2.5 3 0.25 7|cn0 2.5 3 0.25 8|cn2|cn0 2.5 3 0.25 8"},
      {"font: empty name and <> take the first font name, or the default without one",
       [](TWrite& t) {
         t.w.EmitFontName("<>");
         t.w.EmitFontName("");
         t.d.State.FirstSeen.FontName = "Arial";
         t.w.EmitFontName("<>");
         t.w.EmitFontName("Arial");
         t.w.EmitFontName("arial");
       },
       "cn\"$" DEFAULT_FONT "|cn\"$Arial|cn\"$arial"},
      {"font names compared as their lines carry them, never cut inside a character",
       [](TWrite& t) {
         t.w.EmitFontName(std::string(251, 'A') + "X");
         t.w.EmitFontName(std::string(251, 'A') + "Y");
         t.w.EmitFontName(std::string(250, 'B') + "\x83\x53");
         t.w.EmitFontName(std::string(250, 'B') + "\x83\x56");
       },
       "cn\"$" + std::string(251, 'A') + "|cn\"$" + std::string(250, 'B')},
      {"lc10 value out of range, then plain colour 10 already stated",
       [](TWrite& t) {
         t.w.EmitLc10(-5);
         t.w.EmitColor(10);
         t.w.EmitLc10(0x1000000);
       },
       "lc10 0"},
      {"plain colour 10 states the lc10 value last given",
       [](TWrite& t) {
         t.w.EmitColor(10);
         t.w.EmitLc10(0);
         t.w.EmitLc10(7);
         t.w.EmitColor(10);
         t.w.EmitColor(3);
         t.w.EmitLc10(7);
         t.w.EmitLc10(0xFFFFFF);
       },
       "lc10|lc10 7|lc3|lc10 7|lc10 16777215"},
      {"z lines every time, z4 only without z5",
       [](TWrite& t) {
         t.w.EmitZFlags(24);
         t.w.EmitZFlags(31);
         t.w.EmitZFlags(0);
         t.w.EmitZFlags(8 + 32);
       },
       "z5|z1|z2|z3|z5|z4"},

  });
}

TEST(ElementLines, DropDegenerateElements) {
  ExpectFiles({
      {"lines",
       [](TWrite& t) {
         PutLine(t.w, 0, {1, 2}, {3.5, -4});
         PutLine(t.w, 1, {1, 2}, {1 + 9e-9, 2 - 9e-9});
       },
       "1 2 3.5 -4"},
      {"coded points: tiny V3 is 1, codes out of range -3",
       [](TWrite& t) {
         PutCodedPoint(t.w, 0, {1, 2}, 0, 4, 20);
         PutCodedPoint(t.w, 0, {1, 2}, -5e-9, 4, -8);
         PutCodedPoint(t.w, 0, {1, 2}, 0.5, 4, -7);
         PutCodedPoint(t.w, 0, {1, 2}, 2, 4, 11);
       },
       "pt 1 2 1 4 -3|pt 1 2 1 4 -3|pt 1 2 0.5 4 -7|pt 1 2 2 4 11"},
      {"circles and arcs without radius or sweep",
       [](TWrite& t) {
         PutCircle(t.w, 0, {1, 2}, 1e-9);
         PutCircle(t.w, 0, {1, 2}, -1);
         PutCircle(t.w, 0, {1, 2}, 3);
         PutArc(t.w, 0, {1, 2}, 0, 4, 5, 6, 7);
         PutArc(t.w, 0, {1, 2}, 3, 4, 5, 0, 7);
         PutArc(t.w, 0, {1, 2}, 3, 4, 5, -6, 7);
       },
       "ci 1 2 3|ci 1 2 3 4 5 -6 7"},
      {"texts: keyword by kind, blanks kept, only empty texts dropped",
       [](TWrite& t) {
         PutText(t.w, 0, 3, "  a b ", {1, 2}, {1, 0});
         PutText(t.w, 0, 12, "x", {1, 2}, {0, -1});
         PutText(t.w, 1, 9, "\x81\x40 ", {1, 2}, {1, 0});  // full-width blank
         PutText(t.w, 2, 0, "x", {1, 2}, {5e-9, -5e-9});
         PutText(t.w, 1, 0, "", {1, 2}, {1, 0});
       },
       "cr 1 2 1 0 \"  a b |ch 1 2 0 -1 \"x|z1|c2 1 2 1 0 \"\x81\x40 |z2|ch 1 2 5E-9 -5E-9 \"x"},
      {"degenerate once rounded to the 15 digits written",
       [](TWrite& t) {
         PutLine(t.w, 1, {123456789.00000002, 5}, {123456789.00000006, 5});
         PutSolid2(t.w, 1, {123456789012345.6, 0}, {123456789012345.7, 0});
         PutCircle(t.w, 1, {1, 1}, 1.000000000000004e-8);
         PutArc(t.w, 1, {1, 1}, 3, 0, 1, 1.000000000000004e-8, 0);
         PutDim(t.w, 1, "", {0, 123456789.00000002}, {0, 123456789.00000006}, {0, 0}, {1, 0});
         PutLine(t.w, 0, {123456789.000001, 5}, {123456789.000002, 5});
       },
       "123456789.000001 5 123456789.000002 5"},
      {"solids with coinciding corners",
       [](TWrite& t) {
         PutSolid2(t.w, 1, {0, 0}, {0, 5e-9});
         PutSolid3(t.w, 1, {0, 0}, {5, 0}, {0, 0});
         PutSolid3(t.w, 0, {0, 0}, {5, 0}, {5, 5});
       },
       "sl 0 0 5 0 5 5"},
      {"four corners reduced, or dropped with the first and third or second and fourth",
       [](TWrite& t) {
         PutSolid4(t.w, 0, {0, 0}, {0, 0}, {5, 0}, {5, 5});
         PutSolid4(t.w, 1, {0, 0}, {5, 0}, {0, 0}, {5, 5});
         PutSolid4(t.w, 0, {0, 0}, {5, 0}, {5, 5}, {0, 0});
         PutSolid4(t.w, 0, {0, 0}, {5, 0}, {5, 0}, {5, 5});
         PutSolid4(t.w, 1, {0, 0}, {5, 0}, {5, 5}, {5, 0});
         PutSolid4(t.w, 0, {0, 0}, {5, 0}, {5, 5}, {5, 5});
         PutSolid4(t.w, 1, {0, 0}, {0, 0}, {0, 0}, {5, 5});  // the reduced triangle is dropped too
         PutSolid4(t.w, 0, {0, 0}, {5, 0}, {5, 5}, {0, 5});
       },
       "sl 0 0 5 0 5 5|sl 0 0 5 0 5 5|sl 0 0 5 0 5 5|sl 0 0 5 0 5 5|sl 0 0 5 0 5 5 0 5"},
      {"sc and se flags, vanishing values",
       [](TWrite& t) {
         PutScSolid(t.w, 0, {1, 2, 3, 4, 5, 6, 7}, 7);
         PutScSolid(t.w, 0, {1, 2, 3, 4, 5, 6, 7}, -1);
         PutScSolid(t.w, 0, {1, 2, 0, 4, 5, 6, 7}, 0);
         PutSeSolid(t.w, 0, {1, 2, 3, 4, 5, 6, 7}, 5);
         PutSeSolid(t.w, 0, {1, 2, 3, 0, 5, 6, 7}, 0);
         PutSeSolid(t.w, 0, {1, 2, 3, 4, 5, 6, 7}, 100);
       },
       "sc 1 2 3 4 5 6 7 -1|se 1 2 3 4 5 6 7 100"},
      {"so and sg need 0 < V8 < V3 and V4",
       [](TWrite& t) {
         PutSoSolid(t.w, 0, {1, 2, 3, 4, 5, 6, 7, 3});
         PutSoSolid(t.w, 0, {1, 2, 3, 4, 5, 6, 7, 0});
         PutSgSolid(t.w, 0, {1, 2, 3, 0, 5, 6, 7, 1});
         PutSgSolid(t.w, 0, {1, 2, 3, 4, 5, 6, 7, 1});
       },
       "sg 1 2 3 4 5 6 7 1"},
      {"dimensions: an empty text is the length in steps of 1e-8",
       [](TWrite& t) {
         PutDim(t.w, 2, " ", {0, 0}, {3, 4}, {1, 1}, {1, 0});
         PutDim(t.w, 0, "", {0, 0}, {1.0 / 3, 0}, {1, 1}, {0, 1});
         PutDim(t.w, 0, " 7 ", {0, 0}, {3, 4}, {1, 1}, {1, 0});
         PutDim(t.w, 2, "", {1, 1}, {1, 1}, {1, 1}, {1, 0});
         PutDim(t.w, 2, "", {0, 0}, {3, 4}, {1, 1}, {0, 0});
       },
       "msg|z2|0 0 3 4|cs 1 1 1 0 \"5|msg|0 0 0.333333333333333 0|cs 1 1 0 1 \"0.33333333|"
       "msg|0 0 3 4|cs 1 1 1 0 \" 7 "},
  });
}

TEST(ElementWriters, StateEachKindsAttributesBeforeItsLine) {
  ExpectFiles({
      {"line: pen, z lines last, no polyline number",
       [](TWrite& t) {
         t.d.State.LwSeen = true;
         t.d.Store.Lines.push_back({{{1, 2, 3, 4, 5}, 0, 1 | 16}, 9, 0, 0, 10, 0});
         WriteRecord(t.w, t.d.Store, t.d.Store.Lines[0]);
       },
       "lg1|ly2|lc3|lt4|lw5|z1|z5|0 0 10 0"},
      {"dropped elements state nothing, and leave no z lines for the next",
       [](TWrite& t) {
         t.d.Store.Lines.push_back({{{5, 0, 2, 1, 0}, 0, 2}});
         t.d.Store.Solid4s.push_back({{{{6, 0, 3, 0, 0}, 0, 1}, 0}, 0, 0, 1, 0, 0, 0, 1, 1});
         t.d.Store.Circles.push_back({{{0, 0, 2, 1, 0}, 0, 0}, 0, 0, 3});
         WriteRecord(t.w, t.d.Store, t.d.Store.Lines[0]);
         WriteRecord(t.w, t.d.Store, t.d.Store.Solid4s[0]);
         WriteRecord(t.w, t.d.Store, t.d.Store.Circles[0]);
       },
       "lg0|ly0|lc2|lt1|ci 0 0 3"},
      {"text: style and font, no pen; a font ending in a quote joins nothing",
       [](TWrite& t) {
         TTextRec text{{{0, 0, 5, 7, 0}, 0, 0}, 1, 2, 3, 9, 0, 0, 0, 0, 1, 0, {}, {}};
         text.FontName = t.d.Store.StoreText("<>");
         text.Text = t.d.Store.StoreText("abc");
         t.d.State.FirstSeen.FontName = "F\"";
         t.d.Store.Texts.push_back(text);
         WriteRecord(t.w, t.d.Store, t.d.Store.Texts[0]);
       },
       "lg0|ly0|cn3|cc2|cn\"$F\"|cv 0 0 1 0 \"abc"},
      {"points: point colour and width, no line type",
       [](TWrite& t) {
         t.d.State.LwSeen = true;
         t.d.Store.Points.push_back({{{0, 0, 5, 3, 2}, 0, 0}});
         t.d.Store.CodedPoints.push_back({{{0, 0, 5, 3, 2}, 0, 0}, 0, 0, 2, 0, 1});
         WriteRecord(t.w, t.d.Store, t.d.Store.Points[0]);
         WriteRecord(t.w, t.d.Store, t.d.Store.CodedPoints[0]);
       },
       "lg0|ly0|pn5|lw2|pt 0 0|pt 0 0 2 0 1"},
      {"dimension: its place, its line's pen, its text's style",
       [](TWrite& t) {
         TDimRec dim{{{2, 3, 8, 0, 0}, 0, 4}, {}, {}};
         dim.Line = {{{9, 0, 6, 2, 0}, 0, 0}, 0, 0, 0, 1, 0};
         dim.Text.TextType = 4;
         dim.Text.DX = 1;
         dim.Text.FontName = t.d.Store.StoreText(kDefaultFontName);
         t.d.Store.Dims.push_back(dim);
         WriteRecord(t.w, t.d.Store, t.d.Store.Dims[0]);
       },
       "lg2|ly3|lc6|lt2|cn4|cc0|cn\"$" DEFAULT_FONT "|msg|z3|0 0 1 0|cs 0 0 1 0 \"1"},
      {"solids: lc10 value for colour 10, width only for sl and se",
       [](TWrite& t) {
         t.d.State.LwSeen = true;
         t.d.Store.Solid2s.push_back({{{{0, 0, 10, 0, 3}, 0, 0}, 0x123456}, 0, 0, 1, 0});
         t.d.Store.Solid3s.push_back({{{{0, 0, 4, 0, 6}, 0, 0}, 0}, 0, 0, 1, 0, 0, 1});
         t.d.Store.SeSolids.push_back({{{{{0, 0, 4, 0, 6}, 0, 0}, 0}, 0, 0, 1, 1}});
         WriteRecord(t.w, t.d.Store, t.d.Store.Solid2s[0]);
         WriteRecord(t.w, t.d.Store, t.d.Store.Solid3s[0]);
         WriteRecord(t.w, t.d.Store, t.d.Store.SeSolids[0]);
       },
       "lg0|ly0|lc10 1193046|lw3|sl 0 0 1 0|lc4|sl 0 0 1 0 0 1|lw6|se 0 0 1 1 0 0 0 0"},
  });
}

// Records what is shown, and holds Escape down from the poll at escape_at on.
struct FakeProgress : TWriteProgress {
  explicit FakeProgress(std::int32_t escape_from = 0) : escape_at(escape_from) {}
  void Show(std::int32_t current, std::int32_t total) override {
    shown.emplace_back(current, total);
  }
  bool EscapeDown() override { return escape_at != 0 && shown.back().first >= escape_at; }
  std::int32_t escape_at;
  std::vector<std::pair<std::int32_t, std::int32_t>> shown;
};

void AddLines(TWrite& t, int count, std::int32_t group, std::int32_t layer) {
  for (int i = 0; i < count; ++i)
    AppendRecord(t.d.Store, TLineRec{{{group, layer, 1, 1, 0}, 0, 0}, 0, 0, 0, 1, 0});
}

void WriteAll(TWrite& t) {
  FakeProgress progress;
  EXPECT_TRUE(WriteElements(t.d, t.w, progress));
}

TEST(OutputDriver, WritesInOrderAndRestatesTheFirstGroupAndLayer) {
  ExpectFiles({
      {"nothing", WriteAll, "lg0|ly0"},
      {"bz first; blocks and unknown kinds passed over",
       [](TWrite& t) {
         t.d.State.BzFlag = true;
         AddLines(t, 1, 0, 0);
         AppendRecord(t.d.Store, TJwwEntBlk{});
         t.d.Store.OrderList.push_back({99, 0});
         t.d.Store.OrderList.push_back({kSolid2, 7});  // not in the store
         AppendRecord(t.d.Store, TCircleRec{{{0, 0, 1, 1, 0}, 0, 0}, 0, 0, 2});
         WriteAll(t);
       },
       "bz|lg0|ly0|lc1|lt1|0 0 1 0|ci 0 0 2"},
      {"elements elsewhere: the first group and layer open and close the output",
       [](TWrite& t) {
         AddLines(t, 1, 2, 5);
         WriteAll(t);
       },
       "lg0|ly0|lg2|ly5|lc1|lt1|0 0 1 0|lg0|ly0"},
      {"same group, other layer: the layer alone",
       [](TWrite& t) {
         t.d.State.FirstSeen.Layer = 1;
         AddLines(t, 1, 0, 3);
         WriteAll(t);
       },
       "lg0|ly1|ly3|lc1|lt1|0 0 1 0|ly1"},
  });
}

// A line of the curve read after the n-th "pl" (0: none), with its z flags.
void AddCurveLine(TWrite& t, std::int32_t curve, double length, std::int32_t z_flags = 0) {
  AppendRecord(t.d.Store, TLineRec{{{0, 0, 1, 1, 0}, 0, z_flags}, curve, 0, 0, length, 0});
}

TEST(OutputDriver, WritesCurvesAsTheHostDoes) {
  ExpectFiles({
      {"attributes, z lines, pl, the segments, #",
       [](TWrite& t) {
         AddCurveLine(t, 1, 1, 1);
         AddCurveLine(t, 1, 2, 2);
         AddCurveLine(t, 1, 3);
         AppendRecord(t.d.Store, TCircleRec{{{0, 0, 1, 1, 0}, 0, 0}, 0, 0, 2});
         WriteAll(t);
       },
       "lg0|ly0|lc1|lt1|z1|pl|0 0 1 0|z2|0 0 2 0|0 0 3 0|#|ci 0 0 2"},
      {"curves side by side, and a loose line after them",
       [](TWrite& t) {
         AddCurveLine(t, 1, 1);
         AddCurveLine(t, 2, 2);
         AddCurveLine(t, 2, 3);
         AddCurveLine(t, 0, 4);
         WriteAll(t);
       },
       "lg0|ly0|lc1|lt1|pl|0 0 1 0|#|pl|0 0 2 0|0 0 3 0|#|0 0 4 0"},
      {"a dropped first segment: the curve opens at the next",
       [](TWrite& t) {
         AddCurveLine(t, 3, 0, 1);
         AddCurveLine(t, 3, 2, 2);
         WriteAll(t);
       },
       "lg0|ly0|lc1|lt1|z2|pl|0 0 2 0|#"},
      {"a curve of degenerate segments writes nothing",
       [](TWrite& t) {
         AddCurveLine(t, 3, 0);
         AddCurveLine(t, 3, 1e-9);
         WriteAll(t);
       },
       "lg0|ly0"},
      {"a curve that ends the selection closes before the restated layer",
       [](TWrite& t) {
         t.d.State.FirstSeen.Layer = 2;
         AddCurveLine(t, 1, 1);
         WriteAll(t);
       },
       "lg0|ly2|ly0|lc1|lt1|pl|0 0 1 0|#|ly2"},
  });
  TWrite t;
  for (int i = 0; i < 150; ++i) AddCurveLine(t, 1, 1);
  FakeProgress escape(101);
  WriteElements(t.d, t.w, escape);
  EXPECT_EQ(t.File(), FileOf(""));
}

TEST(OutputDriver, ShowsProgressAndPollsEscapeEveryHundredElements) {
  TWrite t;
  AddLines(t, 250, 0, 0);
  FakeProgress progress;
  WriteElements(t.d, t.w, progress);
  EXPECT_EQ(progress.shown, (decltype(progress.shown){{1, 250}, {101, 250}, {201, 250}}));
  EXPECT_EQ(t.w.Output().Count(), 4 + 250);
}

TEST(OutputDriver, EscapeEmptiesTheOutput) {
  const struct {
    std::int32_t escape_at, first_group, first_layer;
    std::string_view lines;
  } cases[] = {
      {1, 3, 4, "lg3|ly4"},
      {101, 0, 0, ""},  // the last element stated group 0, layer 0
      {101, 0, 7, "ly7"},
  };
  for (const auto& c : cases) {
    TWrite t;
    t.d.State.FirstSeen.Group = c.first_group;
    t.d.State.FirstSeen.Layer = c.first_layer;
    AddLines(t, 150, 0, 0);
    t.w.Output().AppendLine("hd");
    FakeProgress progress(c.escape_at);
    WriteElements(t.d, t.w, progress);
    EXPECT_EQ(t.File(), FileOf(c.lines)) << c.escape_at;
    EXPECT_EQ(progress.shown.size(), c.escape_at == 1 ? 1u : 2u);
  }
}

// Two drawings written at the same time, line by line in turn: neither
// writer's output or stated attributes reach the other.
TEST(OutputDriver, WritersOfTwoDrawingsInterleaved) {
  TWrite a, b;
  a.d.State.LwSeen = true;
  AppendRecord(a.d.Store, TLineRec{{{1, 2, 3, 4, 5}, 0, 0}, 0, 0, 0, 1, 0});
  AppendRecord(b.d.Store, TCircleRec{{{0, 0, 7, 2, 9}, 0, 0}, 0, 0, 2});
  for (TWrite* t : {&a, &b, &a, &b}) {
    const TElementStore& store = t->d.Store;
    VisitElement(store, store.OrderList[0],
                 [&](const auto& rec) { WriteRecord(t->w, store, rec); });
  }
  EXPECT_EQ(a.File(), FileOf("lg1|ly2|lc3|lt4|lw5|0 0 1 0|0 0 1 0"));
  EXPECT_EQ(b.File(), FileOf("lg0|ly0|lc7|lt2|ci 0 0 2|ci 0 0 2"));
}

TEST(ExchangeFile, ReplacesAnExistingFile) {
  TTempFolder folder;
  const auto file = folder.Write("JWC_TEMP.TXT", "hq\r\nold drawing\r\n");
  TOutputBuffer output;
  for (int i = 0; i < 60000; ++i) output.AppendTextLines("ch 1 2 3 4 \"", std::string(i % 40, 'x'));
  ASSERT_EQ(WriteExchangeFile(file, output), TReplaceResult::kReplaced);
  EXPECT_EQ(TTempFolder::Read(file), output.FileBytes());
  EXPECT_EQ(folder.Entries(), 1);

  output.Clear();
  ASSERT_EQ(WriteExchangeFile(file, output), TReplaceResult::kReplaced);
  EXPECT_EQ(TTempFolder::Read(file), "hq\r\n");
  folder.Write("JWC_TEMP.TXT", "hd\r\n");
  ASSERT_TRUE(WriteUnchangedAnswer(file));
  EXPECT_EQ(TTempFolder::Read(file), "hq\r\n");
}

TEST(ExchangeFile, FailureLeavesTheOldFileAndNoTemporaryFile) {
  TTempFolder folder;
  folder.Write("JWC_TEMP.TXT", "hq\r\n");
  std::filesystem::create_directory(folder / "DIR.TXT");
  folder.Write("DIR.TXT/inside", "kept");
  TOutputBuffer output;
  output.AppendLine("hd");

  EXPECT_EQ(WriteExchangeFile(folder / "missing" / "JWC_TEMP.TXT", output),
            TReplaceResult::kFailed);
  EXPECT_EQ(WriteExchangeFile(folder / "DIR.TXT", output), TReplaceResult::kFailed);
  EXPECT_EQ(ReplaceFile(folder / "DIR.TXT", "bytes"), TReplaceResult::kFailed);
  EXPECT_EQ(folder.Entries(), 2);
  EXPECT_EQ(TTempFolder::Read(folder / "JWC_TEMP.TXT"), "hq\r\n");
  EXPECT_EQ(TTempFolder::Read(folder / "DIR.TXT" / "inside"), "kept");
}

}  // namespace
}  // namespace kx27::testing
