#include <gtest/gtest.h>

#include "tests/exchange/reader_test_support.h"

namespace kx27 {
namespace {

using testing::Kinds;
using testing::ReadLines;

// One value of the drawing state after a few lines; integers and flags
// compare as doubles.
struct TStateCase {
  std::vector<std::string_view> lines;
  double (*value)(const TDrawingState&);
  double expected;
};

void RunCases(const std::vector<TStateCase>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "lines starting " << c.lines.front());
    ReadLines(c.lines);
    EXPECT_EQ(c.value(Drawing), c.expected);
  }
}

TEST(ReaderCommands, HeaderValues) {
  RunCases({
      {{"hk 2.5"}, [](auto& d) { return d.HkValue; }, 2.5},
      {{"hk 1 "}, [](auto& d) { return d.HkValue; }, 1.0},
      {{"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"}, [](auto& d) { return d.GroupScales[15]; }, 16},
      {{"hs 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9"}, [](auto& d) { return d.GroupScales[0]; }, 1},
      {{"hzs 420 297"}, [](auto& d) { return d.PaperHeight; }, 297},
      {{"hcw 1 2 3 4 5 6 7 8 9 10"}, [](auto& d) { return d.TextTypes[10].Width; }, 10},
      {{"hch 1 2 3 4 5 6 7 8 9 10"}, [](auto& d) { return d.TextTypes[1].Height; }, 1},
      {{"hcd 0 0 .5 0 0 0 0 0 0 0"}, [](auto& d) { return d.TextTypes[3].Spacing; }, 0.5},
      {{"hcc 1 2 3 4 5 6 7 8 9 $A"}, [](auto& d) { return 1.0 * d.TextTypes[10].Color; }, 10},
      {{"hcc 1 2 3 4 5 6 7 8 9"}, [](auto& d) { return 1.0 * d.TextTypes[1].Color; }, 2},
      {{"bz"}, [](auto& d) { return 1.0 * d.BzFlag; }, 1},
      {{"hn 1 2 3 4"}, [](auto& d) { return d.HnValues[3]; }, 4},
  });
}

TEST(ReaderCommands, LayersAndAttributes) {
  RunCases({
      {{"lg"}, [](auto& d) { return 1.0 * d.CurGroup; }, 0},
      {{"lgA 5"}, [](auto& d) { return 1.0 * d.GroupArgs[10]; }, 5},
      {{"lgf"}, [](auto& d) { return 1.0 * d.CurGroup; }, 15},
      {{"lgZ"}, [](auto& d) { return 1.0 * d.CurGroup; }, 0},
      {{"lg12"}, [](auto& d) { return 1.0 * d.CurGroup; }, 1},
      {{"lg3", "lg5"}, [](auto& d) { return 1.0 * d.FirstGroup; }, 3},
      {{"lg3", "lg5"}, [](auto& d) { return 1.0 * d.AttrUnset[kAttrGroup]; }, 0},
      {{"lg2", "lyF 7"}, [](auto& d) { return 1.0 * d.LayerArgs[2][15]; }, 7},
      {{"lyc", "ly1"}, [](auto& d) { return 1.0 * d.FirstLayer; }, 12},
      {{"lc10 255"}, [](auto& d) { return 1.0 * d.CurLc10Value; }, 255},
      {{"lc10 4", "lc10"}, [](auto& d) { return 1.0 * d.CurLc10Value; }, 4},
      {{"lc3 4"}, [](auto& d) { return 1.0 * d.CurLc10Value; }, 0},
      {{"lc$1F"}, [](auto& d) { return 1.0 * d.CurColor; }, 31},
      {{"lt5", "lt6"}, [](auto& d) { return 1.0 * d.FirstLineType; }, 5},
      {{"lw3", "lw4"}, [](auto& d) { return 1.0 * d.CurLineWidth; }, 4},
      {{"lw3"}, [](auto& d) { return 1.0 * d.LwSeen; }, 1},
      {{"cc9"}, [](auto& d) { return 1.0 * d.CurCc; }, 0},
      {{"cc12"}, [](auto& d) { return 1.0 * d.CurCc; }, 1},
      {{"cn0 2.5 2.5 0.5 3"}, [](auto& d) { return d.FirstTextWidth; }, 2.5},
      {{"cn0 2.5 2.5 0.5 3"}, [](auto& d) { return 1.0 * d.CurTextColor; }, 3},
      {{"cn4", "cn0 2.5 1 1 1"}, [](auto& d) { return d.FirstTextWidth; }, 2},
      {{"cn4", "cn0 2.5"}, [](auto& d) { return 1.0 * d.CurTextType; }, 0},
      {{"cn4", "cn0 2.5"}, [](auto& d) { return d.CurTextWidth; }, 2},
      {{"z4", "z4", "z1"}, [](auto& d) { return 1.0 * d.CurZFlags; }, 9},
      {{"z6"}, [](auto& d) { return 1.0 * d.CurZFlags; }, 0},
      {{"pn5"}, [](auto& d) { return 1.0 * d.CurPointColor; }, 5},
      {{"hhp12ln"}, [](auto& d) { return 1.0 * d.CurHhpNo; }, 12},
      {{"hhp5"}, [](auto& d) { return 1.0 * d.CurHhpNo; }, 5},
  });
}

