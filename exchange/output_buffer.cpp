#include "exchange/output_buffer.h"

#include <algorithm>

#include "exchange/replace_file.h"
#include "text/shift_jis.h"

namespace kx27 {

namespace {

constexpr std::size_t kMaxLineBytes = 255;
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

// Every stored line is followed by one of these. Neither can stand inside a
// line, since appending turns CR and LF into blanks.
constexpr char kBreak = '\n';
constexpr char kJoin = '\r';

// All lines in one contiguous block: a million elements cost no allocation
// per line and render in one sequential pass.
std::string g_bytes;
std::int32_t g_count = 0;

void Store(std::string_view line, char separator) {
  if (line.size() > kMaxLineBytes) line = CutToWholeChars(line, kMaxLineBytes);
  const std::size_t start = g_bytes.size();
  g_bytes.append(line);
  // The host would read a line break inside a line as the start of another.
  std::replace_if(
      g_bytes.begin() + static_cast<std::ptrdiff_t>(start), g_bytes.end(),
      [](char c) { return c == kBreak || c == kJoin; }, ' ');
  g_bytes.push_back(separator);
  ++g_count;
}

// Hands the file's bytes to sink in blocks of about kBlockBytes, stopping
// early when sink returns false.
template <typename Sink>
void Render(Sink&& sink) {
  if (g_count == 0) {
    sink(std::string_view("hq\r\n"));
    return;
  }
  std::string block;
  block.reserve(std::min(kBlockBytes, g_bytes.size() + g_bytes.size() / 8) +
                kMaxLineBytes + 2);
  const char* p = g_bytes.data();
  const char* const end = p + g_bytes.size();
  while (p != end) {
    // The buffer always ends in a separator, so this stops inside it.
    const char* q = p;
    while (*q != kBreak && *q != kJoin) ++q;
    block.append(p, q);
    if (*q == kBreak) block.append("\r\n");
    p = q + 1;
    if (block.size() >= kBlockBytes) {
      if (!sink(std::string_view(block))) return;
      block.clear();
    }
  }
  if (!block.empty()) sink(std::string_view(block));
}

}  // namespace

void AppendOutputLine(std::string_view line) { Store(line, kBreak); }

std::string& StartOutputLine(std::string_view keyword) {
  static std::string scratch;
  scratch.assign(keyword);
  return scratch;
}

void AppendTextOutputLines(std::string_view head, std::string_view text) {
  Store(head, kJoin);
  Store(text, kBreak);
}

std::int32_t OutputCount() { return g_count; }

void ReserveOutput(std::size_t bytes) { g_bytes.reserve(g_bytes.size() + bytes); }

void ClearOutput() {
  g_bytes = std::string();
  g_count = 0;
}

std::string RenderOutput() {
  std::string out;
  out.reserve(g_bytes.size() + static_cast<std::size_t>(g_count) + 4);
  Render([&out](std::string_view block) {
    out.append(block);
    return true;
  });
  return out;
}

bool WriteExchangeFile(const std::filesystem::path& path) {
  try {
    TReplacementFile file(path);
    Render([&file](std::string_view block) { return file.Write(block); });
    return file.Commit();
  } catch (const std::exception&) {
    // Out of memory for a block or a path: the old file is still in place.
    return false;
  }
}

}  // namespace kx27
