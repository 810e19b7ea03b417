#include "exchange/output_buffer.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "text/shift_jis.h"

namespace kx27 {

namespace {

constexpr std::string_view kUnchanged = "hq\r\n";

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Without branches, so that the test of every line runs vectorised.
bool HasLineBreak(std::string_view line) {
  unsigned found = 0;
  for (char c : line) found |= static_cast<unsigned>(IsLineBreak(c));
  return found != 0;
}

TReplaceResult Replace(const std::filesystem::path& path, std::string_view bytes,
                       TFileSystem& files) {
  try {
    return ReplaceFile(path, bytes, files);
  } catch (const std::exception&) {
    // Out of memory for a path: the old file is still in place.
    return TReplaceResult::kFailed;
  }
}

}  // namespace

void TOutputBuffer::AppendLine(std::string_view line) { Store(line, kLineEnd); }

void TOutputBuffer::AppendTextLines(std::string_view head, std::string_view text) {
  Store(head, "");
  Store(text, kLineEnd);
}

void TOutputBuffer::Reserve(std::size_t bytes) {
  if (size_ + bytes > capacity_) Reallocate(size_ + bytes);
}

void TOutputBuffer::Clear() { *this = TOutputBuffer(); }

std::string_view TOutputBuffer::FileBytes() const {
  if (count_ == 0) return kUnchanged;
  return std::string_view(data_.get(), size_);
}

char* TOutputBuffer::BeginLine(std::size_t room) {
  Grow(size_ + room + kLineEnd.size());
  return data_.get() + size_;
}

void TOutputBuffer::AppendLines(const TOutputBuffer& other) {
  if (other.count_ == 0) return;
  Grow(size_ + other.size_);
  std::memcpy(data_.get() + size_, other.data_.get(), other.size_);
  size_ += other.size_;
  count_ += other.count_;
  element_lines_ += other.element_lines_;
}

void TOutputBuffer::Rewind() {
  size_ = 0;
  count_ = 0;
  element_lines_ = 0;
}

// The buffer holds the file's bytes as they will be written: every line with
// its CR LF, a text's head line directly followed by its text. Writing the
// file is then one pass over one block, with no second copy. Its growth is
// kept in hand here, since it is most of the memory that the run holds.
void TOutputBuffer::Store(std::string_view line, std::string_view ending) {
  if (line.size() > kMaxLineBytes) line = CutToWholeChars(line, kMaxLineBytes);
  Grow(size_ + line.size() + ending.size());
  if (!line.empty()) {
    char* const start = data_.get() + size_;
    std::memcpy(start, line.data(), line.size());
    // The host would read a line break inside a line as the start of another.
    if (HasLineBreak(line)) std::replace_if(start, start + line.size(), IsLineBreak, ' ');
  }
  if (!ending.empty()) std::memcpy(data_.get() + size_ + line.size(), ending.data(), ending.size());
  size_ += line.size() + ending.size();
  ++count_;
}

void TOutputBuffer::Grow(std::size_t needed) {
  // Grows by half rather than doubling, to keep the unused room small.
  if (needed > capacity_) Reallocate(std::max(needed, capacity_ + capacity_ / 2 + 4096));
}

void TOutputBuffer::Reallocate(std::size_t capacity) {
  auto data = std::make_unique_for_overwrite<char[]>(capacity);
  if (size_ != 0) std::memcpy(data.get(), data_.get(), size_);
  data_ = std::move(data);
  capacity_ = capacity;
}

TReplaceResult WriteExchangeFile(const std::filesystem::path& path, const TOutputBuffer& output,
                                 TFileSystem& files) {
  return Replace(path, output.FileBytes(), files);
}

bool WriteUnchangedAnswer(const std::filesystem::path& path) {
  return Replace(path, kUnchanged, NativeFileSystem()) == TReplaceResult::kReplaced;
}

}  // namespace kx27
