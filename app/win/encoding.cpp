#include "app/win/encoding.h"

#include <windows.h>

#include <climits>

namespace kx27 {
namespace {

constexpr UINT kShiftJis = 932;

// The API counts in int; a longer text is cut rather than wrapped around.
int ApiLength(std::size_t size) { return size > INT_MAX ? INT_MAX : static_cast<int>(size); }

}  // namespace

std::wstring ToUtf16(std::string_view sjis) {
  if (sjis.empty()) return {};
  const int in = ApiLength(sjis.size());
  const int out = MultiByteToWideChar(kShiftJis, 0, sjis.data(), in, nullptr, 0);
  if (out <= 0) return {};
  std::wstring text(static_cast<std::size_t>(out), L'\0');
  MultiByteToWideChar(kShiftJis, 0, sjis.data(), in, text.data(), out);
  return text;
}

std::string ToShiftJis(std::wstring_view text) {
  if (text.empty()) return {};
  const int in = ApiLength(text.size());
  const int out = WideCharToMultiByte(kShiftJis, 0, text.data(), in, nullptr, 0, nullptr, nullptr);
  if (out <= 0) return {};
  std::string sjis(static_cast<std::size_t>(out), '\0');
  WideCharToMultiByte(kShiftJis, 0, text.data(), in, sjis.data(), out, nullptr, nullptr);
  return sjis;
}

}  // namespace kx27
