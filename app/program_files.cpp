#include "app/program_path.h"

namespace kx27 {

std::filesystem::path ExchangeFilePath() {
  return ProgramPath().parent_path() / "JWC_TEMP.TXT";
}

std::filesystem::path SettingsFilePath() {
  return ProgramPath().replace_extension(".dat");
}

}  // namespace kx27
