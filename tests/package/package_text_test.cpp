// The text files of the package as Jw_cad, cmd and Notepad read them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include "tests/package/text_file_checks.h"

namespace kx27::testing {
namespace {

const std::filesystem::path kStage = KX27_PACKAGE_STAGE;

class PackageTextFileTest : public ::testing::TestWithParam<const char*> {};

TEST_P(PackageTextFileTest, IsShiftJisWithCrLfLineEnds) {
  const std::string bytes = ReadBytes(kStage / GetParam());
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(FirstInvalidShiftJis(bytes), std::string::npos);
  EXPECT_TRUE(CrLfLines(bytes).has_value());
}

INSTANTIATE_TEST_SUITE_P(Staged, PackageTextFileTest,
                         ::testing::Values("kx27.bat", "kx27_preset1.bat", "readme.txt",
                                           "LICENSE.txt"));

struct TBatCase {
  const char* name;
  const char* file;
  std::string_view program_line;
};

void PrintTo(const TBatCase& test, std::ostream* out) { *out << test.file; }

class BatFileTest : public ::testing::TestWithParam<TBatCase> {};

// Jw_cad shows the first line as the entry's description and reads the REM
// directives up to "REM #e"; cmd then runs what follows and waits for it.
TEST_P(BatFileTest, DescribesItselfSetsTheDirectivesAndRunsItsProgram) {
  const std::string bytes = ReadBytes(kStage / GetParam().file);
  const auto lines = CrLfLines(bytes);
  ASSERT_TRUE(lines.has_value());
  ASSERT_FALSE(lines->empty());

  const std::string_view description = lines->front();
  ASSERT_TRUE(description.starts_with("REM ")) << description;
  EXPECT_FALSE(description.substr(4).starts_with("#")) << "a directive, not a description";
  EXPECT_TRUE(std::any_of(description.begin(), description.end(),
                          [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
      << "the description is meant to be Japanese";

  const auto end = std::find(lines->begin(), lines->end(), "REM #e");
  ASSERT_NE(end, lines->end()) << "no REM #e";
  for (auto line = lines->begin() + 1; line != end; ++line) {
    EXPECT_TRUE(line->starts_with("REM #")) << *line;
  }
  for (const std::string_view directive :
       {"REM #jww", "REM #cd", "REM #h1", "REM #g1", "REM #zz", "REM #zw", "REM #ht10"}) {
    EXPECT_NE(std::find(lines->begin() + 1, end, directive), end) << directive;
  }
  const auto prompt = std::find_if(lines->begin() + 1, end, [](std::string_view line) {
    return line.starts_with("REM #hc ") && line.size() > 8;
  });
  EXPECT_NE(prompt, end) << "no selection prompt (REM #hc TEXT)";

  ASSERT_EQ(lines->end() - end, 2) << "one program line after REM #e";
  EXPECT_EQ(end[1], GetParam().program_line);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, BatFileTest,
    ::testing::Values(TBatCase{"Dialog", "kx27.bat", "kx27.exe"},
                      TBatCase{"Preset1", "kx27_preset1.bat", "kx27c.exe -p 1 --quiet"}),
    [](const ::testing::TestParamInfo<TBatCase>& test) { return test.param.name; });

TEST(BatFileTest, EntriesShowDifferentDescriptions) {
  const std::string dialog = ReadBytes(kStage / "kx27.bat");
  const std::string preset = ReadBytes(kStage / "kx27_preset1.bat");
  EXPECT_NE(dialog.substr(0, dialog.find('\r')), preset.substr(0, preset.find('\r')));
}

}  // namespace
}  // namespace kx27::testing