TEST(ReaderCommands, Names) {
  struct TCase {
    std::vector<std::string_view> lines;
    const std::string& (*value)(const TDrawingState&);
    std::string_view expected;
  };
  const TCase cases[] = {
      {{"lg3", "lgn\x8c\x9a\x8b\xef"}, [](auto& d) -> auto& { return d.GroupNames[3]; }, "\x8c\x9a\x8b\xef"},
      {{"lg2", "ly4", "lynWall"}, [](auto& d) -> auto& { return d.LayerNames[2][4]; }, "Wall"},
      {{"cn$", "cn\"$MS Mincho", "cn$A"}, [](auto& d) -> auto& { return d.FirstFontName; }, "MS Mincho"},
      {{"cn$", "cn\"$MS Mincho", "cn$A"}, [](auto& d) -> auto& { return d.CurFontName; }, "A"},
      {{"xfile=abc"}, [](auto& d) -> auto& { return d.SourceFileName; }, "=abc"},
      {{"file=C:\\a b.jww"}, [](auto& d) -> auto& { return d.SourceFileName; }, "C:\\a b.jww"},
      {{"\x83" "file= 1 2 3"}, [](auto& d) -> auto& { return d.SourceFileName; }, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines.back());
    ReadLines(c.lines);
    EXPECT_EQ(c.value(Drawing), c.expected);
  }
}

TEST(ReaderCommands, NumberedPoints) {
  ReadLines({"hp3ln 10 20", "hp2- 0 0", "hp4ci 0 0", "hp5ch 0 0", "hp0 1 2", "hp100 1 2",
             "hp6 1", "hp7 1 1", "hp7 2 2"});
  const auto& p = Drawing.HpPoints;
  EXPECT_EQ((std::vector<int>{p[2].Suffix, p[3].Suffix, p[4].Suffix, p[5].Suffix}),
            (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(p[3].X, 10.0);
  EXPECT_EQ(p[3].Y, 20.0);
  EXPECT_FALSE(p[0].Used);
  EXPECT_FALSE(p[6].Used);
  EXPECT_EQ(p[7].X, 2.0);
  EXPECT_EQ(Drawing.HpCount, 6);
}

TEST(ReaderCommands, ModesAndWhatEndsThem) {
  struct TCase {
    std::vector<std::string_view> lines;
    bool polyline;
    bool dimension;
  };
  const TCase cases[] = {
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
    ReadLines(c.lines);
    EXPECT_EQ(Drawing.PolylineMode, c.polyline);
    EXPECT_EQ(Drawing.DimensionMode, c.dimension);
  }
  ReadLines({"pl", "pl"});
  EXPECT_EQ(Drawing.PolylineCount, 2);
}

TEST(ReaderCommands, ShortHeaderFallsToElementRules) {
  ReadLines({"hcw 1 2 3", "hk", "lgn 1 2 3", "hd", "hq"});
  ASSERT_EQ(Kinds(), std::vector<std::int32_t>{kLine});
  EXPECT_EQ(Store.Lines[0].X1, 0.0);
  EXPECT_EQ(Store.Lines[0].Y2, 3.0);
  EXPECT_EQ(Drawing.TextTypes[1].Width, 3.0);
}

}  // namespace
}  // namespace kx27
