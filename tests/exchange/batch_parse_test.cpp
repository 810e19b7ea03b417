// Lines cut in one scan and parsed in batches: the same lines, tokens and
// numbers as a file cut at every line feed and split line by line, wherever
// the blocks of the file end.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "exchange/parsed_batch.h"
#include "exchange/tokenizer.h"
#include "text/conversions.h"

namespace kx27 {
namespace {

// The lines as the reader once took them: cut at each line feed; 0x1A
// where a line begins ends the file, inside one ends the line; every
// carriage return dropped; a last line without line feed counts.
std::vector<std::string> ExpectedLines(std::string_view file) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < file.size()) {
    std::size_t lf = file.find('\n', start);
    const bool last = lf == std::string_view::npos;
    if (last) lf = file.size();
    std::string_view raw = file.substr(start, lf - start);
    if (!raw.empty() && raw.front() == '\x1A') break;
    raw = raw.substr(0, raw.find('\x1A'));
    std::string line;
    for (const char c : raw)
      if (c != '\r') line.push_back(c);
    lines.push_back(line);
    start = lf + 1;
  }
  return lines;
}

// Each line whole, then its tokens joined by '|', with the reals of those parsed
// already, the way the reader gets them.
std::vector<std::string> Described(const std::vector<TTokenList>& lists) {
  std::vector<std::string> out;
  for (const TTokenList& tokens : lists) {
    std::string text(1, '[');
    text.append(tokens.Line).push_back(']');
    for (int i = 0; i < tokens.Count; ++i) {
      text += std::string(tokens.Token[i]) + "|";
      if (i < kParsedReals) text += std::to_string(RealAt(tokens, i)) + "|";
    }
    out.push_back(text);
  }
  return out;
}

std::vector<std::string> SplitOneByOne(std::string_view file) {
  std::vector<std::string> described;
  std::string scratch;
  for (const std::string& line : ExpectedLines(file)) {
    TTokenList tokens;
    SplitTokens(line, scratch, tokens);
    if (tokens.Count == 1 && tokens.Token[0].empty()) continue;
    described.push_back(Described({tokens}).front());
  }
  return described;
}

std::vector<std::string> ParseInBlocks(std::string_view file, std::size_t block) {
  TBatchParser parser;
  std::vector<std::string> described;
  for (std::size_t at = 0;;) {
    TParsedBatch batch;
    char* room = parser.ReadRoom(batch, block);
    const std::size_t got = std::min(block, file.size() - at);
    std::memcpy(room, file.data() + at, got);
    at += got;
    const bool at_end = got < block;
    const bool more = parser.Parse(batch, got, at_end);
    std::vector<TTokenList> lists;
    for (const TParsedLine& line : batch.Lines) batch.Get(line, lists.emplace_back());
    for (std::string& line : Described(lists)) described.push_back(std::move(line));
    if (!more || at_end) return described;
  }
}

TEST(BatchParse, SameLinesAndNumbersWhereverBlocksEnd) {
  const std::string_view files[] = {
      "hq\r\nci 1 2 3\r\n-1.5 2 3e2 4\r\n",
      "a\nb\r\nc\rd\r\n\r\n\n e f \ng",
      "ch 1 2 3 4 \"x\r\x1Ay\r\nlast",
      "1 2 3 4\r\n\x1A"
      "5 6 7 8\r\n",
      "\r\r\n\r\x1A\r\n\t\x01 lg1\r\n",
      "ch 0 0 1 0 \"\x82\r\n\x82\n",
      "sl 1 2 3 4 5 6 7 8 9 10 11\r\nCR at the end\r",
  };
  for (const std::string_view file : files) {
    const std::vector<std::string> expected = SplitOneByOne(file);
    for (std::size_t block = 1; block <= file.size() + 1; ++block)
      EXPECT_EQ(ParseInBlocks(file, block), expected) << "block " << block << ": " << file;
  }
}

TEST(BatchParse, RandomBytesAroundLineEnds) {
  std::mt19937 random(7);
  constexpr std::string_view alphabet = "\r\n\x1A\t 0123456789.-e\"=ab\x82";
  for (int round = 0; round < 300; ++round) {
    std::string file;
    const int length = std::uniform_int_distribution<int>(0, 80)(random);
    for (int i = 0; i < length; ++i)
      file.push_back(
          alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)]);
    const std::vector<std::string> expected = SplitOneByOne(file);
    for (const std::size_t block : {1, 3, 8, 17, 64})
      EXPECT_EQ(ParseInBlocks(file, block), expected) << "block " << block;
  }
}

}  // namespace
}  // namespace kx27
