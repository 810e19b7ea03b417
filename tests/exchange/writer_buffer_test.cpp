#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "exchange/replace_file.h"
#include "tests/exchange/writer_test_support.h"

namespace kx27::testing {
namespace {

namespace fs = std::filesystem;

TEST(OutputBuffer, JoinsOnlyTextHeadsAndKeepsLinesWhole) {
  const std::string a254(254, 'a'), x255(255, 'x');
  ExpectFiles({
      {"text head joined with its text",
       [] { AppendOutputLine("hd"); AppendTextOutputLines("ch 10 20 1 0 \"", "abc"); },
       "hd|ch 10 20 1 0 \"abc"},
      {"other lines ending in a quote, and text lines, stand alone",
       [] { AppendOutputLine("cn\"$f\""); AppendTextOutputLines("ch \"", "a\""); AppendOutputLine(""); },
       "cn\"$f\"|ch \"a\"|"},
      {"CR and LF inside a line become blanks",
       [] { AppendTextOutputLines("c\rh \"", "a\rb\nc\r\n"); }, "c h \"a b c  "},
      {"cut at 255 bytes", [] { AppendOutputLine(std::string(300, 'x')); }, x255},
      {"cut before a double-byte character that would straddle",
       [a254] { AppendOutputLine(a254 + "\x82\xa0"); }, a254},
      {"cleared", [] { AppendOutputLine("hd"); ClearOutput(); }, ""},
  });
  ResetWriter();
  AppendTextOutputLines("ch 0 0 1 0 \"", "x");
  EXPECT_EQ(OutputCount(), 2);
}

class TempFolder {
 public:
  TempFolder()
      : path_(fs::temp_directory_path() /
              ("kx27-writer-" +
               std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
               "-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  fs::path operator/(std::string_view name) const { return path_ / name; }
  auto Entries() const {
    return std::distance(fs::directory_iterator(path_), fs::directory_iterator());
  }

 private:
  fs::path path_;
};

void WriteBytes(const fs::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ExchangeFile, ReplacesAnExistingFile) {
  TempFolder folder;
  const fs::path file = folder / "JWC_TEMP.TXT";
  WriteBytes(file, "hq\r\nold drawing\r\n");
  ResetWriter();
  for (int i = 0; i < 60000; ++i) AppendTextOutputLines("ch 1 2 3 4 \"", std::string(i % 40, 'x'));
  ASSERT_TRUE(WriteExchangeFile(file));
  EXPECT_EQ(ReadBytes(file), RenderOutput());
  EXPECT_EQ(folder.Entries(), 1);

  ClearOutput();
  ASSERT_TRUE(WriteExchangeFile(file));
  EXPECT_EQ(ReadBytes(file), "hq\r\n");
}

TEST(ExchangeFile, FailureLeavesTheOldFileAndNoTemporaryFile) {
  TempFolder folder;
  WriteBytes(folder / "JWC_TEMP.TXT", "hq\r\n");
  fs::create_directory(folder / "DIR.TXT");
  WriteBytes(folder / "DIR.TXT" / "inside", "kept");
  ResetWriter();
  AppendOutputLine("hd");

  EXPECT_FALSE(WriteExchangeFile(folder / "missing" / "JWC_TEMP.TXT"));
  EXPECT_FALSE(WriteExchangeFile(folder / "DIR.TXT"));
  EXPECT_FALSE(ReplaceFile(folder / "DIR.TXT", "bytes"));
  EXPECT_EQ(folder.Entries(), 2);
  EXPECT_EQ(ReadBytes(folder / "JWC_TEMP.TXT"), "hq\r\n");
  EXPECT_EQ(ReadBytes(folder / "DIR.TXT" / "inside"), "kept");
}

}  // namespace
}  // namespace kx27::testing
