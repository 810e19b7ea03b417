#pragma once

// Splits one exchange-file line into its tokens.

#include <array>
#include <string>
#include <string_view>

namespace kx27 {

inline constexpr int kMaxTokens = 32;

struct TTokenList {
  std::array<std::string_view, kMaxTokens> Token;
  // Index of the last token plus one; a trailing separator opens an empty
  // token that counts. Entries from Count on are left over from earlier lines.
  int Count = 0;
};

// Blanks and tabs separate tokens until the first double quote (dropped) or
// equals sign (kept); from there on the rest of the line is one token.
// Double-byte characters stay whole; control bytes, 0xFE and 0xFF are dropped.
// Tokens past the 32nd are dropped. Tokens view the line itself where no byte
// was dropped from them, else scratch, which the caller keeps from line to
// line so that no line allocates.
void SplitTokens(std::string_view line, std::string& scratch, TTokenList& tokens);

}  // namespace kx27
