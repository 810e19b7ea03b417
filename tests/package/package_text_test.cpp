// The package's text files as Jw_cad, cmd and Notepad read them, and the build
// step that turns the UTF-8 guide into readme.txt.

#include <iconv.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kx27::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kStage = KX27_PACKAGE_STAGE;

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The lines of a code page 932 text, as UTF-8; nothing when the bytes are not
// code page 932, hold control characters other than tab, or a line ends
// otherwise than in CR LF, the last one included.
std::optional<std::vector<std::string>> ShiftJisLines(std::string bytes) {
  std::string text(bytes.size() * 3, '\0');
  char* in = bytes.data();
  char* out = text.data();
  std::size_t in_left = bytes.size(), out_left = text.size();
  const iconv_t cd = iconv_open("UTF-8", "CP932");
  const bool decoded = iconv(cd, &in, &in_left, &out, &out_left) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  text.resize(text.size() - out_left);
  if (!decoded || !(text.empty() || text.ends_with("\r\n"))) return std::nullopt;
  std::vector<std::string> lines;
  for (std::size_t start = 0, end = 0; start < text.size(); start = end + 2) {
    end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    if (std::ranges::any_of(lines.back(),
                            [](unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; })) {
      return std::nullopt;
    }
  }
  return lines;
}

TEST(LicenseTest, IsShiftJisWithCrLfLineEnds) {
  const auto lines = ShiftJisLines(ReadBytes(kStage / "LICENSE.txt"));
  EXPECT_TRUE(lines.has_value() && !lines->empty());
}

struct TBatCase {
  const char* file;
  const char* program_line;
};
void PrintTo(const TBatCase& test, std::ostream* out) { *out << test.file; }

class BatFileTest : public ::testing::TestWithParam<TBatCase> {};

// Jw_cad shows the first line as the entry's description and reads the REM
// directives up to "REM #e"; cmd then runs what follows and waits for it.
TEST_P(BatFileTest, DescribesItselfSetsTheDirectivesAndRunsItsProgram) {
  const auto lines = ShiftJisLines(ReadBytes(kStage / GetParam().file));
  ASSERT_TRUE(lines.has_value() && !lines->empty());
  const std::string& description = lines->front();
  EXPECT_TRUE(description.starts_with("REM ") && !description.starts_with("REM #")) << description;
  EXPECT_TRUE(std::ranges::any_of(description, [](unsigned char c) { return c >= 0x80; }))
      << "the description is meant to be Japanese";

  const auto end = std::ranges::find(*lines, "REM #e");
  ASSERT_NE(end, lines->end()) << "no REM #e";
  bool prompt = false;
  for (auto line = lines->begin() + 1; line != end; ++line) {
    EXPECT_TRUE(line->starts_with("REM #")) << *line;
    prompt = prompt || (line->starts_with("REM #hc ") && line->size() > 8);
  }
  EXPECT_TRUE(prompt) << "no selection prompt (REM #hc TEXT)";
  for (const std::string_view directive : {"REM #jww", "REM #cd", "REM #h1", "REM #g1", "REM #gn",
                                           "REM #zz", "REM #zw", "REM #zc", "REM #ht10"}) {
    EXPECT_NE(std::find(lines->begin() + 1, end, directive), end) << directive;
  }
  ASSERT_EQ(lines->end() - end, 2) << "one program line after REM #e";
  EXPECT_EQ(end[1], GetParam().program_line);
}

INSTANTIATE_TEST_SUITE_P(Entries, BatFileTest,
                         ::testing::Values(TBatCase{"kx27.bat", "kx27.exe"},
                                           TBatCase{"kx27_preset1.bat", "kx27c.exe -p 1 --quiet"}));

TEST(BatFileTest, EntriesShowDifferentDescriptions) {
  const std::string dialog = ReadBytes(kStage / "kx27.bat");
  const std::string preset = ReadBytes(kStage / "kx27_preset1.bat");
  EXPECT_NE(dialog.substr(0, dialog.find('\r')), preset.substr(0, preset.find('\r')));
}

