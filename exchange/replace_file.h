#pragma once

#include <filesystem>
#include <string_view>

namespace kx27 {

// Writes bytes to a temporary file in the same folder and then puts it in
// place of path in one step. On any failure path is left as it was, the
// temporary file is removed and the result is false.
bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace kx27
