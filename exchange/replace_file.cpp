#include "exchange/replace_file.h"

#include <fstream>
#include <string>
#include <system_error>

namespace kx27 {

namespace {

// A name beside the target that nothing uses yet, so that a file left by an
// earlier run, or by someone else, is never overwritten.
std::filesystem::path FreeTempName(const std::filesystem::path& target) {
  std::error_code ec;
  for (int n = 0; n < 100; ++n) {
    std::filesystem::path candidate = target;
    candidate += ".~" + std::to_string(n);
    if (!std::filesystem::exists(candidate, ec) && !ec) return candidate;
  }
  return {};
}

bool WriteWhole(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::out | std::ios::trunc);
  if (!out.is_open()) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  // A full disk often shows only when the last block reaches it.
  out.flush();
  out.close();
  return !out.fail();
}

}  // namespace

bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path temp = FreeTempName(path);
  if (temp.empty()) return false;
  std::error_code ec;
  // On Windows too this replaces an existing target in one step.
  if (WriteWhole(temp, bytes)) {
    std::filesystem::rename(temp, path, ec);
    if (!ec) return true;
  }
  std::filesystem::remove(temp, ec);
  return false;
}

}  // namespace kx27
