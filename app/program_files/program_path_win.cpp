#include "app/program_files/program_files.h"

#include <windows.h>

#include <string>

namespace kx27 {

std::filesystem::path ProgramPath() {
  // The path may be longer than MAX_PATH; grow until it fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return std::filesystem::path(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace kx27
