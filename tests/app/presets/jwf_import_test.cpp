#include "app/presets/jwf_import.h"

#include <gtest/gtest.h>

#include "tests/exchange/temp_folder.h"

namespace kx27 {
namespace {

using testing::TTempFolder;

// The rows a file gives, as "g: v v v ..." lines, trailing "0" cells left out.
std::string Describe(const TJwfRows& rows) {
  std::string text;
  for (int g = 0; g < 16; ++g) {
    if (!rows[g]) continue;
    int used = 16;
    while (used > 0 && (*rows[g])[used - 1] == "0") --used;
    text += std::string(1, "0123456789ABCDEF"[g]) + ":";
    for (int i = 0; i < used; ++i) text += " " + (*rows[g])[i];
    text += "\n";
  }
  return text;
}

TEST(ImportJwf, FillsTheRowOfEachLaytypLine) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"laytyp_a = 1, 2, 3\r\n", "A: 1 2 3\n"},  // lower case, blanks
      {" \t LAYTYP_1=4,5\r\n", "1: 4 5\n"},
      {"#LAYTYP_1=4\r\n;LAYTYP_2=4\r\n", ""},
      {"LAYTYP_3\r\nLAYTYP_3 1,2\r\n", ""},  // no "="
      {"LAYTYP_3=\r\n", "3:\n"},
      {"LAYTYP_F=1,2,3,4,5,6,7,8,9,11,12,13,14,15,16,17,18,19,31,32\r\n",
       "F: 1 2 3 4 5 6 7 8 9 11 12 13 14 15 16 17\n"},
      {"LAYTYP_0=1 2  3\r\n", "0: 1 2 3\n"},
      {"LAYTYP_0=1,,3\r\n", "0: 1 0 3\n"},
      {"LAYTYP_2 any text = 07,$1F,abc,10,-4\r\n", "2: 7 31 0 10 -4\n"},  // not filtered
      {"LAYTYP_0=1,1,1\r\nLAYTYP_0=2\r\n", "0: 2\n"},
      {"LAYTYP_4=5=6,7\r\n", "4: 0 7\n"},
      {"LAYTYP_==1,2\r\nLAYTYP_G=3\r\nLAYTYP_ =4\r\nLAYTYP_\r\n", ""},  // no group digit
      {"LAYTYP_1=1\nLAYTYP_2=2", "1: 1\n2: 2\n"},
      {"LAYTYP_1=1\r\n\x1ALAYTYP_2=2\r\n", "1: 1\n"},
      {"LAYTYP_1=1\x1A\r\nLAYTYP_2=2\r\n", "1: 1\n2: 2\n"},
      {"\x83\x8c\x83\x43\x83\x84\r\nLAYTYP_5=\x82\x50,2\r\n", "5: 0 2\n"},  // レイヤ, full-width 1
      // The host reads no further than a line "END".
      {"LAYTYP_1=1\r\n  END \r\nLAYTYP_F=2\r\n", "1: 1\n"},
      {"LAYTYP_1=1\r\nEND.\r\nend\r\nENDE\r\nLAYTYP_F=2\r\n", "1: 1\nF: 2\n"},
  };
  TTempFolder folder;
  for (const auto& [file, rows] : cases)
    EXPECT_EQ(Describe(ImportJwf(folder.Write("a.jwf", file))), rows) << file;
  EXPECT_EQ(Describe(ImportJwf(folder / "none.jwf")), "");
}

TEST(HasJwfExtension, LooksAtTheLastExtensionInAnyCase) {
  const std::pair<std::string_view, bool> cases[] = {
      {"a.jwf", true},      {"A.JWF", true},   {"dir/a.JwF", true}, {"C:\\jww\\b.Jwf", true},
      {"a.txt", false},     {"a", false},      {"jwf", false},      {"a.jwf.txt", false},
      {"dir.jwf/a", false}, {"a.jwff", false}, {"a_jwf", false},
  };
  for (const auto& [name, jwf] : cases)
    EXPECT_EQ(HasJwfExtension(std::filesystem::path(name)), jwf) << name;
}

}  // namespace
}  // namespace kx27
