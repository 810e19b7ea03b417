#include <gtest/gtest.h>

#include <string>

#include "exchange/solid_corners.h"
#include "tests/exchange/reader_test_support.h"

namespace kx27 {
namespace {

using testing::Kinds;
using testing::ReadLines;
using TKinds = std::vector<std::int32_t>;

struct TKindCase {
  std::string_view line;
  TKinds kinds;
};

TEST(ReaderElements, TokenCountsSelectTheKind) {
  const TKindCase cases[] = {
      {"1 2 3 4", {kLine}},
      {"ci 0 0 5", {kCircle}},
      {"ci 0 0 5 ", {}},
      {"ci 0 0 5 1", {}},
      {"ci 0 0 5 0 1 2 3", {kArc}},
      {"ci 0 0 5 0 1 2 3 4 5", {kArc}},
      {"ch 0 0 1 0 \"abc", {kText}},
      {"c2 0 0 1 0 ", {kText}},
      {"ch 0 0 1 \"abc", {}},
      {"cx 0 0 1 0 \"abc", {}},
      {"pt 1 2", {kPoint}},
      {"pt 1 2 ", {kLine}},
      {"pt 1 2 3 4 5", {kCodedPoint}},
      {"pt 1 2 3 4", {}},
      {"BL 1 2 name", {kBlock}},
      {"bl 1 2 name", {kLine}},
      {"sl 0 0 1 1", {kSolid2}},
      {"sl 0 0 1 1 2", {}},
      {"sl 0 0 1 0 1 1", {kSolid3}},
      {"sl 0 0 1 0 1 1 0 1", {kSolid4}},
      {"sl 0 0 1 0 1 1 0 1 9", {kSolid4}},
      {"sc 1 2 3 4 5 6 7 8", {kScSolid}},
      {"se 1 2 3 4 5 6 7 8", {kSeSolid}},
      {"so 1 2 3 4 5 6 7 8", {kSoSolid}},
      {"sg 1 2 3 4 5 6 7 8", {kSgSolid}},
      {"sg 1 2 3 4 5 6 7", {}},
      {"hd", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    ReadLines({c.line});
    EXPECT_EQ(Kinds(), c.kinds);
  }
}

TEST(ReaderElements, RecordsTakeTheirFields) {
  ReadLines({"hhp7", "z2", "lg2", "ly3", "lc3", "lt4", "lw5", "lc10 9", "pn6",
             "-1.5 2 3 4", "ci 1 2 3 4 5 6 7", "pt 1 2 3 4 -8", "BL 1 2 \x83\x75 x",
             "sc 1 2 3 4 5 6 7 $10", "so 1 2 3 4 5 6 7 8"});
  ASSERT_EQ(Kinds(), (TKinds{kLine, kArc, kCodedPoint, kBlock, kScSolid, kSoSolid}));
  const TLineRec& line = Store.Lines[0];
  EXPECT_EQ(line.HhpNo, 7);
  EXPECT_EQ(line.ZFlags, 2);
  EXPECT_EQ((std::vector<int>{line.Group, line.Layer, line.Color, line.LineType, line.LineWidth}),
            (std::vector<int>{2, 3, 10, 4, 5}));
  EXPECT_EQ(line.X1, -1.5);
  EXPECT_EQ(line.Y2, 4.0);
  EXPECT_EQ(Store.Arcs[0].HhpNo, 0);
  EXPECT_EQ(Store.Arcs[0].V7, 7.0);
  EXPECT_EQ(Store.CodedPoints[0].Color, 6);
  EXPECT_EQ(Store.CodedPoints[0].Code, -8);
  EXPECT_EQ(StoredText(Store.Blocks[0].Name), "\x83\x75");
  EXPECT_EQ(Store.ScSolids[0].Lc10Value, 9);
  EXPECT_EQ(Store.ScSolids[0].Flag, 16);
  EXPECT_EQ(Store.SoSolids[0].V8, 8.0);
  EXPECT_EQ(Drawing.CurColor, 10);
}

TEST(ReaderElements, TextTakesItsTypeOrTheStatedSize) {
  struct TCase {
    const char* type_line;
    double width;
    std::int32_t color;
  };
  const TCase cases[] = {{"cn3", 7.0, 5}, {"cn0 9 9 1 4", 9.0, 4}, {"cn11", 2.0, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type_line);
    ReadLines({"hcw 1 1 7 1 1 1 1 1 1 1", "hcc 1 1 5 1 1 1 1 1 1 1", "lc8", "cc4",
               c.type_line, "cv 1 2 3 4 \"A B"});
    ASSERT_EQ(Store.Texts.size(), 1u);
    const TTextRec& text = Store.Texts[0];
    EXPECT_EQ(text.Width, c.width);
    EXPECT_EQ(text.Color, c.color);
    EXPECT_EQ(text.TextKind, 1);
    EXPECT_EQ(text.Cc, 4);
    EXPECT_EQ(text.DY, 4.0);
    EXPECT_EQ(StoredText(text.Text), "A B");
    EXPECT_EQ(StoredText(text.FontName), kDefaultFontName);
  }
}

TEST(ReaderElements, TextsShareAnUnchangedFontName) {
  ReadLines({"ch 0 0 1 0 a", "ch 0 0 1 0 b", "cn$Arial", "ch 0 0 1 0 c", "cn$Arial",
             "ch 0 0 1 0 d"});
  ASSERT_EQ(Store.Texts.size(), 4u);
  EXPECT_EQ(Store.Texts[0].FontName.Offset, Store.Texts[1].FontName.Offset);
  EXPECT_EQ(StoredText(Store.Texts[2].FontName), "Arial");
  EXPECT_EQ(Store.Texts[2].FontName.Offset, Store.Texts[3].FontName.Offset);
  ResetDrawingState();
  ParseLine("ch 0 0 1 0 e");
  EXPECT_EQ(StoredText(Store.Texts[0].FontName), kDefaultFontName);
}

TEST(ReaderElements, LongTextsAreCutBeforeACharacterThatWouldStraddle) {
  const std::string ascii(300, 'a');
  std::string kanji;  // the 255th byte is a lead byte
  for (int i = 0; i < 150; ++i) kanji += "\x8a\xbf";
  ReadLines({"ch 0 0 1 0 \"" + ascii, "ch 0 0 1 0 \"" + kanji, "cn$" + kanji,
             "ch 0 0 1 0 x"});
  ASSERT_EQ(Store.Texts.size(), 3u);
  EXPECT_EQ(StoredText(Store.Texts[0].Text), ascii.substr(0, 255));
  EXPECT_EQ(StoredText(Store.Texts[1].Text), kanji.substr(0, 254));
  EXPECT_EQ(StoredText(Store.Texts[2].FontName), kanji.substr(0, 254));
}

TEST(ReaderElements, DimensionFigures) {
  ReadLines({"msg", "lc4", "0 0 10 0", "lc5", "cs 1 2 1 0 \"10"});
  ASSERT_EQ(Kinds(), TKinds{kDim});
  const TDimRec& dim = Store.Dims[0];
  EXPECT_EQ(dim.Color, 5);
  EXPECT_EQ(dim.Line.Color, 4);
  EXPECT_EQ(dim.Line.X2, 10.0);
  EXPECT_EQ(dim.Text.TextKind, 2);
  EXPECT_EQ(dim.Text.Color, Drawing.TextTypes[1].Color);
  EXPECT_FALSE(Drawing.DimensionMode);

  ReadLines({"msg", "cs 1 2 1 0 \"1"});
  ASSERT_EQ(Kinds(), TKinds{kDim});
  EXPECT_EQ(Store.Dims[0].Line.X2, 1.0);

  ReadLines({"msg", "0 0 7 0", "ch 1 2 1 0 \"1", "msg", "cs 1 2 1 0 \"1"});
  ASSERT_EQ(Kinds(), (TKinds{kText, kDim}));
  EXPECT_EQ(Store.Dims[0].Line.X2, 7.0);
}

TEST(ReaderElements, PolylinesAndPerElementResets) {
  ReadLines({"pl", "hhp3", "z1", "0 0 1 0", "0 0 2 0", "pl", "0 0 3 0", "lc2", "0 0 4 0"});
  ASSERT_EQ(Store.Lines.size(), 4u);
  EXPECT_EQ(Store.Lines[0].PolylineNo, 1);
  EXPECT_EQ(Store.Lines[0].HhpNo, 3);
  EXPECT_EQ(Store.Lines[1].PolylineNo, 1);
  EXPECT_EQ(Store.Lines[1].ZFlags, 0);
  EXPECT_EQ(Store.Lines[2].PolylineNo, 2);
  EXPECT_EQ(Store.Lines[3].PolylineNo, 0);

  ReadLines({"pl", "msg", "ci 0 0 1", "z3", "hd", "0 0 1 0"});
  EXPECT_FALSE(Drawing.DimensionMode);
  EXPECT_EQ(Store.Lines[0].ZFlags, 4);
  ReadLines({"pl", "ci 0 0 1", "0 0 1 0"});
  EXPECT_EQ(Store.Lines[0].PolylineNo, 0);
}

TEST(ReaderElements, SolidCorners) {
  struct TCase {
    std::vector<TCorner> corners;
    TKind kind;
    std::vector<int> picked;
  };
  const TCorner a{0, 0}, b{5, 0}, c{5, 5}, d{0, 5}, a_near{1e-11, -1e-11}, a_far{0, 1e-9};
  const TCase cases[] = {
      {{a, b}, kSolid2, {0, 1}},
      {{a, a, c}, kSolid2, {0, 2}},
      {{a, b, b}, kSolid2, {0, 1}},
      {{a, b, a}, kSolid3, {0, 1, 2}},
      {{a, a, a, d}, kSolid2, {0, 3}},
      {{a, b, b, b}, kSolid2, {0, 1}},
      {{a, a, c, c}, kSolid2, {0, 2}},
      {{a, b, c, a}, kSolid3, {0, 1, 2}},
      {{a, b, c, c}, kSolid3, {0, 1, 2}},
      {{a, b, a, d}, kSolid3, {0, 1, 3}},
      {{a, a, c, d}, kSolid3, {0, 2, 3}},
      {{a, b, c, d}, kSolid4, {0, 1, 2, 3}},
      {{a, a_near, c}, kSolid2, {0, 2}},
      {{a, a_far, c}, kSolid3, {0, 1, 2}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(::testing::Message() << "corners " << t.corners.size() << " expect " << t.kind);
    const TSolidShape shape = ReduceSolidCorners(t.corners);
    EXPECT_EQ(shape.Kind, t.kind);
    EXPECT_EQ(std::vector<int>(shape.Corner.begin(), shape.Corner.begin() + t.picked.size()),
              t.picked);
  }
}

TEST(ReaderElements, SolidLinesStoreTheRemainingCorners) {
  ReadLines({"lc10 3", "sl 0 0 5 0 5 5 0 0", "sl 0 0 0 0 5 5", "sl 1 2 3 4 5 6 7 8"});
  ASSERT_EQ(Kinds(), (TKinds{kSolid3, kSolid2, kSolid4}));
  const TSolid3Rec& s3 = Store.Solid3s[0];
  EXPECT_EQ((std::vector<double>{s3.X1, s3.Y1, s3.X2, s3.Y2, s3.X3, s3.Y3}),
            (std::vector<double>{0, 0, 5, 0, 5, 5}));
  EXPECT_EQ(Store.Solid3s[0].Lc10Value, 3);
  EXPECT_EQ(Store.Solid2s[0].X2, 5.0);
  EXPECT_EQ(Store.Solid4s[0].Y4, 8.0);
}

TEST(ReaderElements, OrderListFollowsTheInputAcrossGrowth) {
  ResetDrawingState();
  for (int i = 0; i < 1001; ++i) ParseLine(i % 2 ? "ci 0 0 1" : "0 0 1 1");
  ASSERT_EQ(Store.OrderList.size(), 1001u);
  EXPECT_EQ(Store.OrderList[1000].Kind, kLine);
  EXPECT_EQ(Store.OrderList[1000].Index, 500);
  EXPECT_EQ(Store.OrderList[999].Kind, kCircle);
  EXPECT_EQ(Store.OrderList[999].Index, 499);
}

}  // namespace
}  // namespace kx27
