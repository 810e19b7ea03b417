// The build step that turns the UTF-8 guide into the package's readme.txt.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "tests/package/text_file_checks.h"

namespace kx27::testing {
namespace {

namespace fs = std::filesystem;

struct TConversionCase {
  const char* name;
  std::string_view input;                   // UTF-8
  std::optional<std::string_view> output;   // Shift_JIS, or nothing when it must fail
};

void PrintTo(const TConversionCase& test, std::ostream* out) { *out << test.name; }

class ShiftJisTextTest : public ::testing::TestWithParam<TConversionCase> {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("kx27-package-" + std::to_string(
                   std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  // Runs the conversion of input into OUTPUT; true when it succeeded.
  bool Convert(std::string_view input, const fs::path& output) const {
    const fs::path in = folder_ / "in.md";
    std::ofstream(in, std::ios::binary).write(input.data(),
                                              static_cast<std::streamsize>(input.size()));
    const std::string command = "\"" KX27_CMAKE "\" \"-DINPUT=" + in.string() +
                                "\" \"-DOUTPUT=" + output.string() +
                                "\" -P \"" KX27_SHIFT_JIS_TEXT "\" > \"" +
                                (folder_ / "log").string() + "\" 2>&1";
    return std::system(command.c_str()) == 0;
  }

  fs::path folder_;
};

TEST_P(ShiftJisTextTest, WritesShiftJisWithCrLfOrLeavesTheOldFile) {
  const fs::path output = folder_ / "out" / "readme.txt";
  fs::create_directories(output.parent_path());
  constexpr std::string_view kOld = "old\r\n";
  std::ofstream(output, std::ios::binary).write(kOld.data(), kOld.size());

  const bool converted = Convert(GetParam().input, output);

  EXPECT_EQ(converted, GetParam().output.has_value()) << ReadBytes(folder_ / "log");
  EXPECT_EQ(ReadBytes(output), GetParam().output.value_or(kOld));
  for (const auto& entry : fs::directory_iterator(output.parent_path())) {
    EXPECT_EQ(entry.path().filename(), "readme.txt") << "left behind: " << entry.path();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShiftJisTextTest,
    ::testing::Values(
        TConversionCase{"LineFeedsBecomeCrLf", "a\n\nb\n", "a\r\n\r\nb\r\n"},
        TConversionCase{"CrLfStaysAndNoEndIsAdded", "a\r\nb", "a\r\nb"},
        TConversionCase{"ListAndEscapeCharactersPass", "C:\\jww\\kx27; a;b [x]\n",
                        "C:\\jww\\kx27; a;b [x]\r\n"},
        // レイヤ①～ｱ
        TConversionCase{"JapaneseBecomesShiftJis",
                        "\xe3\x83\xac\xe3\x82\xa4\xe3\x83\xa4\xe2\x91\xa0\xef\xbd\x9e\xef\xbd\xb1\n",
                        "\x83\x8c\x83\x43\x83\x84\x87\x40\x81\x60\xb1\r\n"},
        // an emoji has no Shift_JIS form
        TConversionCase{"CharacterWithoutFormFails", "a\n\xf0\x9f\x98\x80\n", std::nullopt},
        // 〜 (U+301C) would come back as ～ (U+FF5E)
        TConversionCase{"CharacterThatReadsBackOtherwiseFails", "a\xe3\x80\x9c" "b\n",
                        std::nullopt}),
    [](const ::testing::TestParamInfo<TConversionCase>& test) { return test.param.name; });

}  // namespace
}  // namespace kx27::testing
