#include "exchange/tokenizer.h"

#include "text/shift_jis.h"

namespace kx27 {

void SplitTokens(std::string_view line, std::string& scratch, TTokenList& tokens) {
  // A token never holds more bytes than the line, so the buffer can be
  // written without bounds checks once it is as long as the line.
  if (scratch.size() < line.size()) scratch.resize(line.size());
  char* const buffer = scratch.data();
  std::size_t length = 0;
  std::size_t start = 0;
  int index = 0;
  bool splitting = true;

  const auto* p = reinterpret_cast<const unsigned char*>(line.data());
  const auto* const end = p + line.size();
  while (p != end) {
    const unsigned char byte = *p;
    if (IsLeadByte(byte)) {
      if (end - p < 2) break;  // a lone lead byte at the end is dropped
      buffer[length++] = static_cast<char>(byte);
      buffer[length++] = static_cast<char>(p[1]);
      p += 2;
      continue;
    }
    ++p;
    if (splitting) {
      if (byte == '"') {
        splitting = false;
        continue;
      }
      if (byte == '=') {
        buffer[length++] = '=';
        splitting = false;
        continue;
      }
      if (byte == ' ' || byte == '\t') {
        if (length != start) {
          tokens.Token[index] = std::string_view(buffer + start, length - start);
          start = length;
          if (++index == kMaxTokens) {
            tokens.Count = kMaxTokens;
            return;
          }
        }
        continue;
      }
    }
    if (byte >= 0x20 && byte <= 0xFD) buffer[length++] = static_cast<char>(byte);
  }
  tokens.Token[index] = std::string_view(buffer + start, length - start);
  tokens.Count = index + 1;
}

}  // namespace kx27
