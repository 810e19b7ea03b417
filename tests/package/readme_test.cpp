// The user guide as the package carries it: the Markdown guide turned into
// Shift_JIS with CR LF, line for line, quoting the dialog as it shows itself.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/package/text_file_checks.h"

namespace kx27::testing {
namespace {

constexpr char kOtherChar = '\x01';

// The line with every non-ASCII character replaced by one kOtherChar: equal
// for a UTF-8 line and its faithful Shift_JIS form.
std::string ShapeOfUtf8(std::string_view line) {
  std::string shape;
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      shape += c;
    } else if (byte >= 0xC0) {
      shape += kOtherChar;
    }
  }
  return shape;
}

std::string ShapeOfShiftJis(std::string_view line) {
  std::string shape;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto byte = static_cast<unsigned char>(line[i]);
    if (byte < 0x80) {
      shape += line[i];
      continue;
    }
    shape += kOtherChar;
    if (byte < 0xA1 || byte > 0xDF) ++i;  // double-byte character
  }
  return shape;
}

std::vector<std::string_view> LfLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t lf = text.find('\n');
    lines.push_back(text.substr(0, lf));
    if (lf == std::string_view::npos) break;
    text.remove_prefix(lf + 1);
  }
  return lines;
}

TEST(ReadmeTest, SaysWhatTheGuideSaysLineForLine) {
  const std::string guide = ReadBytes(KX27_USER_GUIDE);
  const std::string readme = ReadBytes(std::filesystem::path(KX27_PACKAGE_STAGE) / "readme.txt");
  ASSERT_FALSE(guide.empty());
  const auto readme_lines = CrLfLines(readme);
  ASSERT_TRUE(readme_lines.has_value());
  const std::vector<std::string_view> guide_lines = LfLines(guide);
  ASSERT_EQ(readme_lines->size(), guide_lines.size());
  for (std::size_t i = 0; i < guide_lines.size(); ++i) {
    EXPECT_EQ(ShapeOfShiftJis((*readme_lines)[i]), ShapeOfUtf8(guide_lines[i]))
        << "line " << i + 1;
  }
}

// Users look for these on the screen, so the guide must quote them exactly.
class ReadmeQuoteTest : public ::testing::TestWithParam<std::string_view> {};

TEST_P(ReadmeQuoteTest, QuotesTheDialogExactly) {
  const std::string readme = ReadBytes(std::filesystem::path(KX27_PACKAGE_STAGE) / "readme.txt");
  EXPECT_NE(readme.find(GetParam()), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    DialogTexts, ReadmeQuoteTest,
    ::testing::Values(
        // 「kx27_レイヤ→線種変換」 (task bar)
        "\x6b\x78\x32\x37\x5f\x83\x8c\x83\x43\x83\x84\x81\xa8\x90\xfc\x8e\xed\x95\xcf\x8a\xb7",
        // 「ＯＫ(Y)」
        "\x82\x6e\x82\x6a\x28\x59\x29",
        // 「キャンセル(N)」
        "\x83\x4c\x83\x83\x83\x93\x83\x5a\x83\x8b\x28\x4e\x29",
        // 「内容クリア」
        "\x93\xe0\x97\x65\x83\x4e\x83\x8a\x83\x41",
        // 「JWF読込み」
        "\x4a\x57\x46\x93\xc7\x8d\x9e\x82\xdd",
        // 「寸法図形（寸法値線の線種を変換するか否か）」
        "\x90\xa1\x96\x40\x90\x7d\x8c\x60\x81\x69\x90\xa1\x96\x40\x92\x6c\x90\xfc\x82\xcc\x90"
        "\xfc\x8e\xed\x82\xf0\x95\xcf\x8a\xb7\x82\xb7\x82\xe9\x82\xa9\x94\xdb\x82\xa9\x81\x6a",
        // 「環境設定ファイル（JWF）を読込む」
        "\x8a\xc2\x8b\xab\x90\xdd\x92\xe8\x83\x74\x83\x40\x83\x43\x83\x8b\x81\x69\x4a\x57\x46"
        "\x81\x6a\x82\xf0\x93\xc7\x8d\x9e\x82\xde",
        // 「環境設定ファイル(JWF)を指定して下さい。」
        "\x8a\xc2\x8b\xab\x90\xdd\x92\xe8\x83\x74\x83\x40\x83\x43\x83\x8b\x28\x4a\x57\x46\x29"
        "\x82\xf0\x8e\x77\x92\xe8\x82\xb5\x82\xc4\x89\xba\x82\xb3\x82\xa2\x81\x42",
        // 「この設定画面のレイヤ設定をクリアします。よろしいですか？」
        "\x82\xb1\x82\xcc\x90\xdd\x92\xe8\x89\xe6\x96\xca\x82\xcc\x83\x8c\x83\x43\x83\x84\x90"
        "\xdd\x92\xe8\x82\xf0\x83\x4e\x83\x8a\x83\x41\x82\xb5\x82\xdc\x82\xb7\x81\x42\x82\xe6"
        "\x82\xeb\x82\xb5\x82\xa2\x82\xc5\x82\xb7\x82\xa9\x81\x48",
        // 「（※画面切替／[OK]をせず[キャンセル]をした場合は保存されません）」
        "\x81\x69\x81\xa6\x89\xe6\x96\xca\x90\xd8\x91\xd6\x81\x5e\x5b\x4f\x4b\x5d\x82\xf0\x82"
        "\xb9\x82\xb8\x5b\x83\x4c\x83\x83\x83\x93\x83\x5a\x83\x8b\x5d\x82\xf0\x82\xb5\x82\xbd"
        "\x8f\xea\x8d\x87\x82\xcd\x95\xdb\x91\xb6\x82\xb3\x82\xea\x82\xdc\x82\xb9\x82\xf1\x81"
        "\x6a",
        // 「はい(Y)」
        "\x82\xcd\x82\xa2\x28\x59\x29",
        // 「いいえ(N)」
        "\x82\xa2\x82\xa2\x82\xa6\x28\x4e\x29",
        // 「処理中です」
        "\x8f\x88\x97\x9d\x92\x86\x82\xc5\x82\xb7",
        // 「処理中(ESC:中断)：」
        "\x8f\x88\x97\x9d\x92\x86\x28\x45\x53\x43\x3a\x92\x86\x92\x66\x29\x81\x46",
        // 「ファイル生成中です」
        "\x83\x74\x83\x40\x83\x43\x83\x8b\x90\xb6\x90\xac\x92\x86\x82\xc5\x82\xb7"));

}  // namespace
}  // namespace kx27::testing
