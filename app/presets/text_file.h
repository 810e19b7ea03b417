#pragma once

// Whole text files read in one go, and the lines in them: LF or CR LF ends a
// line, and a CR anywhere else is dropped.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace kx27 {

enum class TReadResult { kRead, kMissing, kUnreadable };

// The file's bytes into bytes (replacing what it held). When reading fails
// part way, bytes keeps the complete lines read before the failure.
TReadResult ReadTextFile(const std::filesystem::path& path, std::string& bytes);

class TLineCursor {
 public:
  // With eof_mark_ends, a byte 0x1A where a line would begin ends the text.
  explicit TLineCursor(std::string_view text, bool eof_mark_ends = false);

  bool AtEnd() const;

  // The next line without its end; the empty text once AtEnd(). The view
  // lasts until the next call.
  std::string_view Next();

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  bool eof_mark_ends_;
  std::string line_;  // a line that held a stray CR, without it
};

}  // namespace kx27
