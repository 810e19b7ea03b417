#include <gtest/gtest.h>

#include <string>

#include "exchange/drawing.h"
#include "exchange/reader.h"
#include "exchange/solid_corners.h"
#include "tests/exchange/temp_folder.h"

namespace kx27::testing {
namespace {

using namespace std::string_literals;
using TKinds = std::vector<std::int32_t>;
using TNums = std::vector<double>;

// A fresh drawing with the given lines applied.
TDrawing ReadLines(const std::vector<std::string_view>& lines) {
  TExchangeReader reader;
  for (const std::string_view line : lines) reader.ParseLine(line);
  return std::move(reader.Drawing());
}

TKinds Kinds(const TDrawing& d) {
  TKinds kinds;
  for (const TOrderEntry& e : d.Store.OrderList) kinds.push_back(e.Kind);
  return kinds;
}

// One value of the drawing state after a few lines.
template <typename T>
struct TStateCase {
  std::vector<std::string_view> lines;
  T (*value)(const TDrawingState&);
  T expected;
};
#define FIELD(expr) [](const TDrawingState& d) { return static_cast<double>(d.expr); }
#define NAME(expr) [](const TDrawingState& d) { return std::string(d.expr); }

template <typename T>
void RunCases(const std::vector<TStateCase<T>>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "lines ending " << c.lines.back());
    EXPECT_EQ(c.value(ReadLines(c.lines).State), c.expected);
  }
}

TEST(ReaderCommands, HeaderValuesLayersAndAttributes) {
  RunCases<double>({
      {{"hk 2.5"}, FIELD(HkValue), 2.5},
      {{"hk 1 "}, FIELD(HkValue), 1.0},
      {{"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"}, FIELD(GroupScales[15]), 16},
      {{"hs 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9"}, FIELD(GroupScales[0]), 1},
      {{"hzs 420 297"}, FIELD(PaperHeight), 297},
      {{"hcw 1 2 3 4 5 6 7 8 9 10"}, FIELD(TextTypes[10].Width), 10},
      {{"hch 1 2 3 4 5 6 7 8 9 10"}, FIELD(TextTypes[1].Height), 1},
      {{"hcd 0 0 .5 0 0 0 0 0 0 0"}, FIELD(TextTypes[3].Spacing), 0.5},
      {{"hcc 1 2 3 4 5 6 7 8 9 $A"}, FIELD(TextTypes[10].Color), 10},
      {{"hcc 1 2 3 4 5 6 7 8 9"}, FIELD(TextTypes[1].Color), 2},
      {{"bz"}, FIELD(BzFlag), 1},
      {{"hn 1 2 3 4"}, FIELD(HnValues[3]), 4},
      {{"lg"}, FIELD(Current.Group), 0},
      {{"lgA 5"}, FIELD(GroupArgs[10]), 5},
      {{"lgf"}, FIELD(Current.Group), 15},
      {{"lgZ"}, FIELD(Current.Group), 0},
      {{"lg12"}, FIELD(Current.Group), 1},
      {{"lg3", "lg5"}, FIELD(FirstSeen.Group), 3},
      {{"lg3", "lg5"}, FIELD(AttrUnset[kAttrGroup]), 0},
      {{"lg2", "lyF 7"}, FIELD(LayerArgs[2][15]), 7},
      {{"lyc", "ly1"}, FIELD(FirstSeen.Layer), 12},
      {{"lc10 255"}, FIELD(CurLc10Value), 255},
      {{"lc10 4", "lc10"}, FIELD(CurLc10Value), 4},
      {{"lc3 4"}, FIELD(CurLc10Value), 0},
      {{"lc$1F"}, FIELD(Current.Color), 31},
      {{"lt5", "lt6"}, FIELD(FirstSeen.LineType), 5},
      {{"lw3", "lw4"}, FIELD(Current.LineWidth), 4},
      {{"lw3"}, FIELD(LwSeen), 1},
      {{"cc9"}, FIELD(CurCc), 0},
      {{"cc12"}, FIELD(CurCc), 1},
      {{"cn0 2.5 2.5 0.5 3"}, FIELD(FirstSeen.TextWidth), 2.5},
      {{"cn0 2.5 2.5 0.5 3"}, FIELD(Current.TextColor), 3},
      {{"cn4", "cn0 2.5 1 1 1"}, FIELD(FirstSeen.TextWidth), 2},
      {{"cn4", "cn0 2.5"}, FIELD(Current.TextType), 0},
      {{"cn4", "cn0 2.5"}, FIELD(Current.TextWidth), 2},
      {{"z4", "z4", "z1"}, FIELD(CurZFlags), 9},
      {{"z6"}, FIELD(CurZFlags), 0},
      {{"pn5"}, FIELD(CurPointColor), 5},
      {{"hhp12ln"}, FIELD(CurHhpNo), 12},
      {{"hhp5"}, FIELD(CurHhpNo), 5},
  });
  RunCases<std::string>({
      {{"lg3", "lgn\x8c\x9a\x8b\xef"}, NAME(GroupNames[3]), "\x8c\x9a\x8b\xef"},
      {{"lg2", "ly4", "lynWall"}, NAME(LayerNames[2][4]), "Wall"},
      // A name is the rest of its line, blanks, quotes and half-width kana kept.
      {{"ly1", "lyn \x90\x63"}, NAME(LayerNames[0][1]), " \x90\x63"},
      {{"ly2", "lyn\x81\x40\x8b\x9c\x91\xcc"}, NAME(LayerNames[0][2]), "\x81\x40\x8b\x9c\x91\xcc"},
      {{"ly3", "lyn \xb4\xda\xcd\xde-\xc0"}, NAME(LayerNames[0][3]), " \xb4\xda\xcd\xde-\xc0"},
      {{"lg1", "lgnA  \x92\xca\x82\xe8 "}, NAME(GroupNames[1]), "A  \x92\xca\x82\xe8 "},
      {{"lyn \"x = y"}, NAME(LayerNames[0][0]), " \"x = y"},
      {{"  lyn a\tb\x01"
        "c"},
       NAME(LayerNames[0][0]),
       " abc"},
      {{"\x01lyn a b"}, NAME(LayerNames[0][0]), ""},
      {{"lgn 1 2 3"}, NAME(GroupNames[0]), " 1 2 3"},
      {{"cn$", "cn\"$MS Mincho", "cn$A"}, NAME(FirstSeen.FontName), "MS Mincho"},
      {{"cn$", "cn\"$MS Mincho", "cn$A"}, NAME(Current.FontName), "A"},
      {{"xfile=abc"}, NAME(SourceFileName), "=abc"},
      {{"file=C:\\a b.jww"}, NAME(SourceFileName), "C:\\a b.jww"},
      {{"\x83"
        "file= 1 2 3"},
       NAME(SourceFileName),
       ""},
  });
}

