#pragma once

#include <string_view>

namespace kx27 {

// Writes one UTF-8 line to stderr so that a console shows it right: as
// UTF-16 to a console, as UTF-8 bytes to a file or a pipe.
void WriteErrorLine(std::string_view utf8_line);

// Writes Shift_JIS text to stdout: as UTF-16 to a console, whatever its code
// page, and as the bytes themselves to a file or a pipe.
void WriteShiftJisOutput(std::string_view sjis);

}  // namespace kx27
