#pragma once

// Drawing texts are Shift_JIS; an SVG file is UTF-8. Decoded as Windows
// decodes code page 932, so the file shows what the dialog shows.

#include <string>
#include <string_view>

namespace kx27 {

// A byte or pair that is no character becomes U+FFFD; pairs are cut as
// CharSize cuts them.
std::string Cp932ToUtf8(std::string_view text);

}  // namespace kx27
