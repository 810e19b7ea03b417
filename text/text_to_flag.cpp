#include <algorithm>
#include <array>

#include "text/conversions.h"
#include "text/shift_jis.h"

namespace kx27 {

namespace {

constexpr std::array<std::string_view, 10> kTrueWords = {
    "T",        "TR", "TRU", "TRUE", "1",
    "\x82\x50",  // full-width digit one
    "\x81\x9B",  // white circle
    "ON",
    "\x90\x5E",  // "true" (shin)
    "\x90\xB3",  // "correct" (sei)
};

}  // namespace

bool TextToFlag(std::string_view text) {
  const std::string word = UpperCaseCp932(StripBlanks(text));
  return std::find(kTrueWords.begin(), kTrueWords.end(), word) != kTrueWords.end();
}

std::string FlagToText(bool flag) { return flag ? "1" : "0"; }

}  // namespace kx27
