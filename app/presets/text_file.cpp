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

}  // namespace kx27
