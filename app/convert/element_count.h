#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kx27 {

// How many elements an exchange file's text holds: every line that is not
// a command or an attribute, a dimension ("msg" and its two lines) once.
std::int64_t CountElementLines(std::string_view exchange_text);

// The same for a file, read a block at a time; what a failed read left
// unread is not counted.
std::int64_t CountElementLinesInFile(const std::filesystem::path& file);

}  // namespace kx27
