#pragma once

#include <filesystem>

namespace kx27 {

// Full path of the running executable.
std::filesystem::path ProgramPath();

// ProgramPath()'s folder + "JWC_TEMP.TXT".
std::filesystem::path ExchangeFilePath();

// ProgramPath() with its extension replaced by ".dat" (kx27.exe -> kx27.dat).
std::filesystem::path SettingsFilePath();

}  // namespace kx27
