#pragma once

// The Unicode character of each double-byte character of code page 932,
// by lead byte (0x81-0x9F, then 0xE0-0xFC) and trail byte (0x40-0xFC); 0
// where the pair is no character. Made by make_cp932_table.py.

#include <cstdint>

namespace kx27 {

inline constexpr int kCp932Leads = 60;
inline constexpr int kCp932Trails = 189;

extern const std::uint16_t kCp932DoubleByte[kCp932Leads][kCp932Trails];

}  // namespace kx27
