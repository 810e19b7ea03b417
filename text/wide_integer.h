#pragma once

// The two operations the number formatting needs beyond portable C++: a
// 64 x 64 -> 128-bit product, and 64-bit words stored with their lowest
// byte first. Compilers that have them get them; others a plain fallback.

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(_MSC_VER) && defined(_M_X64)
#include <intrin.h>
#endif

namespace kx27 {

struct TUint128 {
  std::uint64_t High = 0;
  std::uint64_t Low = 0;
};

inline TUint128 MultiplyWide(std::uint64_t a, std::uint64_t b) {
#if defined(__SIZEOF_INT128__)
  __extension__ const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
  return {static_cast<std::uint64_t>(product >> 64), static_cast<std::uint64_t>(product)};
#elif defined(_MSC_VER) && defined(_M_X64)
  TUint128 product;
  product.Low = _umul128(a, b, &product.High);
  return product;
#else
  const std::uint64_t a_low = a & 0xFFFFFFFF, a_high = a >> 32;
  const std::uint64_t b_low = b & 0xFFFFFFFF, b_high = b >> 32;
  const std::uint64_t low_low = a_low * b_low;
  const std::uint64_t high_low = a_high * b_low;
  const std::uint64_t low_high = a_low * b_high;
  const std::uint64_t middle = (low_low >> 32) + (high_low & 0xFFFFFFFF) + low_high;
  return {a_high * b_high + (high_low >> 32) + (middle >> 32),
          (middle << 32) | (low_low & 0xFFFFFFFF)};
#endif
}

// value >> shift for 0 < shift < 64.
inline std::uint64_t ShiftRight(TUint128 value, int shift) {
  return value.High << (64 - shift) | value.Low >> shift;
}

constexpr std::uint64_t ReverseBytes(std::uint64_t word) {
  std::uint64_t reversed = 0;
  for (int i = 0; i < 8; ++i, word >>= 8) reversed = reversed << 8 | (word & 0xFF);
  return reversed;
}

inline std::uint64_t LoadLittleEndian64(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  if constexpr (std::endian::native == std::endian::big) word = ReverseBytes(word);
  return word;
}

inline void StoreLittleEndian64(char* p, std::uint64_t word) {
  if constexpr (std::endian::native == std::endian::big) word = ReverseBytes(word);
  std::memcpy(p, &word, sizeof word);
}

}  // namespace kx27
