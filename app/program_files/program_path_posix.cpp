#include "app/program_files/program_files.h"

#include <system_error>

namespace kx27 {

std::filesystem::path ProgramPath() {
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/exe", error);
}

}  // namespace kx27
