#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/exchange/reader_test_support.h"

namespace kx27 {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::Kinds;
using TKinds = std::vector<std::int32_t>;

class ReaderFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = fs::temp_directory_path() / "kx27_reader";
    dir_ += std::to_string(stamp);
    fs::create_directories(dir_);
    ResetDrawingState();
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Write(const std::string& bytes) {
    const fs::path path = dir_ / "JWC_TEMP.TXT";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  fs::path dir_;
};

struct TFileCase {
  const char* name;
  std::string bytes;
  TKinds kinds;
};

TEST_F(ReaderFile, LineEnds) {
  const TFileCase cases[] = {
      {"LF", "ci 0 0 1\n0 0 1 1\n", {kCircle, kLine}},
      {"CR LF", "ci 0 0 1\r\n0 0 1 1\r\n", {kCircle, kLine}},
      {"lone CR is dropped, not a break", "ci 0 0\r 1\r0 0 1 1\n", {}},
      {"lone CR inside a token", "ci 0 0 1\r1\n", {kCircle}},
      {"no final line feed", "ci 0 0 1\n0 0 1 1", {kCircle, kLine}},
      {"0x1A starts a line: the rest is not read", "ci 0 0 1\n\x1a" "0 0 1 1\n", {kCircle}},
      {"0x1A inside a line cuts it", "ci 0 0 1\x1a junk\n0 0 1 1\n", {kCircle, kLine}},
      {"NUL bytes are dropped", "c\0i 0 0 1\n"s, {kCircle}},
      {"blank lines", "\n\r\n \t\n", {}},
      {"empty file", "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResetDrawingState();
    EXPECT_TRUE(ReadExchangeFile(Write(c.bytes)));
    EXPECT_EQ(Kinds(), c.kinds);
  }
}

TEST_F(ReaderFile, CarriageReturnNeverJoinsADoubleByteCharacter) {
  ASSERT_TRUE(ReadExchangeFile(Write("ch 0 0 1 0 \"\x82\r\xa0\r\nBL 0 0 a\x82\r\n")));
  ASSERT_EQ(Kinds(), (TKinds{kText, kBlock}));
  EXPECT_EQ(StoredText(Store.Texts[0].Text), "\x82\xa0");
  EXPECT_EQ(StoredText(Store.Blocks[0].Name), "a");
}

TEST_F(ReaderFile, LinesAcrossBlocks) {
  // The CR of the first line ends the first 1 MiB block, its LF begins the
  // next; the second line is 10 MB long.
  const std::size_t block = std::size_t{1} << 20;
  std::string bytes = "BL 0 0 ";
  bytes += std::string(block - bytes.size() - 2, 'n') + "\x82\r\n";
  bytes += "ch 0 0 1 0 \"";
  bytes.append(10'000'000, 't');
  bytes += "\n1 2 3 4";
  ASSERT_TRUE(ReadExchangeFile(Write(bytes)));
  ASSERT_EQ(Kinds(), (TKinds{kBlock, kText, kLine}));
  EXPECT_EQ(StoredText(Store.Blocks[0].Name), std::string(block - 9, 'n'));
  EXPECT_EQ(StoredText(Store.Texts[0].Text), std::string(255, 't'));
  EXPECT_EQ(Store.Lines[0].Y2, 4.0);
}

TEST_F(ReaderFile, HugeTokenCountsAndNumbers) {
  std::string many = "sc";
  for (int i = 1; i <= 10'000; ++i) many.append(" ").append(std::to_string(i));
  ASSERT_TRUE(ReadExchangeFile(Write(many + "\n1e999 -1e999 1e-999 2\n")));
  ASSERT_EQ(Kinds(), (TKinds{kScSolid, kLine}));
  EXPECT_EQ(Store.ScSolids[0].V7, 7.0);
  EXPECT_EQ(Store.ScSolids[0].Flag, 8);
  const TLineRec& line = Store.Lines[0];
  EXPECT_EQ(line.X1, 0.0);
  EXPECT_EQ(line.Y1, 0.0);
  EXPECT_EQ(line.X2, 0.0);
  EXPECT_EQ(line.Y2, 2.0);
}

TEST_F(ReaderFile, WhatCannotBeReadIsFalse) {
  EXPECT_FALSE(ReadExchangeFile(dir_ / "missing.txt"));
  EXPECT_TRUE(Store.OrderList.empty());
  EXPECT_FALSE(ReadExchangeFile(dir_));
}

}  // namespace
}  // namespace kx27
