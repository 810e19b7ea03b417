#pragma once

// Conversions between Shift_JIS text and numbers. The Parse functions tell
// text that is no number; the others never fail: empty or malformed text
// gives 0, 0.0 or false and the caller goes on.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kx27 {

// True for "T", "TR", "TRU", "TRUE", "1", "ON" (any case) and the Japanese
// words for one, circle, true and correct, once every blank is removed.
bool TextToFlag(std::string_view text);
std::string FlagToText(bool flag);

// Whole-text decimal or hexadecimal ($, x, X, 0x, 0X) integer with optional
// leading spaces and one sign; nothing for anything else or out of int32 range.
std::optional<std::int32_t> ParseInt(std::string_view text);

// ParseInt, with 0 for text that is no number.
std::int32_t TextToInt(std::string_view text);

// Whole-text decimal real, always with a full stop; nothing for anything
// else, and for magnitudes beyond the range of a double.
std::optional<double> ParseReal(std::string_view text);

// ParseReal, with 0.0 for text that is no number.
double TextToReal(std::string_view text);

// Removes every byte <= 0x20 and every full-width space, wherever it stands.
std::string StripBlanks(std::string_view text);

// text without the half-width blanks, control bytes and full-width blanks
// ("\x81\x40") at either end; those inside stay.
std::string_view TrimBlanks(std::string_view text);

// Splits a list separated by commas or blanks (quoted items allowed) into
// slots, from slot 0 on; slots past the last item keep their content. Items
// beyond the slots' count are dropped. Returns the number of items found.
int SplitCommaText(std::string_view text, std::span<std::string> slots);

}  // namespace kx27
