#include "tests/exchange/writer_test_support.h"

namespace kx27::testing {
namespace {

TEST(Emitters, StateAttributesOnlyWhereTheyChange) {
  ExpectFiles({
      {"first statement after the reset, even of defaults",
       [] {
         EmitGroup(0); EmitLayer(0); EmitColor(1); EmitLineType(1);
         EmitCc(0); EmitPointColor(1); EmitTextType(1, 0, 0, 0, 0);
         EmitGroup(0); EmitLayer(0); EmitColor(1); EmitLineType(1);
         EmitCc(0); EmitPointColor(1); EmitTextType(1, 0, 0, 0, 0);
       },
       "lg0|ly0|lc1|lt1|cc0|pn1|cn1"},
      {"hexadecimal group and layer; a new group restates the layer",
       [] { EmitGroup(15); EmitLayer(10); EmitGroup(1); EmitLayer(10); EmitLayer(10); },
       "lgF|lyA|lg1|lyA"},
      {"no width without widths in the input", [] { EmitLineWidth(5); }, ""},
      {"width out of range, then the first width for -1",
       [] {
         Drawing.LwSeen = true;
         Drawing.FirstLineWidth = 3;
         EmitLineWidth(40000); EmitLineWidth(0); EmitLineWidth(-7); EmitLineWidth(-1);
       },
       "lw0|lw3"},
      {"cc out of range is 0", [] { EmitCc(9); EmitCc(0); EmitCc(-1); EmitCc(8); }, "cc0|cc8"},
      {"text type out of range: the first size when the first type is 0",
       [] {
         Drawing.FirstTextType = 0;
         EmitTextType(12, 9, 7, 7, 7);
       },
       "cn0 2 2 0 1"},
      {"text type out of range: the first text type",
       [] {
         Drawing.FirstTextType = 4;
         EmitTextType(-1, 9, 7, 7, 7); EmitTextType(4, 1, 1, 1, 1);
       },
       "cn4"},
      {"numbered text types ignore sizes",
       [] { EmitTextType(3, 1, 2, 2, 0); EmitTextType(3, 5, 4, 4, 1); }, "cn3"},
      {"explicit sizes restated when any of them changes",
       [] {
         EmitTextType(0, 7, 2.5, 3, 0.25); EmitTextType(0, 7, 2.5, 3, 0.25);
         EmitTextType(0, 8, 2.5, 3, 0.25); EmitTextType(2, 8, 2.5, 3, 0.25);
         EmitTextType(0, 8, 2.5, 3, 0.25);
       },
       "cn0 2.5 3 0.25 7|cn0 2.5 3 0.25 8|cn2|cn0 2.5 3 0.25 8"},
      {"font: empty name and <> take the first font name",
       [] {
         EmitFontName("<>"); EmitFontName("");
         Drawing.FirstFontName = "Arial";
         EmitFontName("<>"); EmitFontName("Arial"); EmitFontName("arial");
       },
       "cn\"$|cn\"$Arial|cn\"$arial"},
      {"lc10 value out of range, then plain colour 10 already stated",
       [] { EmitLc10(-5); EmitColor(10); EmitLc10(0x1000000); }, "lc10 0"},
      {"plain colour 10 states the lc10 value last given",
       [] {
         EmitColor(10); EmitLc10(0); EmitLc10(7); EmitColor(10);
         EmitColor(3); EmitLc10(7); EmitLc10(0xFFFFFF);
       },
       "lc10|lc10 7|lc3|lc10 7|lc10 16777215"},
      {"z lines every time, z4 only without z5",
       [] { EmitZFlags(24); EmitZFlags(31); EmitZFlags(0); EmitZFlags(8 + 32); },
       "z5|z1|z2|z3|z5|z4"},
      {"reset forgets what was stated",
       [] { EmitGroup(0); EmitFontName("a"); ResetOutputState(); EmitGroup(0); EmitFontName("a"); },
       "lg0|cn\"$a|lg0|cn\"$a"},
  });
}

}  // namespace
}  // namespace kx27::testing
