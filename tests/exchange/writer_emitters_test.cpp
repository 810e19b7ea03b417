#include <functional>
#include <string>

#include "tests/exchange/writer_test_support.h"

namespace kx27::testing {
namespace {

using Emitters = WriterTest;

TEST_F(Emitters, StateAttributesOnlyWhereTheyChange) {
  const struct {
    const char* name;
    std::function<void()> emit;
    std::string bytes;
  } cases[] = {
      {"first statement after the reset, even of defaults",
       [] {
         EmitGroup(0); EmitLayer(0); EmitColor(1); EmitLineType(1);
         EmitCc(0); EmitPointColor(1); EmitTextType(1, 0, 0, 0, 0);
       },
       FileLines({"lg0", "ly0", "lc1", "lt1", "cc0", "pn1", "cn1"})},
      {"equal values again state nothing",
       [] {
         for (int i = 0; i < 2; ++i) {
           EmitGroup(2); EmitLayer(5); EmitColor(3); EmitLineType(4); EmitPointColor(5);
         }
       },
       FileLines({"lg2", "ly5", "lc3", "lt4", "pn5"})},
      {"hexadecimal group and layer; a new group restates the layer",
       [] { EmitGroup(15); EmitLayer(10); EmitGroup(1); EmitLayer(10); EmitLayer(10); },
       FileLines({"lgF", "lyA", "lg1", "lyA"})},
      {"no width without widths in the input",
       [] { EmitLineWidth(0); EmitLineWidth(5); }, ""},
      {"width out of range, then the first width for -1",
       [] {
         Drawing.LwSeen = true;
         Drawing.FirstLineWidth = 3;
         EmitLineWidth(40000); EmitLineWidth(0); EmitLineWidth(-7); EmitLineWidth(-1);
       },
       FileLines({"lw0", "lw3"})},
      {"cc out of range is 0", [] { EmitCc(9); EmitCc(0); EmitCc(-1); EmitCc(8); },
       FileLines({"cc0", "cc8"})},
      {"text type out of range falls back to the explicit first size",
       [] {
         Drawing.FirstTextType = 0;
         EmitTextType(12, 9, 7, 7, 7);
       },
       FileLines({"cn0 2 2 0 1"})},
      {"text type out of range falls back to the first text type",
       [] {
         Drawing.FirstTextType = 4;
         EmitTextType(-1, 9, 7, 7, 7); EmitTextType(4, 1, 1, 1, 1);
       },
       FileLines({"cn4"})},
      {"numbered text types ignore sizes",
       [] { EmitTextType(3, 1, 2, 2, 0); EmitTextType(3, 5, 4, 4, 1); },
       FileLines({"cn3"})},
      {"explicit sizes restated when any of them changes",
       [] {
         EmitTextType(0, 7, 2.5, 3, 0.25); EmitTextType(0, 7, 2.5, 3, 0.25);
         EmitTextType(0, 8, 2.5, 3, 0.25); EmitTextType(2, 8, 2.5, 3, 0.25);
         EmitTextType(0, 8, 2.5, 3, 0.25);
       },
       FileLines({"cn0 2.5 3 0.25 7", "cn0 2.5 3 0.25 8", "cn2", "cn0 2.5 3 0.25 8"})},
      {"font: empty name and <> take the first font name",
       [] {
         EmitFontName("<>"); EmitFontName("");
         Drawing.FirstFontName = "Arial";
         EmitFontName("<>"); EmitFontName("Arial"); EmitFontName("arial");
       },
       FileLines({"cn\"$", "cn\"$Arial", "cn\"$arial"})},
      // "<ＭＳ ゴシック>"
      {"the default font is stated too",
       [] { EmitFontName(kDefaultFontName); EmitFontName(kDefaultFontName); },
       FileLines({"cn\"$<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>"})},
      {"lc10 value out of range, then plain colour 10 already stated",
       [] { EmitLc10(-5); EmitColor(10); EmitLc10(0x1000000); },
       FileLines({"lc10 0"})},
      {"plain colour 10 states the lc10 value last given",
       [] {
         EmitColor(10); EmitLc10(0); EmitLc10(7); EmitColor(10);
         EmitColor(3); EmitLc10(7); EmitLc10(0xFFFFFF);
       },
       FileLines({"lc10", "lc10 7", "lc3", "lc10 7", "lc10 16777215"})},
      {"z lines every time, z4 only without z5",
       [] { EmitZFlags(24); EmitZFlags(31); EmitZFlags(0); EmitZFlags(8); EmitZFlags(8 + 32); },
       FileLines({"z5", "z1", "z2", "z3", "z5", "z4", "z4"})},
  };
  for (const auto& c : cases) {
    ResetDrawingState();
    ResetOutputState();
    c.emit();
    EXPECT_EQ(RenderOutput(), c.bytes.empty() ? "hq\r\n" : c.bytes) << c.name;
  }
}

TEST_F(Emitters, ResetForgetsWhatWasStated) {
  EmitGroup(0); EmitLayer(0); EmitFontName("a");
  ResetOutputState();
  EmitGroup(0); EmitLayer(0); EmitFontName("a");
  EXPECT_EQ(RenderOutput(), FileLines({"lg0", "ly0", "cn\"$a", "lg0", "ly0", "cn\"$a"}));
}

}  // namespace
}  // namespace kx27::testing
