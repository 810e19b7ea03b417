#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "exchange/replace_file.h"
#include "tests/exchange/writer_test_support.h"

namespace kx27::testing {
namespace {

namespace fs = std::filesystem;

using OutputBuffer = WriterTest;

TEST_F(OutputBuffer, RendersLinesAsTheFileHoldsThem) {
  const std::string a254(254, 'a');
  const struct {
    const char* name;
    std::function<void()> append;
    std::string bytes;
  } cases[] = {
      {"nothing", [] {}, "hq\r\n"},
      {"text head joined with its text",
       [] {
         AppendOutputLine("hd");
         AppendTextOutputLines("ch 10 20 1 0 \"", "abc");
         AppendOutputLine("lg0");
       },
       FileLines({"hd", "ch 10 20 1 0 \"abc", "lg0"})},
      {"other lines ending in a quote stand alone",
       [] {
         AppendOutputLine("cn\"$font\"");
         AppendOutputLine("1 2 3 4");
       },
       FileLines({"cn\"$font\"", "1 2 3 4"})},
      {"text line ending in a quote joins nothing",
       [] {
         AppendTextOutputLines("ch 1 1 1 0 \"", "say \"");
         AppendOutputLine("z1");
       },
       FileLines({"ch 1 1 1 0 \"say \"", "z1"})},
      {"empty line", [] { AppendOutputLine(""); }, FileLines({""})},
      {"CR and LF inside a line become blanks",
       [] { AppendTextOutputLines("ch \"", "a\rb\nc\r\n"); },
       FileLines({"ch \"a b c  "})},
      {"cut at 255 bytes", [] { AppendOutputLine(std::string(300, 'x')); },
       FileLines({std::string(255, 'x')})},
      {"cut before a double-byte character that would straddle",
       [a254] { AppendOutputLine(a254 + "\x82\xa0"); }, FileLines({a254})},
      {"cleared", [] {
         AppendOutputLine("hd");
         ClearOutput();
       },
       "hq\r\n"},
  };
  for (const auto& c : cases) {
    ClearOutput();
    c.append();
    EXPECT_EQ(RenderOutput(), c.bytes) << c.name;
  }
}

TEST_F(OutputBuffer, CountsStoredLines) {
  AppendOutputLine("hd");
  AppendTextOutputLines("ch 0 0 1 0 \"", "x");
  EXPECT_EQ(OutputCount(), 3);
  ClearOutput();
  EXPECT_EQ(OutputCount(), 0);
}

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> serial{0};
    path_ = fs::temp_directory_path() /
            ("kx27-writer-" +
             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
             "-" + std::to_string(serial++));
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  fs::path path_;
};

void WriteBytes(const fs::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

using ExchangeFile = WriterTest;

TEST_F(ExchangeFile, ReplacesAnExistingFile) {
  TempFolder folder;
  const fs::path file = folder.Path() / "JWC_TEMP.TXT";
  WriteBytes(file, "hq\r\nold drawing\r\n");
  // A large output, many of its lines joined.
  AppendOutputLine("hd");
  for (int i = 0; i < 60000; ++i) {
    AppendOutputLine("lg" + std::to_string(i % 16));
    AppendTextOutputLines("ch 1 2 3 4 \"", std::string(i % 40, 'x'));
  }
  ASSERT_TRUE(WriteExchangeFile(file));
  EXPECT_EQ(ReadBytes(file), RenderOutput());
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"JWC_TEMP.TXT"});

  ClearOutput();
  ASSERT_TRUE(WriteExchangeFile(file));
  EXPECT_EQ(ReadBytes(file), "hq\r\n");
}

TEST_F(ExchangeFile, FailureLeavesTheOldFileAndNoTemporaryFile) {
  TempFolder folder;
  const fs::path old_file = folder.Path() / "JWC_TEMP.TXT";
  WriteBytes(old_file, "hq\r\n");
  const fs::path directory = folder.Path() / "DIR.TXT";
  fs::create_directory(directory);
  WriteBytes(directory / "inside", "kept");
  AppendOutputLine("hd");

  EXPECT_FALSE(WriteExchangeFile(folder.Path() / "missing" / "JWC_TEMP.TXT"));
  EXPECT_FALSE(WriteExchangeFile(directory));
  EXPECT_FALSE(ReplaceFile(directory, "bytes"));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"DIR.TXT", "JWC_TEMP.TXT"}));
  EXPECT_EQ(ReadBytes(old_file), "hq\r\n");
  EXPECT_EQ(ReadBytes(directory / "inside"), "kept");
}

}  // namespace
}  // namespace kx27::testing
