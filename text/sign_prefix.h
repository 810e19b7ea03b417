#pragma once

// The start that every number in the files may have: blanks, then one sign.

#include <optional>
#include <string_view>

namespace kx27 {

struct TSignedText {
  bool Negative = false;
  std::string_view Rest;  // what follows the sign
};

// Nothing when the text is blanks only.
constexpr std::optional<TSignedText> SplitSign(std::string_view text) {
  std::size_t p = text.find_first_not_of(' ');
  if (p == std::string_view::npos) return std::nullopt;
  TSignedText split;
  if (text[p] == '+' || text[p] == '-') {
    split.Negative = text[p] == '-';
    ++p;
  }
  split.Rest = text.substr(p);
  return split;
}

}  // namespace kx27
