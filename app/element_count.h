#pragma once

#include <cstdint>
#include <string_view>

namespace kx27 {

// How many elements an exchange file's text holds: every line that is not
// a command or an attribute, a dimension ("msg" and its two lines) once.
std::int64_t CountElementLines(std::string_view exchange_text);

}  // namespace kx27
