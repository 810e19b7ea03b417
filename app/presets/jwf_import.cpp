#include "app/presets/jwf_import.h"

#include <span>
#include <string_view>

#include "app/presets/text_file.h"
#include "text/conversions.h"
#include "text/hex_digit.h"
#include "text/line_cutter.h"
#include "text/number_format.h"
#include "text/shift_jis.h"

namespace kx27 {
namespace {

constexpr std::string_view kPrefix = "LAYTYP_";

std::string_view TrimControlBytes(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20) text.remove_suffix(1);
  return text;
}

// Applies one line of the file; lines other than "LAYTYP_g ... = values"
// change nothing.
void ApplyLine(std::string_view raw, std::array<std::string, 16>& slots, TJwfRows& rows) {
  const std::string upper = UpperCaseCp932(raw);
  const std::string_view line = TrimControlBytes(upper);
  if (line.size() <= kPrefix.size() || line.substr(0, kPrefix.size()) != kPrefix) return;
  // A line naming no group would otherwise land on group 0.
  const int group = HexDigitValue(line[kPrefix.size()]);
  if (group < 0) return;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;

  for (std::string& slot : slots) slot.assign(1, '0');
  SplitCommaText(line.substr(equals + 1), slots);
  auto& row = rows[group].emplace();
  for (std::size_t layer = 0; layer < slots.size(); ++layer)
    row[layer] = IntToText(TextToInt(slots[layer]));
}

}  // namespace

bool HasJwfExtension(const std::filesystem::path& file) {
  // The extension counts only after the last separator; a name that ends in
  // ".jwf" has no separator after its last '.', so the test is its last four
  // characters.
  const auto& name = file.native();
  if (name.size() < 4) return false;
  const auto* tail = name.data() + name.size() - 4;
  auto upper = [](auto c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
  return tail[0] == '.' && upper(tail[1]) == 'J' && upper(tail[2]) == 'W' && upper(tail[3]) == 'F';
}

TJwfRows ImportJwf(const std::filesystem::path& file) {
  std::string bytes;
  ReadTextFile(file, bytes);
  return ParseJwf(bytes);
}

TJwfRows ParseJwf(std::string_view bytes) {
  TJwfRows rows;
  std::array<std::string, 16> slots;
  TTextLines lines(bytes, TEndMark::kEndsText);
  while (!lines.AtEnd()) {
    const std::string_view line = lines.Next();
    // The host reads an environment file no further than this line.
    if (TrimControlBytes(line) == "END") break;
    ApplyLine(line, slots, rows);
  }
  return rows;
}

}  // namespace kx27
