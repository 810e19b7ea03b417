#pragma once

// Byte-level helpers for Shift_JIS (code page 932) text.

#include <cstddef>
#include <string>
#include <string_view>

namespace kx27 {

// First byte of a double-byte character: 0x80-0x9F or 0xE0-0xFD.
constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x80 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFD);
}

// How many bytes the character at pos takes: 2 for a lead byte with a byte
// after it, 1 otherwise.
constexpr std::size_t CharSize(std::string_view text, std::size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// ASCII a-z become A-Z; double-byte characters are stepped over whole.
std::string UpperCaseCp932(std::string_view text);

// The longest prefix of at most max_bytes bytes that does not end inside a
// double-byte character.
std::string_view CutToWholeChars(std::string_view text, std::size_t max_bytes);

// Position of the first occurrence of needle that does not start on the
// second byte of a double-byte character, or npos.
std::size_t FindCp932(std::string_view haystack, std::string_view needle, std::size_t from = 0);

}  // namespace kx27
