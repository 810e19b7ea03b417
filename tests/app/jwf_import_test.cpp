#include "app/jwf_import.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "tests/app/temp_folder.h"

namespace kx27 {
namespace {

using testing::TTempFolder;

// The rows a file gives, written "g: v v v ..." (only the listed groups).
std::string Describe(const TJwfRows& rows) {
  std::string text;
  for (int g = 0; g < 16; ++g) {
    if (!rows[g]) continue;
    text += "0123456789ABCDEF"[g];
    text += ":";
    for (const std::string& cell : *rows[g]) text += " " + cell;
    text += "\n";
  }
  return text;
}

// "A: 1 2 3" -> the 16 cells, the rest "0".
std::string Row(std::string_view group_and_values) {
  std::istringstream in{std::string(group_and_values)};
  std::string group;
  in >> group;
  std::vector<std::string> cells;
  for (std::string cell; in >> cell;) cells.push_back(cell);
  cells.resize(16, "0");
  std::string text = group;
  for (const std::string& cell : cells) text += " " + cell;
  return text + "\n";
}

TEST(ImportJwf, FillsTheRowOfEachLaytypLine) {
  struct Case {
    std::string_view name;
    std::string_view file;
    std::string expected;
  };
  const Case cases[] = {
      {"lower case, blanks", "laytyp_a = 1, 2, 3\r\n", Row("A: 1 2 3")},
      {"leading blanks and tabs", " \t LAYTYP_1=4,5\r\n", Row("1: 4 5")},
      {"comment mark before", "#LAYTYP_1=4\r\n;LAYTYP_2=4\r\n", ""},
      {"no equals sign", "LAYTYP_3\r\nLAYTYP_3 1,2\r\n", ""},
      {"empty value list", "LAYTYP_3=\r\n", Row("3:")},
      {"twenty values", "LAYTYP_F=1,2,3,4,5,6,7,8,9,11,12,13,14,15,16,17,18,19,31,32\r\n",
       Row("F: 1 2 3 4 5 6 7 8 9 11 12 13 14 15 16 17")},
      {"blanks as separators", "LAYTYP_0=1 2  3\r\n", Row("0: 1 2 3")},
      {"empty item", "LAYTYP_0=1,,3\r\n", Row("0: 1 0 3")},
      {"not filtered, normalised", "LAYTYP_2 any text = 07,$1F,abc,10,-4\r\n",
       Row("2: 7 31 0 10 -4")},
      {"later line wins", "LAYTYP_0=1,1,1\r\nLAYTYP_0=2\r\n", Row("0: 2")},
      {"rest after the first =", "LAYTYP_4=5=6,7\r\n", Row("4: 0 7")},
      {"eighth byte no digit", "LAYTYP_==1,2\r\nLAYTYP_G=3\r\nLAYTYP_ =4\r\n", ""},
      {"prefix alone", "LAYTYP_\r\n", ""},
      {"LF line ends, no last end", "LAYTYP_1=1\nLAYTYP_2=2", Row("1: 1") + Row("2: 2")},
      {"0x1A at a line start ends the file", "LAYTYP_1=1\r\n\x1ALAYTYP_2=2\r\n", Row("1: 1")},
      {"0x1A inside a line", "LAYTYP_1=1\x1A\r\nLAYTYP_2=2\r\n", Row("1: 1") + Row("2: 2")},
      {"double-byte text around", "\x83\x8c\x83\x43\x83\x84\r\nLAYTYP_5=\x82\x50,2\r\n",
       Row("5: 0 2")},  // レイヤ; a full-width 1 is no number
  };
  TTempFolder folder;
  for (const Case& c : cases)
    EXPECT_EQ(Describe(ImportJwf(folder.Write("a.jwf", c.file))), c.expected) << c.name;
}

TEST(ImportJwf, MissingFileGivesNoRows) {
  TTempFolder folder;
  EXPECT_EQ(Describe(ImportJwf(folder / "none.jwf")), "");
}

TEST(HasJwfExtension, LooksAtTheLastExtensionInAnyCase) {
  struct Case {
    std::string_view name;
    bool jwf;
  };
  const Case cases[] = {
      {"a.jwf", true},         {"A.JWF", true},       {"dir/a.JwF", true},
      {"C:\\jww\\b.Jwf", true}, {"a.txt", false},      {"a", false},
      {"jwf", false},          {"a.jwf.txt", false},  {"dir.jwf/a", false},
      {"a.jwff", false},       {"a.jw", false},       {"a_jwf", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HasJwfExtension(std::filesystem::path(c.name)), c.jwf) << c.name;
}

}  // namespace
}  // namespace kx27
