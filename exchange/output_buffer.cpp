#include "exchange/output_buffer.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "exchange/replace_file.h"
#include "text/shift_jis.h"

namespace kx27 {

namespace {

constexpr std::size_t kMaxLineBytes = 255;

// The buffer holds the file's bytes as they will be written: every line with
// its CR LF, a text's head line directly followed by its text. Writing the
// file is then one pass over one block, with no second copy. Its growth is
// kept in hand here, since it is most of the memory that the run holds.
struct TBytes {
  std::unique_ptr<char[]> data;
  std::size_t size = 0;
  std::size_t capacity = 0;
};
TBytes g_bytes;
std::int32_t g_count = 0;

void Reallocate(std::size_t capacity) {
  auto data = std::make_unique_for_overwrite<char[]>(capacity);
  if (g_bytes.size != 0) std::memcpy(data.get(), g_bytes.data.get(), g_bytes.size);
  g_bytes.data = std::move(data);
  g_bytes.capacity = capacity;
}

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Without branches, so that the test of every line runs vectorised.
bool HasLineBreak(std::string_view line) {
  unsigned found = 0;
  for (char c : line) found |= static_cast<unsigned>(IsLineBreak(c));
  return found != 0;
}

void Store(std::string_view line, std::string_view ending) {
  if (line.size() > kMaxLineBytes) line = CutToWholeChars(line, kMaxLineBytes);
  const std::size_t needed = g_bytes.size + line.size() + ending.size();
  // Grows by half rather than doubling, to keep the unused room small.
  if (needed > g_bytes.capacity)
    Reallocate(std::max(needed, g_bytes.capacity + g_bytes.capacity / 2 + 4096));
  if (!line.empty()) {
    char* const start = g_bytes.data.get() + g_bytes.size;
    std::memcpy(start, line.data(), line.size());
    // The host would read a line break inside a line as the start of another.
    if (HasLineBreak(line)) std::replace_if(start, start + line.size(), IsLineBreak, ' ');
  }
  if (!ending.empty())
    std::memcpy(g_bytes.data.get() + g_bytes.size + line.size(), ending.data(), ending.size());
  g_bytes.size = needed;
  ++g_count;
}

std::string_view Rendered() {
  if (g_count == 0) return "hq\r\n";
  return std::string_view(g_bytes.data.get(), g_bytes.size);
}

}  // namespace

void AppendOutputLine(std::string_view line) { Store(line, "\r\n"); }

std::string& StartOutputLine(std::string_view keyword) {
  static std::string scratch;
  scratch.assign(keyword);
  return scratch;
}

void AppendTextOutputLines(std::string_view head, std::string_view text) {
  Store(head, "");
  Store(text, "\r\n");
}

std::int32_t OutputCount() { return g_count; }

std::size_t OutputBytes() { return g_bytes.size; }

void ReserveOutput(std::size_t bytes) {
  if (g_bytes.size + bytes > g_bytes.capacity) Reallocate(g_bytes.size + bytes);
}

void ClearOutput() {
  g_bytes = TBytes();
  g_count = 0;
}

std::string RenderOutput() { return std::string(Rendered()); }

bool WriteExchangeFile(const std::filesystem::path& path) {
  try {
    return ReplaceFile(path, Rendered());
  } catch (const std::exception&) {
    // Out of memory for a path: the old file is still in place.
    return false;
  }
}

}  // namespace kx27
