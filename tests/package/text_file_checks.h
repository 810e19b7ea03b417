#pragma once

// What Windows tools and Jw_cad expect of a text file: Shift_JIS bytes and
// CR LF at the end of every line.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx27::testing {

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Offset of the first byte that is not part of a code page 932 character, or
// npos. Control characters other than tab, CR and LF count as invalid.
inline std::size_t FirstInvalidShiftJis(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20) {
      if (byte != '\t' && byte != '\r' && byte != '\n') return i;
    } else if (byte == 0x7F || byte == 0x80 || byte == 0xA0 || byte >= 0xFD) {
      return i;
    } else if (byte >= 0x81 && (byte <= 0x9F || byte >= 0xE0)) {
      if (i + 1 == text.size()) return i;
      const auto trail = static_cast<unsigned char>(text[i + 1]);
      if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return i;
      ++i;
    }
  }
  return std::string_view::npos;
}

// The lines without their ends; nothing when a line ends otherwise than in
// CR LF, the last one included.
inline std::optional<std::vector<std::string_view>> CrLfLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos || lf == 0 || text[lf - 1] != '\r') return std::nullopt;
    const std::string_view line = text.substr(0, lf - 1);
    if (line.find('\r') != std::string_view::npos) return std::nullopt;
    lines.push_back(line);
    text.remove_prefix(lf + 1);
  }
  return lines;
}

}  // namespace kx27::testing
