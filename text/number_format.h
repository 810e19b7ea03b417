#pragma once

// Numbers as the exchange and settings files write them: no locale, the
// decimal separator is always a full stop.

#include <cstddef>
#include <cstdint>
#include <string>

namespace kx27 {

// General format with at most 15 significant digits: fixed notation for
// 1e-4 <= |value| < 1e15, otherwise "1.5E20" / "1E-5"; zero is "0".
void AppendReal(std::string& out, double value);

// The most bytes WriteReal stores, including scratch past the text it leaves.
inline constexpr std::size_t kRealRoom = 48;

// AppendReal's text at out, which has kRealRoom bytes of room; returns the
// end of the text.
char* WriteReal(char* out, double value);
std::string FormatReal(double value);

// The value that a reader gets back from the text AppendReal writes: value
// rounded to 15 significant digits, 0 where the text is "0".
double WrittenReal(double value);

void AppendInt(std::string& out, std::int64_t value);
std::string IntToText(std::int64_t value);

}  // namespace kx27
