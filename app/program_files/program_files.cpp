#include "app/program_files/program_files.h"

namespace kx27 {

std::filesystem::path ExchangeFilePath() { return ProgramPath().parent_path() / "JWC_TEMP.TXT"; }

std::filesystem::path SettingsFilePath() { return ProgramPath().replace_extension(".dat"); }

}  // namespace kx27
