#pragma once

// Whole text files read in one go.

#include <filesystem>
#include <string>

namespace kx27 {

enum class TReadResult { kRead, kMissing, kUnreadable };

// The file's bytes into bytes (replacing what it held). When reading fails
// part way, bytes keeps the complete lines read before the failure.
TReadResult ReadTextFile(const std::filesystem::path& path, std::string& bytes);

}  // namespace kx27
