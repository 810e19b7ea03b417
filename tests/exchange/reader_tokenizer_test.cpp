#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/tokenizer.h"

namespace kx27 {
namespace {

std::vector<std::string> Split(std::string_view line) {
  std::string scratch;
  TTokenList tokens;
  SplitTokens(line, scratch, tokens);
  return std::vector<std::string>(tokens.Token.begin(), tokens.Token.begin() + tokens.Count);
}

struct TSplitCase {
  const char* name;
  std::string_view line;
  std::vector<std::string> tokens;
};

TEST(ReaderTokenizer, SplitsLikeTheHostWrites) {
  using namespace std::string_view_literals;
  const TSplitCase cases[] = {
      {"plain", "ci 0 0 5", {"ci", "0", "0", "5"}},
      {"trailing blank opens an empty token", "ci 0 0 5 ", {"ci", "0", "0", "5", ""}},
      {"trailing blanks open only one", "hk 1 \t ", {"hk", "1", ""}},
      {"leading and repeated separators", " \t a\t\t b", {"a", "b"}},
      {"empty line", "", {""}},
      {"quote ends splitting and is dropped",
       "ch 1 2 3 4 \"a b\" c",
       {"ch", "1", "2", "3", "4", "a b\" c"}},
      {"equals is kept and ends splitting", "file=a b \"c", {"file=a b \"c"}},
      {"quote after equals is ordinary", "x=\"y", {"x=\"y"}},
      {"tab dropped once splitting is off", "ch \"a\tb", {"ch", "ab"}},
      {"control bytes and FE FF dropped",
       "a\x01"
       "b\x1f c\xfe\xff",
       {"ab", "c"}},
      {"NUL dropped",
       "1\0"
       "2 3"sv,
       {"12", "3"}},
      {"control bytes between tokens",
       "\x01 ab \x02"
       "cd \x03",
       {"ab", "cd", ""}},
      {"control byte after the quote",
       "ch \"\x01"
       "a b",
       {"ch", "a b"}},
      {"quote inside a token", "cn\"$MS Gothic", {"cn$MS Gothic"}},
      {"pair keeps a blank second byte",
       "\x82\x20"
       "b c",
       {"\x82\x20"
        "b",
        "c"}},
      {"pair keeps a quote second byte", "\x81\x22x y", {"\x81\x22x", "y"}},
      {"pair with a control second byte", "\xe0\x09z", {"\xe0\x09z"}},
      {"lone lead byte at the end dropped", "ab \x82", {"ab", ""}},
      {"single-byte katakana are characters", "\xb1\xb2 \xa0", {"\xb1\xb2", "\xa0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Split(c.line), c.tokens);
  }
}

// Long runs of plain bytes are stepped over several at a time; a special
// byte must be seen wherever it stands in such a run.
TEST(ReaderTokenizer, SpecialBytesAtEveryOffsetOfALongToken) {
  enum TEffect { kSplits, kDropped, kKept };
  const std::pair<char, TEffect> specials[] = {
      {' ', kSplits}, {'\t', kSplits}, {'"', kDropped}, {'\x01', kDropped}, {'\xfe', kDropped},
      {'=', kKept},   {'!', kKept},    {'\x7f', kKept}, {'\xa1', kKept},    {'\x82', kKept},
  };
  for (const auto& [byte, effect] : specials) {
    for (std::size_t offset = 0; offset < 17; ++offset) {
      const std::string a(offset, 'a');
      const std::string b(20 - offset, 'b');
      const std::vector<std::string> expected = effect == kKept      ? std::vector{a + byte + b}
                                                : effect == kDropped ? std::vector{a + b}
                                                : a.empty()          ? std::vector{b}
                                                                     : std::vector{a, b};
      SCOPED_TRACE(::testing::Message() << "byte " << int(byte) << " at " << offset);
      EXPECT_EQ(Split(a + byte + b), expected);
    }
  }
}

TEST(ReaderTokenizer, KeepsTheFirst32TokensOfALongerLine) {
  std::string line;
  std::vector<std::string> expected;
  for (int i = 0; i < 40; ++i) {
    line += std::to_string(i) + " ";
    if (i < 32) expected.push_back(std::to_string(i));
  }
  EXPECT_EQ(Split(line), expected);
  line.resize(line.size() - 1);
  EXPECT_EQ(Split(line), expected);
}

}  // namespace
}  // namespace kx27
