#include "exchange/tokenizer.h"

#include <array>
#include <bit>
#include <cstdint>

#include "text/shift_jis.h"
#include "text/wide_integer.h"

namespace kx27 {

namespace {

enum TByteClass : std::uint8_t {
  kPlain,      // part of the current token
  kLead,       // first byte of a double-byte character
  kDropped,    // control bytes, 0xFE, 0xFF
  kSeparator,  // blank or tab: ends a token while splitting
  kQuote,      // ends splitting and is dropped
  kEquals,     // ends splitting and is kept
};

constexpr std::array<TByteClass, 256> MakeClasses(bool splitting) {
  std::array<TByteClass, 256> classes{};
  for (int b = 0; b < 256; ++b) {
    if (IsLeadByte(static_cast<unsigned char>(b))) {
      classes[b] = kLead;
    } else if (b < 0x20 || b > 0xFD) {
      classes[b] = kDropped;
    } else {
      classes[b] = kPlain;
    }
  }
  if (splitting) {
    classes[' '] = kSeparator;
    classes['\t'] = kSeparator;
    classes['"'] = kQuote;
    classes['='] = kEquals;
  }
  return classes;
}

constexpr std::array<TByteClass, 256> kSplitting = MakeClasses(true);
// Once splitting is off, blanks, quotes and equals signs are plain bytes
// and a tab is dropped like any control byte.
constexpr std::array<TByteClass, 256> kRest = MakeClasses(false);

TByteClass ClassOf(const std::array<TByteClass, 256>& classes, char c) {
  return classes[static_cast<unsigned char>(c)];
}

// How many of the eight bytes at p come before the first blank, tab, quote,
// equals sign, control byte or byte from 0x80 up. Numbers and keywords are
// made of the other bytes, so the scan steps over them eight at a time.
int PlainAsciiPrefix(const char* p) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHigh = 0x8080808080808080u;
  // The first byte is the lowest.
  const std::uint64_t w = LoadLittleEndian64(p);
  const auto zero_byte = [](std::uint64_t x) { return (x - kOnes) & ~x & kHigh; };
  // Each test may also flag bytes after its first true hit (borrows carry
  // upwards), never before it, so the lowest flag is exact.
  const std::uint64_t flags = ((w - kOnes * 0x21) & ~w & kHigh) | (w & kHigh) |
                              zero_byte(w ^ (kOnes * '"')) | zero_byte(w ^ (kOnes * '='));
  return flags == 0 ? 8 : std::countr_zero(flags) / 8;
}

// Most lines drop no byte from inside a token, so their tokens can be views
// of the line itself. False when a byte would have to be dropped from within
// a token; the caller then copies.
bool SplitInPlace(std::string_view line, TTokenList& tokens) {
  const char* p = line.data();
  const char* const end = p + line.size();
  const char* start = p;
  int index = 0;
  while (p != end) {
    if (end - p >= 8) {
      const int plain = PlainAsciiPrefix(p);
      p += plain;
      if (plain == 8) continue;
    }
    const TByteClass kind = ClassOf(kSplitting, *p);
    if (kind == kPlain) {
      ++p;
    } else if (kind == kSeparator) {
      if (p != start) {
        tokens.Token[index] = std::string_view(start, p - start);
        if (++index == kMaxTokens) {
          tokens.Count = kMaxTokens;
          return true;
        }
      }
      start = ++p;
    } else if (kind == kLead) {
      if (end - p < 2) break;  // a lone lead byte at the end is dropped
      p += 2;
    } else if (kind == kEquals) {
      ++p;
      break;
    } else if (p != start) {
      return false;  // a quote or a dropped byte after the token's start
    } else {
      start = ++p;
      if (kind == kQuote) break;
    }
  }
  while (p != end) {
    const TByteClass kind = ClassOf(kRest, *p);
    if (kind == kPlain) {
      ++p;
    } else if (kind == kLead && end - p >= 2) {
      p += 2;
    } else if (kind == kLead) {
      break;
    } else {
      return false;
    }
  }
  tokens.Token[index] = std::string_view(start, p - start);
  tokens.Count = index + 1;
  return true;
}

void SplitCopying(std::string_view line, std::string& scratch, TTokenList& tokens) {
  // A token never holds more bytes than the line, so the buffer can be
  // written without bounds checks once it is as long as the line.
  if (scratch.size() < line.size()) scratch.resize(line.size());
  char* const buffer = scratch.data();
  char* out = buffer;
  char* start = buffer;
  int index = 0;
  const char* p = line.data();
  const char* const end = p + line.size();
  while (p != end) {
    const TByteClass kind = ClassOf(kSplitting, *p);
    if (kind == kPlain) {
      *out++ = *p++;
    } else if (kind == kSeparator) {
      ++p;
      if (out != start) {
        tokens.Token[index] = std::string_view(start, out - start);
        start = out;
        if (++index == kMaxTokens) {
          tokens.Count = kMaxTokens;
          return;
        }
      }
    } else if (kind == kLead) {
      if (end - p < 2) break;
      *out++ = *p++;
      *out++ = *p++;
    } else if (kind == kDropped) {
      ++p;
    } else {
      if (kind == kEquals) *out++ = '=';
      ++p;
      break;
    }
  }
  while (p != end) {
    const TByteClass kind = ClassOf(kRest, *p);
    if (kind == kPlain) {
      *out++ = *p++;
    } else if (kind == kLead) {
      if (end - p < 2) break;
      *out++ = *p++;
      *out++ = *p++;
    } else {
      ++p;
    }
  }
  tokens.Token[index] = std::string_view(start, out - start);
  tokens.Count = index + 1;
}

}  // namespace

void SplitTokens(std::string_view line, std::string& scratch, TTokenList& tokens) {
  tokens.Line = line;
  if (!SplitInPlace(line, tokens)) SplitCopying(line, scratch, tokens);
}

}  // namespace kx27
