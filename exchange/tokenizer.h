#pragma once

// Splits one exchange-file line into its tokens.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/conversions.h"

namespace kx27 {

inline constexpr int kMaxTokens = 32;

struct TTokenList {
  // The whole line, as cut from the file: for the commands that take the
  // rest of it as one text, blanks and all.
  std::string_view Line;
  std::array<std::string_view, kMaxTokens> Token;
  // Index of the last token plus one; a trailing separator opens an empty
  // token that counts. Entries from Count on are left over from earlier lines.
  int Count = 0;
  // Tokens i < kParsedReals whose bit i is set were parsed as reals already:
  // Reals[i] holds TextToReal(Token[i]).
  std::uint32_t ParsedMask = 0;
  const double* Reals = nullptr;
};

// Element lines take their reals from the first nine tokens at most.
inline constexpr int kParsedReals = 9;

// TextToReal(tokens.Token[i]), parsed already or now.
inline double RealAt(const TTokenList& tokens, int i) {
  if ((tokens.ParsedMask >> i) & 1) return tokens.Reals[i];
  return TextToReal(tokens.Token[i]);
}

// Blanks and tabs separate tokens until the first double quote (dropped) or
// equals sign (kept); from there on the rest of the line is one token.
// Double-byte characters stay whole; control bytes, 0xFE and 0xFF are dropped.
// Tokens past the 32nd are dropped. Tokens view the line itself where no byte
// was dropped from them, else scratch, which the caller keeps from line to
// line so that no line allocates.
void SplitTokens(std::string_view line, std::string& scratch, TTokenList& tokens);

}  // namespace kx27
