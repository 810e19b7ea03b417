#include <functional>
#include <string>

#include "exchange/element_writers.h"
#include "exchange/line_emitters.h"
#include "tests/exchange/writer_test_support.h"

namespace kx27::testing {
namespace {

struct Case {
  const char* name;
  std::function<void()> write;
  std::string bytes;  // empty: nothing written
};

void ExpectOutput(const Case& c) {
  ResetDrawingState();
  ResetOutputState();
  c.write();
  EXPECT_EQ(RenderOutput(), c.bytes.empty() ? "hq\r\n" : c.bytes) << c.name;
}

using ElementLines = WriterTest;

TEST_F(ElementLines, DropDegenerateElements) {
  const Case cases[] = {
      {"line", [] { PutLine(0, {1, 2}, {3.5, -4}); }, FileLines({"1 2 3.5 -4"})},
      {"line shorter than 1e-8", [] { PutLine(0, {1, 2}, {1 + 9e-9, 2 - 9e-9}); }, ""},
      {"point", [] { PutPoint(0, {1, 2}); }, FileLines({"pt 1 2"})},
      {"coded point: tiny V3 is 1, codes out of range -3",
       [] {
         PutCodedPoint(0, {1, 2}, 0, 4, 20);
         PutCodedPoint(0, {1, 2}, -5e-9, 4, -8);
         PutCodedPoint(0, {1, 2}, 0.5, 4, -7);
         PutCodedPoint(0, {1, 2}, 2, 4, 11);
       },
       FileLines({"pt 1 2 1 4 -3", "pt 1 2 1 4 -3", "pt 1 2 0.5 4 -7", "pt 1 2 2 4 11"})},
      {"circles without radius",
       [] {
         PutCircle(0, {1, 2}, 1e-9);
         PutCircle(0, {1, 2}, -1);
         PutCircle(0, {1, 2}, 3);
       },
       FileLines({"ci 1 2 3"})},
      {"arcs without radius or sweep",
       [] {
         PutArc(0, {1, 2}, 0, 4, 5, 6, 7);
         PutArc(0, {1, 2}, 3, 4, 5, 0, 7);
         PutArc(0, {1, 2}, 3, 4, 5, -6, 7);
       },
       FileLines({"ci 1 2 3 4 5 -6 7"})},
      {"texts: keyword by kind, blanks kept, blank texts dropped",
       [] {
         PutText(0, 3, "  a b ", {1, 2}, {1, 0});
         PutText(0, 12, "x", {1, 2}, {0, -1});
         PutText(0, 9, "\x81\x40 \t", {1, 2}, {1, 0});  // full-width blank
         PutText(0, 0, "x", {1, 2}, {5e-9, -5e-9});
       },
       FileLines({"cr 1 2 1 0 \"  a b ", "ch 1 2 0 -1 \"x"})},
      {"solid2 and solid3 with coinciding corners",
       [] {
         PutSolid2(0, {0, 0}, {0, 5e-9});
         PutSolid3(0, {0, 0}, {5, 0}, {0, 0});
         PutSolid3(0, {0, 0}, {5, 0}, {5, 5});
       },
       FileLines({"sl 0 0 5 0 5 5"})},
      {"sc flags", [] {
         PutScSolid(0, {1, 2, 3, 4, 5, 6, 7}, 7);
         PutScSolid(0, {1, 2, 3, 4, 5, 6, 7}, -1);
         PutScSolid(0, {1, 2, 0, 4, 5, 6, 7}, 0);
       },
       FileLines({"sc 1 2 3 4 5 6 7 -1"})},
      {"se flags", [] {
         PutSeSolid(0, {1, 2, 3, 4, 5, 6, 7}, 5);
         PutSeSolid(0, {1, 2, 3, 0, 5, 6, 7}, 0);
         PutSeSolid(0, {1, 2, 3, 4, 5, 6, 7}, 100);
       },
       FileLines({"se 1 2 3 4 5 6 7 100"})},
      {"so and sg need 0 < V8 < V3 and V4", [] {
         PutSoSolid(0, {1, 2, 3, 4, 5, 6, 7, 3});
         PutSoSolid(0, {1, 2, 3, 4, 5, 6, 7, 0});
         PutSgSolid(0, {1, 2, 3, 0, 5, 6, 7, 1});
         PutSgSolid(0, {1, 2, 3, 4, 5, 6, 7, 1});
       },
       FileLines({"sg 1 2 3 4 5 6 7 1"})},
  };
  for (const Case& c : cases) ExpectOutput(c);
}

TEST_F(ElementLines, ReduceFourCornerSolids) {
  const struct {
    TXY p1, p2, p3, p4;
    const char* line;  // empty: nothing written
  } cases[] = {
      {{0, 0}, {0, 0}, {5, 0}, {5, 5}, "sl 0 0 5 0 5 5"},
      {{0, 0}, {5, 0}, {0, 0}, {5, 5}, ""},
      {{0, 0}, {5, 0}, {5, 5}, {0, 0}, "sl 0 0 5 0 5 5"},
      {{0, 0}, {5, 0}, {5, 0}, {5, 5}, "sl 0 0 5 0 5 5"},
      {{0, 0}, {5, 0}, {5, 5}, {5, 0}, ""},
      {{0, 0}, {5, 0}, {5, 5}, {5, 5}, "sl 0 0 5 0 5 5"},
      {{0, 0}, {0, 0}, {0, 0}, {5, 5}, ""},  // the reduced triangle is dropped too
      {{0, 0}, {5, 0}, {5, 5}, {0, 5}, "sl 0 0 5 0 5 5 0 5"},
  };
  for (const auto& c : cases) {
    ResetDrawingState();
    PutSolid4(0, c.p1, c.p2, c.p3, c.p4);
    EXPECT_EQ(RenderOutput(), *c.line ? FileLines({c.line}) : "hq\r\n") << c.line;
  }
}

TEST_F(ElementLines, DimensionsComputeAnEmptyText) {
  const Case cases[] = {
      {"3-4-5", [] { PutDim(0, " ", {0, 0}, {3, 4}, {1, 1}, {1, 0}); },
       FileLines({"msg", "0 0 3 4", "cs 1 1 1 0 \"5"})},
      {"a third", [] { PutDim(0, "", {0, 0}, {1.0 / 3, 0}, {1, 1}, {0, 1}); },
       FileLines({"msg", "0 0 0.333333333333333 0", "cs 1 1 0 1 \"0.33333333"})},
      {"own text", [] { PutDim(2, " 7 ", {0, 0}, {3, 4}, {1, 1}, {1, 0}); },
       FileLines({"z2", "msg", "0 0 3 4", "cs 1 1 1 0 \" 7 "})},
      {"no length or no direction", [] {
         PutDim(2, "", {1, 1}, {1, 1}, {1, 1}, {1, 0});
         PutDim(2, "", {0, 0}, {3, 4}, {1, 1}, {0, 0});
       },
       ""},
  };
  for (const Case& c : cases) ExpectOutput(c);
}

using ElementWriters = WriterTest;

TEST_F(ElementWriters, StateEachKindsAttributesBeforeItsLine) {
  const Case cases[] = {
      {"line: pen, z lines last, no polyline number",
       [] {
         Drawing.LwSeen = true;
         TLineRec line;
         line.Group = 1, line.Layer = 2, line.Color = 3, line.LineType = 4;
         line.LineWidth = 5, line.ZFlags = 1 | 16, line.PolylineNo = 9;
         line.X2 = 10;
         Store.Lines.push_back(line);
         WriteLineRec(0);
       },
       FileLines({"lg1", "ly2", "lc3", "lt4", "lw5", "z1", "z5", "0 0 10 0"})},
      {"dropped line states its pen, but its z lines are not left for the next",
       [] {
         TLineRec line;
         line.Color = 2, line.LineType = 1, line.ZFlags = 2;
         Store.Lines.push_back(line);
         TCircleRec circle;
         circle.Color = 2, circle.LineType = 1, circle.Radius = 3;
         Store.Circles.push_back(circle);
         WriteLineRec(0);
         WriteCircleRec(0);
       },
       FileLines({"lg0", "ly0", "lc2", "lt1", "ci 0 0 3"})},
      {"text: style and font, no pen",
       [] {
         TTextRec text;
         text.Color = 5, text.LineType = 7, text.TextKind = 1, text.Cc = 2;
         text.TextType = 3, text.Width = 9, text.DX = 1;
         text.FontName = StoreText("<>"), text.Text = StoreText("abc");
         Drawing.FirstFontName = "F\"";
         Store.Texts.push_back(text);
         WriteTextRec(0);
       },
       FileLines({"lg0", "ly0", "cn3", "cc2", "cn\"$F\"", "cv 0 0 1 0 \"abc"})},
      {"points: point colour and width, no line type",
       [] {
         Drawing.LwSeen = true;
         TPointRec point;
         point.Color = 5, point.LineType = 3, point.LineWidth = 2;
         Store.Points.push_back(point);
         TCodedPointRec coded;
         coded.Color = 5, coded.LineWidth = 2, coded.V3 = 2, coded.Code = 1;
         Store.CodedPoints.push_back(coded);
         WritePointRec(0);
         WriteCodedPointRec(0);
       },
       FileLines({"lg0", "ly0", "pn5", "lw2", "pt 0 0", "pt 0 0 2 0 1"})},
      {"dimension: its place, its line's pen, its text's style",
       [] {
         TDimRec dim;
         dim.Group = 2, dim.Layer = 3, dim.Color = 8, dim.ZFlags = 4;
         dim.Line.Group = 9, dim.Line.Color = 6, dim.Line.LineType = 2, dim.Line.X2 = 1;
         dim.Text.TextType = 4, dim.Text.TextKind = 0, dim.Text.DX = 1;
         dim.Text.FontName = StoreText(kDefaultFontName);
         dim.Text.Text = StoreText("");
         Store.Dims.push_back(dim);
         WriteDimRec(0);
       },
       FileLines({"lg2", "ly3", "lc6", "lt2", "cn4", "cc0",
                  "cn\"$<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>", "z3", "msg",
                  "0 0 1 0", "cs 0 0 1 0 \"1"})},
      {"solids: lc10 value for colour 10, width only for sl and se",
       [] {
         Drawing.LwSeen = true;
         TSolid2Rec s2;
         s2.Color = 10, s2.Lc10Value = 0x123456, s2.LineWidth = 3, s2.X2 = 1;
         Store.Solid2s.push_back(s2);
         TSolid3Rec s3;
         s3.Color = 4, s3.LineWidth = 6, s3.X2 = 1, s3.Y3 = 1;
         Store.Solid3s.push_back(s3);
         TSeSolidRec se;
         se.Color = 4, se.LineWidth = 6, se.V3 = 1, se.V4 = 1;
         Store.SeSolids.push_back(se);
         WriteSolidRec(kSolid2, 0);
         WriteSolidRec(kSolid3, 0);
         WriteSolidRec(kSeSolid, 0);
         WriteSolidRec(kSolid2, 1);  // not in the store
       },
       FileLines({"lg0", "ly0", "lc10 1193046", "lw3", "sl 0 0 1 0", "lc4", "sl 0 0 1 0 0 1",
                  "lw6", "se 0 0 1 1 0 0 0 0"})},
  };
  for (const Case& c : cases) ExpectOutput(c);
}

}  // namespace
}  // namespace kx27::testing
