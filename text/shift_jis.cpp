#include "text/shift_jis.h"

namespace kx27 {

std::string UpperCaseCp932(std::string_view text) {
  std::string result(text);
  // A trail byte may look like a-z and must stay as it is.
  for (std::size_t p = 0; p < result.size(); p += CharSize(result, p)) {
    const char c = result[p];
    if (c >= 'a' && c <= 'z') result[p] = static_cast<char>(c - ('a' - 'A'));
  }
  return result;
}

std::string_view CutToWholeChars(std::string_view text, std::size_t max_bytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + CharSize(text, end);
    if (next > max_bytes) break;
    end = next;
  }
  return text.substr(0, end);
}

std::size_t FindCp932(std::string_view haystack, std::string_view needle, std::size_t from) {
  // Candidates come from a plain search; a boundary cursor that only moves
  // forward tells whether a candidate starts on a character.
  std::size_t boundary = 0;
  std::size_t candidate = haystack.find(needle, from);
  while (candidate != std::string_view::npos) {
    while (boundary < candidate) boundary += CharSize(haystack, boundary);
    if (boundary == candidate) return candidate;
    candidate = haystack.find(needle, candidate + 1);
  }
  return std::string_view::npos;
}

}  // namespace kx27
