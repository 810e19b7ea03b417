#pragma once

// The lines returned to the host, held as the bytes of the file.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>

#include "exchange/replace_file.h"

namespace kx27 {

// The longest line the host reads whole; longer ones are cut before it.
inline constexpr std::size_t kMaxLineBytes = 255;

class TOutputBuffer {
 public:
  // Appends one line, cut before a character that would pass 255 bytes.
  void AppendLine(std::string_view line);

  // Appends the head line of a text ("ch ... \"") and its text line; the
  // file carries both as one line. Each is cut to 255 bytes on its own.
  void AppendTextLines(std::string_view head, std::string_view text);

  // A line formatted in place: BeginLine gives room for at most room bytes
  // at the end of the buffer, the caller writes the line there, and
  // EndLine(end) stores the bytes up to end with CR LF. For lines known to
  // be shorter than 255 bytes and free of line breaks, as keywords and
  // numbers are: they are stored as they stand.
  char* BeginLine(std::size_t room);
  void EndLine(char* end) {
    std::memcpy(end, kLineEnd.data(), kLineEnd.size());
    size_ = static_cast<std::size_t>(end - data_.get()) + kLineEnd.size();
    ++count_;
  }
  // Likewise for the head line of a text, which AppendLine(text) follows.
  void EndTextHead(char* end) {
    size_ = static_cast<std::size_t>(end - data_.get());
    ++count_;
  }

  // Appends every line of other, as other holds them.
  void AppendLines(const TOutputBuffer& other);

  // Lines stored so far; a text's head and text line count as two.
  std::int32_t Count() const { return count_; }

  // Marks the line just stored as an element's, for the summary that says
  // how many the host gets back.
  void CountElementLine() { ++element_lines_; }
  // Element lines stored so far: a dimension's three count as one, a
  // curve's "pl" and "#" as one each, as they stand in the file.
  std::int64_t ElementLines() const { return element_lines_; }

  // The bytes held so far, CR LF included.
  std::size_t Size() const { return size_; }

  // Makes room for this many more bytes at once, so that the appends that
  // follow need not regrow the buffer.
  void Reserve(std::size_t bytes);

  // Empties the buffer and releases its storage.
  void Clear();

  // Empties the buffer but keeps its storage for the lines to come.
  void Rewind();

  // The file's bytes: every line with CR LF, a text's head line joined with
  // its text line, or "hq" CR LF when the buffer is empty.
  std::string_view FileBytes() const;

 private:
  static constexpr std::string_view kLineEnd = "\r\n";

  void Store(std::string_view line, std::string_view ending);
  void Grow(std::size_t needed);
  void Reallocate(std::size_t capacity);

  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  std::int32_t count_ = 0;
  std::int64_t element_lines_ = 0;
};

// Replaces the file at path with the buffer's FileBytes() in one step
// (ReplaceFile), written straight from the buffer. Unless the result is
// kReplaced the old file stays as it was.
TReplaceResult WriteExchangeFile(const std::filesystem::path& path, const TOutputBuffer& output,
                                 TFileSystem& files = NativeFileSystem());

// Replaces the file at path with "hq": the host leaves the drawing as it is.
bool WriteUnchangedAnswer(const std::filesystem::path& path);

}  // namespace kx27
