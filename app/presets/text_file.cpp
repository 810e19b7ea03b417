#include "app/presets/text_file.h"

#include <fstream>
#include <system_error>

namespace kx27 {

TReadResult ReadTextFile(const std::filesystem::path& path, std::string& bytes) {
  bytes.clear();
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return TReadResult::kMissing;
  if (error || std::filesystem::is_directory(status)) return TReadResult::kUnreadable;

  std::ifstream in(path, std::ios::binary);
  if (!in) return TReadResult::kUnreadable;
  char chunk[1 << 16];
  while (in) {
    in.read(chunk, sizeof chunk);
    bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    const std::size_t last_end = bytes.rfind('\n');
    bytes.resize(last_end == std::string::npos ? 0 : last_end + 1);
    return TReadResult::kUnreadable;
  }
  return TReadResult::kRead;
}

TLineCursor::TLineCursor(std::string_view text, bool eof_mark_ends)
    : text_(text), eof_mark_ends_(eof_mark_ends) {}

bool TLineCursor::AtEnd() const {
  return pos_ >= text_.size() || (eof_mark_ends_ && text_[pos_] == '\x1A');
}

std::string_view TLineCursor::Next() {
  if (AtEnd()) return {};
  const std::size_t end = text_.find('\n', pos_);
  const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
  std::string_view line = text_.substr(pos_, stop - pos_);
  pos_ = end == std::string_view::npos ? text_.size() : end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.find('\r') == std::string_view::npos) return line;
  line_.clear();
  for (const char byte : line)
    if (byte != '\r') line_.push_back(byte);
  return line_;
}

}  // namespace kx27
