#pragma once

#include <filesystem>
#include <string_view>

namespace kx27 {

// Reads the whole exchange file into the drawing state and the store. True
// when the file existed and was read to its end; what was read before a
// failure keeps its effect.
bool ReadExchangeFile(const std::filesystem::path& path);

// Applies one line (without its line end) to the drawing state or the store.
void ParseLine(std::string_view line);

}  // namespace kx27