// Word for word the guide; users look for the dialog's texts on the screen,
// so it must quote them exactly.
TEST(ReadmeTest, SaysWhatTheGuideSaysQuotingTheDialogExactly) {
  std::string guide = ReadBytes(KX27_USER_GUIDE);
  ASSERT_FALSE(guide.empty());
  std::erase(guide, '\r');
  const auto lines = ShiftJisLines(ReadBytes(kStage / "readme.txt"));
  ASSERT_TRUE(lines.has_value());
  std::string readme;
  for (const std::string& line : *lines) readme += line + "\n";
  EXPECT_EQ(readme, guide);
  for (const std::string_view quote :
       {"kx27_レイヤ→線種変換", "ＯＫ(Y)", "キャンセル(N)", "内容クリア", "JWF読込み",
        "寸法図形（寸法値線の線種を変換するか否か）", "環境設定ファイル（JWF）を読込む",
        "環境設定ファイル(JWF)を指定して下さい。",
        "この設定画面のレイヤ設定をクリアします。よろしいですか？",
        "（※画面切替／[OK]をせず[キャンセル]をした場合は保存されません）", "はい(Y)", "いいえ(N)",
        "処理中です", "処理中(ESC:中断)：", "ファイル生成中です",
        "変更される要素: ", "線種にない値 1 か所（0 として保存）"}) {
    EXPECT_NE(readme.find(quote), std::string::npos) << quote;
  }
}

struct TConversionCase {
  const char* name;
  std::string_view input;                  // UTF-8
  std::optional<std::string_view> output;  // Shift_JIS, or nothing when it must fail
};
void PrintTo(const TConversionCase& test, std::ostream* out) { *out << test.name; }

class ShiftJisTextTest : public ::testing::TestWithParam<TConversionCase> {};

TEST_P(ShiftJisTextTest, WritesShiftJisWithCrLfOrLeavesTheOldFile) {
  const fs::path folder = fs::temp_directory_path() / ("kx27-package-" + std::to_string(getpid()));
  const fs::path input = folder / "in.md", output = folder / "out" / "readme.txt";
  fs::remove_all(folder);
  fs::create_directories(output.parent_path());
  std::ofstream(input, std::ios::binary) << GetParam().input;
  std::ofstream(output, std::ios::binary) << "old\r\n";

  const std::string command = "\"" KX27_CMAKE "\" \"-DINPUT=" + input.string() +
                              "\" \"-DOUTPUT=" + output.string() +
                              "\" -P \"" KX27_SHIFT_JIS_TEXT "\"";
  EXPECT_EQ(std::system(command.c_str()) == 0, GetParam().output.has_value());
  EXPECT_EQ(ReadBytes(output), GetParam().output.value_or("old\r\n"));
  for (const auto& entry : fs::directory_iterator(output.parent_path())) {
    EXPECT_EQ(entry.path().filename(), "readme.txt") << "left behind: " << entry.path();
  }
  fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShiftJisTextTest,
    ::testing::Values(TConversionCase{"LineFeedsBecomeCrLf", "a\n\nb\n", "a\r\n\r\nb\r\n"},
                      TConversionCase{"CrLfStaysAndNoEndIsAdded", "a\r\nb", "a\r\nb"},
                      TConversionCase{"ListAndEscapeCharactersPass", "C:\\jww\\kx27; a;b [x]\n",
                                      "C:\\jww\\kx27; a;b [x]\r\n"},
                      TConversionCase{"JapaneseBecomesShiftJis", "レイヤ①～ｱ\n",
                                      "\x83\x8c\x83\x43\x83\x84\x87\x40\x81\x60\xb1\r\n"},
                      TConversionCase{"CharacterWithoutFormFails", "a\n😀\n", std::nullopt},
                      // 〜 (U+301C) would come back as ～ (U+FF5E)
                      TConversionCase{"CharacterThatReadsBackOtherwiseFails", "a〜b\n",
                                      std::nullopt}),
    [](const ::testing::TestParamInfo<TConversionCase>& test) { return test.param.name; });

}  // namespace
}  // namespace kx27::testing
