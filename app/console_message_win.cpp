#include "app/console_message.h"

#include <windows.h>

#include <string>

namespace kx27 {

void WriteErrorLine(std::string_view utf8_line) {
  const std::string line = std::string(utf8_line) + "\r\n";
  const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;

  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    const int size = static_cast<int>(line.size());
    const int wide_size = MultiByteToWideChar(CP_UTF8, 0, line.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, line.data(), size, wide.data(), wide_size);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  DWORD written = 0;
  WriteFile(handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace kx27
