#include "exchange/element_writers.h"
#include "exchange/line_emitters.h"
#include "tests/exchange/writer_test_support.h"

namespace kx27::testing {
namespace {

// "<ＭＳ ゴシック>"
#define DEFAULT_FONT "<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>"

TEST(ElementLines, DropDegenerateElements) {
  ExpectFiles({
      {"lines", [] { PutLine(0, {1, 2}, {3.5, -4}); PutLine(1, {1, 2}, {1 + 9e-9, 2 - 9e-9}); },
       "1 2 3.5 -4"},
      {"coded points: tiny V3 is 1, codes out of range -3",
       [] {
         PutCodedPoint(0, {1, 2}, 0, 4, 20);
         PutCodedPoint(0, {1, 2}, -5e-9, 4, -8);
         PutCodedPoint(0, {1, 2}, 0.5, 4, -7);
         PutCodedPoint(0, {1, 2}, 2, 4, 11);
       },
       "pt 1 2 1 4 -3|pt 1 2 1 4 -3|pt 1 2 0.5 4 -7|pt 1 2 2 4 11"},
      {"circles and arcs without radius or sweep",
       [] {
         PutCircle(0, {1, 2}, 1e-9); PutCircle(0, {1, 2}, -1); PutCircle(0, {1, 2}, 3);
         PutArc(0, {1, 2}, 0, 4, 5, 6, 7); PutArc(0, {1, 2}, 3, 4, 5, 0, 7);
         PutArc(0, {1, 2}, 3, 4, 5, -6, 7);
       },
       "ci 1 2 3|ci 1 2 3 4 5 -6 7"},
      {"texts: keyword by kind, blanks kept, blank texts dropped",
       [] {
         PutText(0, 3, "  a b ", {1, 2}, {1, 0});
         PutText(0, 12, "x", {1, 2}, {0, -1});
         PutText(1, 9, "\x81\x40 \t", {1, 2}, {1, 0});  // full-width blank
         PutText(1, 0, "x", {1, 2}, {5e-9, -5e-9});
       },
       "cr 1 2 1 0 \"  a b |ch 1 2 0 -1 \"x"},
      {"solids with coinciding corners",
       [] {
         PutSolid2(1, {0, 0}, {0, 5e-9});
         PutSolid3(1, {0, 0}, {5, 0}, {0, 0});
         PutSolid3(0, {0, 0}, {5, 0}, {5, 5});
       },
       "sl 0 0 5 0 5 5"},
      {"four corners reduced, or dropped with the first and third or second and fourth",
       [] {
         PutSolid4(0, {0, 0}, {0, 0}, {5, 0}, {5, 5});
         PutSolid4(1, {0, 0}, {5, 0}, {0, 0}, {5, 5});
         PutSolid4(0, {0, 0}, {5, 0}, {5, 5}, {0, 0});
         PutSolid4(0, {0, 0}, {5, 0}, {5, 0}, {5, 5});
         PutSolid4(1, {0, 0}, {5, 0}, {5, 5}, {5, 0});
         PutSolid4(0, {0, 0}, {5, 0}, {5, 5}, {5, 5});
         PutSolid4(1, {0, 0}, {0, 0}, {0, 0}, {5, 5});  // the reduced triangle is dropped too
         PutSolid4(0, {0, 0}, {5, 0}, {5, 5}, {0, 5});
       },
       "sl 0 0 5 0 5 5|sl 0 0 5 0 5 5|sl 0 0 5 0 5 5|sl 0 0 5 0 5 5|sl 0 0 5 0 5 5 0 5"},
      {"sc and se flags, vanishing values",
       [] {
         PutScSolid(0, {1, 2, 3, 4, 5, 6, 7}, 7);
         PutScSolid(0, {1, 2, 3, 4, 5, 6, 7}, -1);
         PutScSolid(0, {1, 2, 0, 4, 5, 6, 7}, 0);
         PutSeSolid(0, {1, 2, 3, 4, 5, 6, 7}, 5);
         PutSeSolid(0, {1, 2, 3, 0, 5, 6, 7}, 0);
         PutSeSolid(0, {1, 2, 3, 4, 5, 6, 7}, 100);
       },
       "sc 1 2 3 4 5 6 7 -1|se 1 2 3 4 5 6 7 100"},
      {"so and sg need 0 < V8 < V3 and V4",
       [] {
         PutSoSolid(0, {1, 2, 3, 4, 5, 6, 7, 3});
         PutSoSolid(0, {1, 2, 3, 4, 5, 6, 7, 0});
         PutSgSolid(0, {1, 2, 3, 0, 5, 6, 7, 1});
         PutSgSolid(0, {1, 2, 3, 4, 5, 6, 7, 1});
       },
       "sg 1 2 3 4 5 6 7 1"},
      {"dimensions: an empty text is the length in steps of 1e-8",
       [] {
         PutDim(2, " ", {0, 0}, {3, 4}, {1, 1}, {1, 0});
         PutDim(0, "", {0, 0}, {1.0 / 3, 0}, {1, 1}, {0, 1});
         PutDim(0, " 7 ", {0, 0}, {3, 4}, {1, 1}, {1, 0});
         PutDim(2, "", {1, 1}, {1, 1}, {1, 1}, {1, 0});
         PutDim(2, "", {0, 0}, {3, 4}, {1, 1}, {0, 0});
       },
       "z2|msg|0 0 3 4|cs 1 1 1 0 \"5|msg|0 0 0.333333333333333 0|cs 1 1 0 1 \"0.33333333|"
       "msg|0 0 3 4|cs 1 1 1 0 \" 7 "},
  });
}

TEST(ElementWriters, StateEachKindsAttributesBeforeItsLine) {
  ExpectFiles({
      {"line: pen, z lines last, no polyline number",
       [] {
         Drawing.LwSeen = true;
         Store.Lines.push_back({{0, 1, 2, 3, 4, 5, 1 | 16}, 9, 0, 0, 10, 0});
         WriteLineRec(0);
       },
       "lg1|ly2|lc3|lt4|lw5|z1|z5|0 0 10 0"},
      {"a dropped line states its pen, but leaves no z lines for the next",
       [] {
         Store.Lines.push_back({{0, 0, 0, 2, 1, 0, 2}});
         Store.Circles.push_back({{0, 0, 0, 2, 1, 0, 0}, 0, 0, 3});
         WriteLineRec(0);
         WriteCircleRec(0);
       },
       "lg0|ly0|lc2|lt1|ci 0 0 3"},
      {"text: style and font, no pen; a font ending in a quote joins nothing",
       [] {
         TTextRec text{{0, 0, 0, 5, 7, 0, 0}, 1, 2, 3, 9, 0, 0, 0, 0, 1, 0, {}, {}};
         text.FontName = StoreText("<>");
         text.Text = StoreText("abc");
         Drawing.FirstFontName = "F\"";
         Store.Texts.push_back(text);
         WriteTextRec(0);
       },
       "lg0|ly0|cn3|cc2|cn\"$F\"|cv 0 0 1 0 \"abc"},
      {"points: point colour and width, no line type",
       [] {
         Drawing.LwSeen = true;
         Store.Points.push_back({{0, 0, 0, 5, 3, 2, 0}});
         Store.CodedPoints.push_back({{0, 0, 0, 5, 3, 2, 0}, 0, 0, 2, 0, 1});
         WritePointRec(0);
         WriteCodedPointRec(0);
       },
       "lg0|ly0|pn5|lw2|pt 0 0|pt 0 0 2 0 1"},
      {"dimension: its place, its line's pen, its text's style",
       [] {
         TDimRec dim{{0, 2, 3, 8, 0, 0, 4}, {}, {}};
         dim.Line = {{0, 9, 0, 6, 2, 0, 0}, 0, 0, 0, 1, 0};
         dim.Text.TextType = 4;
         dim.Text.DX = 1;
         dim.Text.FontName = StoreText(kDefaultFontName);
         Store.Dims.push_back(dim);
         WriteDimRec(0);
       },
       "lg2|ly3|lc6|lt2|cn4|cc0|cn\"$" DEFAULT_FONT "|z3|msg|0 0 1 0|cs 0 0 1 0 \"1"},
      {"solids: lc10 value for colour 10, width only for sl and se",
       [] {
         Drawing.LwSeen = true;
         Store.Solid2s.push_back({{{0, 0, 0, 10, 0, 3, 0}, 0x123456}, 0, 0, 1, 0});
         Store.Solid3s.push_back({{{0, 0, 0, 4, 0, 6, 0}, 0}, 0, 0, 1, 0, 0, 1});
         Store.SeSolids.push_back({{{{0, 0, 0, 4, 0, 6, 0}, 0}, 0, 0, 1, 1}});
         WriteSolidRec(kSolid2, 0);
         WriteSolidRec(kSolid3, 0);
         WriteSolidRec(kSeSolid, 0);
         WriteSolidRec(kSolid2, 1);  // not in the store
       },
       "lg0|ly0|lc10 1193046|lw3|sl 0 0 1 0|lc4|sl 0 0 1 0 0 1|lw6|se 0 0 1 1 0 0 0 0"},
  });
}

}  // namespace
}  // namespace kx27::testing
