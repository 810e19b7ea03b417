#include "app/console/message.h"

#include <windows.h>

#include <string>

namespace kx27 {
namespace {

void WriteText(HANDLE handle, std::string_view text, UINT code_page) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    const int size = static_cast<int>(text.size());
    const int wide_size = MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
    MultiByteToWideChar(code_page, 0, text.data(), size, wide.data(), wide_size);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  DWORD written = 0;
  WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void WriteShiftJisOutput(std::string_view sjis) {
  WriteText(GetStdHandle(STD_OUTPUT_HANDLE), sjis, 932);
}

void WriteErrorLine(std::string_view utf8_line) {
  WriteText(GetStdHandle(STD_ERROR_HANDLE), std::string(utf8_line) + "\r\n", CP_UTF8);
}

}  // namespace kx27
