#pragma once

// Drawing data and presets are Shift_JIS; window controls speak UTF-16.

#include <string>
#include <string_view>

namespace kx27 {

// Bytes that are no Shift_JIS character come out as the code page's
// replacement character; the call never fails.
std::wstring ToUtf16(std::string_view sjis);

// Characters that Shift_JIS lacks come out as '?'.
std::string ToShiftJis(std::wstring_view text);

}  // namespace kx27