TEST(ReaderCommands, NumberedPoints) {
  TDrawing d = ReadLines({"hp3ln 10 20", "hp2- 0 0", "hp4ci 0 0", "hp5ch 0 0", "hp0 1 2",
                          "hp100 1 2", "hp6 1", "hp7 1 1", "hp7 2 2"});
  const auto& p = d.State.HpPoints;
  EXPECT_EQ((std::vector<int>{p[2].Suffix, p[3].Suffix, p[4].Suffix, p[5].Suffix}),
            (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ((TNums{p[3].X, p[3].Y, p[7].X}), (TNums{10, 20, 2}));
  EXPECT_FALSE(p[0].Used || p[6].Used);
  EXPECT_EQ(d.State.HpCount, 6);
}

TEST(ReaderCommands, ModesAndWhatEndsThem) {
  const struct {
    std::vector<std::string_view> lines;
    bool polyline, dimension;
  } cases[] = {
      {{"pl"}, true, false},
      {{"pl", "lc2"}, false, false},
      {{"pl", "z1"}, true, false},
      {{"pl", "hhp1"}, true, false},
      {{"pl", "msg"}, false, true},
      {{"msg", "lc2", "cn1", "lg1"}, false, true},
      {{"msg", "pl"}, true, false},
      {{"msg", "pl", "# comment"}, false, false},
      {{"msg", "#comment"}, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines.back());
    TDrawing d = ReadLines(c.lines);
    EXPECT_EQ(d.State.PolylineMode, c.polyline);
    EXPECT_EQ(d.State.DimensionMode, c.dimension);
  }
  const TDrawing two = ReadLines({"pl", "pl"});
  EXPECT_EQ(two.State.PolylineCount, 2);
}

TEST(ReaderCommands, ShortHeaderFallsToElementRules) {
  TDrawing d = ReadLines({"hcw 1 2 3", "hk", "lgn 1 2 3", "hd", "hq"});
  ASSERT_EQ(Kinds(d), TKinds{kLine});
  EXPECT_EQ((TNums{d.Store.Lines[0].X1, d.Store.Lines[0].Y2}), (TNums{0, 3}));
  EXPECT_EQ(d.State.TextTypes[1].Width, 3.0);
}

TEST(ReaderElements, TokenCountsSelectTheKind) {
  const struct {
    std::string_view line;
    TKinds kinds;
  } cases[] = {
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
    TDrawing d = ReadLines({c.line});
    EXPECT_EQ(Kinds(d), c.kinds);
  }
}

std::vector<int> Attrs(const TCommonAttrs& r) {
  return {r.HhpNo, r.Group, r.Layer, r.Color, r.LineType, r.LineWidth, r.ZFlags};
}

TEST(ReaderElements, RecordsTakeTheirFields) {
  TDrawing d = ReadLines({"hhp7", "z2", "lg2", "ly3", "lc3", "lt4", "lw5", "lc10 9", "pn6",
                          "-1.5 2 3 4", "ci 1 2 3 4 5 6 7", "pt 1 2 3 4 -8", "BL 1 2 \x83\x75 x",
                          "sc 1 2 3 4 5 6 7 $10", "so 1 2 3 4 5 6 7 8"});
  ASSERT_EQ(Kinds(d), (TKinds{kLine, kArc, kCodedPoint, kBlock, kScSolid, kSoSolid}));
  EXPECT_EQ(Attrs(d.Store.Lines[0]), (std::vector<int>{7, 2, 3, 10, 4, 5, 2}));
  EXPECT_EQ((TNums{d.Store.Lines[0].X1, d.Store.Lines[0].Y2}), (TNums{-1.5, 4}));
  EXPECT_EQ(d.Store.Arcs[0].HhpNo, 0);
  EXPECT_EQ(d.Store.Arcs[0].TiltAngle, 7.0);
  EXPECT_EQ((std::vector<int>{d.Store.CodedPoints[0].Color, d.Store.CodedPoints[0].Code}),
            (std::vector<int>{6, -8}));
  EXPECT_EQ(d.Store.Text(d.Store.Blocks[0].Name), "\x83\x75");
  EXPECT_EQ((std::vector<int>{d.Store.ScSolids[0].Lc10Value, d.Store.ScSolids[0].Flag}),
            (std::vector<int>{9, 16}));
  EXPECT_EQ(d.Store.SoSolids[0].InnerRadius, 8.0);
  EXPECT_EQ(d.State.Current.Color, 10);
}

TEST(ReaderElements, TextTakesItsTypeOrTheStatedSize) {
  const struct {
    const char* type_line;
    double width;
    std::int32_t color;
  } cases[] = {{"cn3", 7.0, 5}, {"cn0 9 9 1 4", 9.0, 4}, {"cn11", 2.0, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type_line);
    TDrawing d = ReadLines({"hcw 1 1 7 1 1 1 1 1 1 1", "hcc 1 1 5 1 1 1 1 1 1 1", "lc8", "cc4",
                            c.type_line, "cv 1 2 3 4 \"A B"});
    ASSERT_EQ(d.Store.Texts.size(), 1u);
    const TTextRec& text = d.Store.Texts[0];
    EXPECT_EQ((TNums{text.Width, 1.0 * text.Color, 1.0 * text.TextKind, 1.0 * text.Cc, text.DY}),
              (TNums{c.width, 1.0 * c.color, 1, 4, 4}));
    EXPECT_EQ(d.Store.Text(text.Text), "A B");
    EXPECT_EQ(d.Store.Text(text.FontName), kDefaultFontName);
  }
}

TEST(ReaderElements, TextsShareAnUnchangedFontName) {
  TDrawing d = ReadLines(
      {"ch 0 0 1 0 a", "ch 0 0 1 0 b", "cn$Arial", "ch 0 0 1 0 c", "cn$Arial", "ch 0 0 1 0 d"});
  ASSERT_EQ(d.Store.Texts.size(), 4u);
  EXPECT_EQ(d.Store.Texts[0].FontName.Offset, d.Store.Texts[1].FontName.Offset);
  EXPECT_EQ(d.Store.Text(d.Store.Texts[2].FontName), "Arial");
  EXPECT_EQ(d.Store.Texts[2].FontName.Offset, d.Store.Texts[3].FontName.Offset);
  d = ReadLines({"ch 0 0 1 0 e"});
  EXPECT_EQ(d.Store.Text(d.Store.Texts[0].FontName), kDefaultFontName);
}

TEST(ReaderElements, LongTextsAreCutBeforeACharacterThatWouldStraddle) {
  const std::string ascii(300, 'a');
  std::string kanji;  // the 255th byte is a lead byte
  for (int i = 0; i < 150; ++i) kanji += "\x8a\xbf";
  TDrawing d =
      ReadLines({"ch 0 0 1 0 \"" + ascii, "ch 0 0 1 0 \"" + kanji, "cn$" + kanji, "ch 0 0 1 0 x"});
  ASSERT_EQ(d.Store.Texts.size(), 3u);
  EXPECT_EQ(d.Store.Text(d.Store.Texts[0].Text), ascii.substr(0, 255));
  EXPECT_EQ(d.Store.Text(d.Store.Texts[1].Text), kanji.substr(0, 254));
  EXPECT_EQ(d.Store.Text(d.Store.Texts[2].FontName), kanji.substr(0, 254));
}

TEST(ReaderElements, DimensionFigures) {
  TDrawing d = ReadLines({"msg", "lc4", "0 0 10 0", "lc5", "cs 1 2 1 0 \"10"});
  ASSERT_EQ(Kinds(d), TKinds{kDim});
  const TDimRec& dim = d.Store.Dims[0];
  EXPECT_EQ((std::vector<int>{dim.Color, dim.Line.Color, dim.Text.TextKind, dim.Text.Color}),
            (std::vector<int>{5, 4, 2, d.State.TextTypes[1].Color}));
  EXPECT_EQ(dim.Line.X2, 10.0);
  EXPECT_FALSE(d.State.DimensionMode);

  d = ReadLines({"msg", "cs 1 2 1 0 \"1"});
  ASSERT_EQ(Kinds(d), TKinds{kDim});
  EXPECT_EQ(d.Store.Dims[0].Line.X2, 1.0);

  d = ReadLines({"msg", "0 0 7 0", "ch 1 2 1 0 \"1", "msg", "cs 1 2 1 0 \"1"});
  ASSERT_EQ(Kinds(d), (TKinds{kText, kDim}));
  EXPECT_EQ(d.Store.Dims[0].Line.X2, 7.0);
}

TEST(ReaderElements, DimensionKeepsTheFlagsGivenAfterMsg) {
  const struct {
    std::vector<std::string_view> lines;
    int flags;
  } cases[] = {
      {{"msg", "z1", "0 0 10 0", "cs 1 2 1 0 \"10"}, 1},
      {{"msg", "0 0 10 0", "z3", "z1", "cs 1 2 1 0 \"10"}, 5},
      {{"z2", "msg", "0 0 10 0", "cs 1 2 1 0 \"10"}, 2},
      {{"msg", "0 0 10 0", "cs 1 2 1 0 \"10", "ci 0 0 1"}, 0},
  };
  for (const auto& c : cases) {
    TDrawing d = ReadLines(c.lines);
    ASSERT_EQ(d.Store.Dims.size(), 1u);
    EXPECT_EQ(d.Store.Dims[0].ZFlags, c.flags) << c.lines[1];
    if (!d.Store.Circles.empty()) {
      EXPECT_EQ(d.Store.Circles[0].ZFlags, 0);
    }
  }
}

TEST(ReaderElements, PolylinesAndPerElementResets) {
  TDrawing d =
      ReadLines({"pl", "hhp3", "z1", "0 0 1 0", "0 0 2 0", "pl", "0 0 3 0", "lc2", "0 0 4 0"});
  ASSERT_EQ(d.Store.Lines.size(), 4u);
  std::vector<int> polylines;
  for (const TLineRec& line : d.Store.Lines) polylines.push_back(line.PolylineNo);
  EXPECT_EQ(polylines, (std::vector<int>{1, 1, 2, 0}));
  EXPECT_EQ(d.Store.Lines[0].HhpNo, 3);
  EXPECT_EQ(d.Store.Lines[1].ZFlags, 0);

  d = ReadLines({"pl", "msg", "ci 0 0 1", "z3", "hd", "0 0 1 0"});
  EXPECT_FALSE(d.State.DimensionMode);
  EXPECT_EQ(d.Store.Lines[0].ZFlags, 4);
  d = ReadLines({"pl", "ci 0 0 1", "0 0 1 0"});
  EXPECT_EQ(d.Store.Lines[0].PolylineNo, 0);
}

TEST(ReaderElements, SolidCorners) {
  const TCorner a{0, 0}, b{5, 0}, c{5, 5}, d{0, 5}, a_near{1e-11, -1e-11}, a_far{0, 1e-9};
  const struct {
    std::vector<TCorner> corners;
    TKind kind;
    std::vector<int> picked;
  } cases[] = {
      {{a, b}, kSolid2, {0, 1}},          {{a, a, c}, kSolid2, {0, 2}},
      {{a, b, b}, kSolid2, {0, 1}},       {{a, b, a}, kSolid3, {0, 1, 2}},
      {{a, a, a, d}, kSolid2, {0, 3}},    {{a, b, b, b}, kSolid2, {0, 1}},
      {{a, a, c, c}, kSolid2, {0, 2}},    {{a, b, c, a}, kSolid3, {0, 1, 2}},
      {{a, b, c, c}, kSolid3, {0, 1, 2}}, {{a, b, a, d}, kSolid3, {0, 1, 3}},
      {{a, a, c, d}, kSolid3, {0, 2, 3}}, {{a, b, c, d}, kSolid4, {0, 1, 2, 3}},
      {{a, a_near, c}, kSolid2, {0, 2}},  {{a, a_far, c}, kSolid3, {0, 1, 2}},
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
  TDrawing d = ReadLines({"lc10 3", "sl 0 0 5 0 5 5 0 0", "sl 0 0 0 0 5 5", "sl 1 2 3 4 5 6 7 8"});
  ASSERT_EQ(Kinds(d), (TKinds{kSolid3, kSolid2, kSolid4}));
  const TSolid3Rec& s3 = d.Store.Solid3s[0];
  EXPECT_EQ((TNums{s3.X1, s3.Y1, s3.X2, s3.Y2, s3.X3, s3.Y3}), (TNums{0, 0, 5, 0, 5, 5}));
  EXPECT_EQ(s3.Lc10Value, 3);
  EXPECT_EQ((TNums{d.Store.Solid2s[0].X2, d.Store.Solid4s[0].Y4}), (TNums{5, 8}));
}

TEST(ReaderElements, OrderListFollowsTheInputAcrossGrowth) {
  TExchangeReader reader;
  for (int i = 0; i < 1001; ++i) reader.ParseLine(i % 2 ? "ci 0 0 1" : "0 0 1 1");
  const auto& list = reader.Drawing().Store.OrderList;
  ASSERT_EQ(list.size(), 1001u);
  EXPECT_EQ((TKinds{list[1000].Kind, list[1000].Index, list[999].Kind, list[999].Index}),
            (TKinds{kLine, 500, kCircle, 499}));
}

// Reads bytes as the exchange file.
TDrawing ReadFile(const TTempFolder& folder, const std::string& bytes) {
  TExchangeRead read = ReadExchangeFile(folder.Write("JWC_TEMP.TXT", bytes));
  EXPECT_EQ(read.Status, TReadStatus::kComplete);
  return std::move(read.Drawing);
}

TEST(ReaderFile, LineEnds) {
  const struct {
    const char* name;
    std::string bytes;
    TKinds kinds;
  } cases[] = {
      {"LF", "ci 0 0 1\n0 0 1 1\n", {kCircle, kLine}},
      {"CR LF", "ci 0 0 1\r\n0 0 1 1\r\n", {kCircle, kLine}},
      {"lone CR is dropped, not a break", "ci 0 0\r 1\r0 0 1 1\n", {}},
      {"lone CR inside a token", "ci 0 0 1\r1\n", {kCircle}},
      {"no final line feed", "ci 0 0 1\n0 0 1 1", {kCircle, kLine}},
      {"0x1A starts a line: the rest is not read",
       "ci 0 0 1\n\x1a"
       "0 0 1 1\n",
       {kCircle}},
      {"0x1A inside a line cuts it", "ci 0 0 1\x1a junk\n0 0 1 1\n", {kCircle, kLine}},
      {"NUL bytes are dropped", "c\0i 0 0 1\n"s, {kCircle}},
      {"blank lines", "\n\r\n \t\n", {}},
      {"empty file", "", {}},
  };
  TTempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TDrawing d = ReadFile(folder, c.bytes);
    EXPECT_EQ(Kinds(d), c.kinds);
  }
}

TEST(ReaderFile, CarriageReturnNeverJoinsADoubleByteCharacter) {
  TTempFolder folder;
  TDrawing d = ReadFile(folder, "ch 0 0 1 0 \"\x82\r\xa0\r\nBL 0 0 a\x82\r\n");
  ASSERT_EQ(Kinds(d), (TKinds{kText, kBlock}));
  EXPECT_EQ(d.Store.Text(d.Store.Texts[0].Text), "\x82\xa0");
  EXPECT_EQ(d.Store.Text(d.Store.Blocks[0].Name), "a");
}

TEST(ReaderFile, NamesAreWholeLinesAsTheHostWritesThem) {
  TTempFolder folder;
  const TDrawing d = ReadFile(folder,
                              "hq\r\nlg2\r\nlgn \x8c\x9a\x8b\xef\r\nly3\r\nlyn\x81\x40"
                              "A \x92\xca\x82\xe8\r\n"
                              "ly4\r\nlyn\r\n");
  EXPECT_EQ(d.State.GroupNames[2], " \x8c\x9a\x8b\xef");
  EXPECT_EQ(d.State.LayerNames[2][3],
            "\x81\x40"
            "A \x92\xca\x82\xe8");
  EXPECT_EQ(d.State.LayerNames[2][4], "");
}

TEST(ReaderFile, LinesAcrossBlocks) {
  // The CR of the first line ends the first 1 MiB block, its LF begins the
  // next; the second line is 10 MB long.
  const std::size_t block = std::size_t{1} << 20;
  std::string bytes = "BL 0 0 ";
  bytes += std::string(block - bytes.size() - 2, 'n') + "\x82\r\n";
  bytes += "ch 0 0 1 0 \"";
  bytes.append(10'000'000, 't');
  TTempFolder folder;
  TDrawing d = ReadFile(folder, bytes + "\n1 2 3 4");
  ASSERT_EQ(Kinds(d), (TKinds{kBlock, kText, kLine}));
  EXPECT_EQ(d.Store.Text(d.Store.Blocks[0].Name), std::string(block - 9, 'n'));
  EXPECT_EQ(d.Store.Text(d.Store.Texts[0].Text), std::string(255, 't'));
  EXPECT_EQ(d.Store.Lines[0].Y2, 4.0);
}

TEST(ReaderFile, HugeTokenCountsAndNumbers) {
  std::string many = "sc";
  for (int i = 1; i <= 10'000; ++i) many.append(" ").append(std::to_string(i));
  TTempFolder folder;
  TDrawing d = ReadFile(folder, many + "\n1e999 -1e999 1e-999 2\n");
  ASSERT_EQ(Kinds(d), (TKinds{kScSolid, kLine}));
  EXPECT_EQ(d.Store.ScSolids[0].EndAngle, 7.0);
  EXPECT_EQ(d.Store.ScSolids[0].Flag, 8);
  const TLineRec& line = d.Store.Lines[0];
  EXPECT_EQ((TNums{line.X1, line.Y1, line.X2, line.Y2}), (TNums{0, 0, 0, 2}));
}

TEST(ReaderFile, WhatCannotBeReadSaysWhy) {
  TTempFolder folder;
  const TExchangeRead missing = ReadExchangeFile(folder / "missing.txt");
  EXPECT_EQ(missing.Status, TReadStatus::kMissing);
  EXPECT_TRUE(missing.Drawing.Store.OrderList.empty());
  EXPECT_NE(ReadExchangeFile(folder.Path()).Status, TReadStatus::kComplete);
}

TEST(ReaderFile, TwoDrawingsLiveSideBySide) {
  TTempFolder folder;
  const TExchangeRead first = ReadExchangeFile(folder.Write("a.txt", "lg3\r\nlc5\r\n0 0 1 1\r\n"));
  const TExchangeRead second = ReadExchangeFile(folder.Write("b.txt", "ci 0 0 2\r\n"));
  EXPECT_EQ(Kinds(first.Drawing), TKinds{kLine});
  EXPECT_EQ(Kinds(second.Drawing), TKinds{kCircle});
  EXPECT_EQ(first.Drawing.State.Current.Group, 3);
  EXPECT_EQ(second.Drawing.State.Current.Group, 0);
  EXPECT_EQ(second.Drawing.Store.Circles[0].Color, 1);
}

}  // namespace
}  // namespace kx27::testing
