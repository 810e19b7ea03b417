#include <gtest/gtest.h>

#include <functional>

#include "tests/exchange/reader_test_support.h"

namespace kx27 {
namespace {

using testing::Kinds;
using testing::ReadLines;

struct TCommandCase {
  const char* name;
  std::vector<std::string_view> lines;
  std::function<void(const TDrawingState&)> check;
};

void RunCases(const std::vector<TCommandCase>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReadLines(c.lines);
    c.check(Drawing);
  }
}

TEST(ReaderCommands, HeaderValues) {
  RunCases({
      {"hk", {"hk 2.5"}, [](auto& d) { EXPECT_EQ(d.HkValue, 2.5); }},
      {"hk with a trailing blank", {"hk 1 "}, [](auto& d) { EXPECT_EQ(d.HkValue, 1.0); }},
      {"hs needs 16 values",
       {"hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"},
       [](auto& d) {
         EXPECT_EQ(d.GroupScales[0], 1.0);
         EXPECT_EQ(d.GroupScales[15], 16.0);
       }},
      {"hs with 15 values is skipped",
       {"hs 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9"},
       [](auto& d) { EXPECT_EQ(d.GroupScales[0], 1.0); }},
      {"hzs", {"hzs 420 297"}, [](auto& d) {
         EXPECT_EQ(d.PaperWidth, 420.0);
         EXPECT_EQ(d.PaperHeight, 297.0);
       }},
      {"text types",
       {"hcw 1 2 3 4 5 6 7 8 9 10", "hch 11 12 13 14 15 16 17 18 19 20",
        "hcd 0 0 0.5 0 0 0 0 0 0 0", "hcc 1 2 3 4 5 6 7 8 9 $A"},
       [](auto& d) {
         EXPECT_EQ(d.TextTypes[1].Width, 1.0);
         EXPECT_EQ(d.TextTypes[10].Height, 20.0);
         EXPECT_EQ(d.TextTypes[3].Spacing, 0.5);
         EXPECT_EQ(d.TextTypes[10].Color, 10);
       }},
      {"bz", {"bz"}, [](auto& d) { EXPECT_TRUE(d.BzFlag); }},
      {"hn", {"hn 1 2 3 4"}, [](auto& d) { EXPECT_EQ(d.HnValues[3], 4.0); }},
      {"file= anywhere in token 0",
       {"xfile=abc"},
       [](auto& d) { EXPECT_EQ(d.SourceFileName, "=abc"); }},
      {"file= keeps blanks",
       {"file=C:\\jww\\a b.jww"},
       [](auto& d) { EXPECT_EQ(d.SourceFileName, "C:\\jww\\a b.jww"); }},
      {"file= on a second byte is no file line",
       {"\x83" "file= 1 2 3"},
       [](auto& d) { EXPECT_EQ(d.SourceFileName, ""); }},
  });
}

TEST(ReaderCommands, LayersAndNames) {
  RunCases({
      {"group name for the current group",
       {"lg3", "lgn\x8c\x9a\x8b\xef"},  // 建具
       [](auto& d) { EXPECT_EQ(d.GroupNames[3], "\x8c\x9a\x8b\xef"); }},
      {"lg alone", {"lg5", "lg"}, [](auto& d) { EXPECT_EQ(d.CurGroup, 0); }},
      {"lgA with argument", {"lgA 5"}, [](auto& d) {
         EXPECT_EQ(d.CurGroup, 10);
         EXPECT_EQ(d.GroupArgs[10], 5);
       }},
      {"lgZ", {"lgZ"}, [](auto& d) { EXPECT_EQ(d.CurGroup, 0); }},
      {"lg12 reads one digit", {"lg12"}, [](auto& d) { EXPECT_EQ(d.CurGroup, 1); }},
      {"first group only once", {"lg3", "lg5"}, [](auto& d) {
         EXPECT_EQ(d.FirstGroup, 3);
         EXPECT_EQ(d.CurGroup, 5);
         EXPECT_FALSE(d.AttrUnset[kAttrGroup]);
       }},
      {"layer name and argument",
       {"lg2", "lyf 7", "lynWall"},
       [](auto& d) {
         EXPECT_EQ(d.CurLayer, 15);
         EXPECT_EQ(d.FirstLayer, 15);
         EXPECT_EQ(d.LayerArgs[2][15], 7);
         EXPECT_EQ(d.LayerNames[2][15], "Wall");
       }},
  });
}

TEST(ReaderCommands, LineAndTextAttributes) {
  RunCases({
      {"lc10 with value", {"lc10 255"}, [](auto& d) {
         EXPECT_EQ(d.CurColor, 10);
         EXPECT_EQ(d.CurLc10Value, 255);
         EXPECT_EQ(d.FirstColor, 10);
       }},
      {"lc10 alone keeps lc10 value", {"lc10 4", "lc10"}, [](auto& d) { EXPECT_EQ(d.CurLc10Value, 4); }},
      {"lc3 with value is no lc10", {"lc3 4"}, [](auto& d) { EXPECT_EQ(d.CurLc10Value, 0); }},
      {"lt and lw", {"lt5", "lw3", "lw4"}, [](auto& d) {
         EXPECT_EQ(d.CurLineType, 5);
         EXPECT_EQ(d.FirstLineWidth, 3);
         EXPECT_EQ(d.CurLineWidth, 4);
         EXPECT_TRUE(d.LwSeen);
       }},
      {"cc9", {"cc9"}, [](auto& d) { EXPECT_EQ(d.CurCc, 0); }},
      {"cc12", {"cc12"}, [](auto& d) { EXPECT_EQ(d.CurCc, 1); }},
      {"cn0 with size first", {"cn0 2.5 2.5 0.5 3"}, [](auto& d) {
         EXPECT_EQ(d.FirstTextType, 0);
         EXPECT_EQ(d.FirstTextWidth, 2.5);
         EXPECT_EQ(d.FirstTextColor, 3);
         EXPECT_EQ(d.CurTextSpacing, 0.5);
         EXPECT_EQ(d.CurTextColor, 3);
       }},
      {"cn0 without size", {"cn4", "cn0 2.5"}, [](auto& d) {
         EXPECT_EQ(d.FirstTextType, 4);
         EXPECT_EQ(d.CurTextType, 0);
         EXPECT_EQ(d.CurTextWidth, 2.0);
       }},
      {"font names",
       {"cn$", "cn\"$MS Mincho", "cn$Arial"},
       [](auto& d) {
         EXPECT_EQ(d.FirstFontName, "MS Mincho");
         EXPECT_EQ(d.CurFontName, "Arial");
       }},
      {"z flags accumulate", {"z4", "z4", "z1"}, [](auto& d) { EXPECT_EQ(d.CurZFlags, 9); }},
      {"z6 is no flag", {"z6"}, [](auto& d) { EXPECT_EQ(d.CurZFlags, 0); }},
      {"point colour", {"pn5"}, [](auto& d) { EXPECT_EQ(d.CurPointColor, 5); }},
  });
}

TEST(ReaderCommands, NumberedPoints) {
  RunCases({
      {"hp3ln", {"hp3ln 10 20"}, [](auto& d) {
         EXPECT_TRUE(d.HpPoints[3].Used);
         EXPECT_EQ(d.HpPoints[3].X, 10.0);
         EXPECT_EQ(d.HpPoints[3].Suffix, 2);
         EXPECT_EQ(d.HpCount, 1);
       }},
      {"suffixes", {"hp1 0 0", "hp2- 0 0", "hp4ci 0 0", "hp5ch 0 0"}, [](auto& d) {
         EXPECT_EQ(d.HpPoints[1].Suffix, 0);
         EXPECT_EQ(d.HpPoints[2].Suffix, 1);
         EXPECT_EQ(d.HpPoints[4].Suffix, 3);
         EXPECT_EQ(d.HpPoints[5].Suffix, 4);
       }},
      {"out of range", {"hp0 1 2", "hp100 1 2"}, [](auto& d) { EXPECT_EQ(d.HpCount, 0); }},
      {"too few tokens", {"hp5 1"}, [](auto& d) { EXPECT_FALSE(d.HpPoints[5].Used); }},
      {"reused number counts", {"hp7 1 1", "hp7 2 2"}, [](auto& d) {
         EXPECT_EQ(d.HpCount, 2);
         EXPECT_EQ(d.HpPoints[7].X, 2.0);
       }},
      {"hhp12ln", {"hhp12ln"}, [](auto& d) { EXPECT_EQ(d.CurHhpNo, 12); }},
      {"hhp5", {"hhp5"}, [](auto& d) { EXPECT_EQ(d.CurHhpNo, 5); }},
  });
}

TEST(ReaderCommands, ModesAndWhatEndsThem) {
  RunCases({
      {"pl counts", {"pl", "pl"}, [](auto& d) {
         EXPECT_EQ(d.PolylineCount, 2);
         EXPECT_TRUE(d.PolylineMode);
       }},
      {"attribute ends polyline", {"pl", "lc2"}, [](auto& d) { EXPECT_FALSE(d.PolylineMode); }},
      {"z flag keeps polyline", {"pl", "z1"}, [](auto& d) { EXPECT_TRUE(d.PolylineMode); }},
      {"msg ends polyline", {"pl", "msg"}, [](auto& d) {
         EXPECT_FALSE(d.PolylineMode);
         EXPECT_TRUE(d.DimensionMode);
       }},
      {"attribute keeps dimension", {"msg", "lc2", "cn1"}, [](auto& d) { EXPECT_TRUE(d.DimensionMode); }},
      {"pl ends dimension", {"msg", "pl"}, [](auto& d) { EXPECT_FALSE(d.DimensionMode); }},
      {"# ends both", {"msg", "# comment"}, [](auto& d) { EXPECT_FALSE(d.DimensionMode); }},
      {"#comment is no reset", {"msg", "#comment"}, [](auto& d) { EXPECT_TRUE(d.DimensionMode); }},
  });
}

TEST(ReaderCommands, ShortHeaderFallsToElementRules) {
  ReadLines({"hcw 1 2 3", "hk", "lgn 1 2 3", "hd", "hq"});
  ASSERT_EQ(Kinds(), std::vector<std::int32_t>{kLine});
  const TLineRec& line = Store.Lines[0];
  EXPECT_EQ(line.X1, 0.0);
  EXPECT_EQ(line.Y2, 3.0);
  EXPECT_EQ(Drawing.TextTypes[1].Width, 3.0);
}

}  // namespace
}  // namespace kx27
