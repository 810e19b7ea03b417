#pragma once

#include <filesystem>
#include <fstream>
#include <string_view>

namespace kx27 {

// Writes bytes to a temporary file in the same folder and then puts it in
// place of path in one step. On any failure path is left as it was, the
// temporary file is removed and the result is false.
bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

// The same in pieces, for output too large to hold twice: Write as often as
// needed, then Commit. Without a successful Commit the target stays as it was
// and the temporary file is removed when this object goes.
class TReplacementFile {
 public:
  explicit TReplacementFile(const std::filesystem::path& target);
  ~TReplacementFile();
  TReplacementFile(const TReplacementFile&) = delete;
  TReplacementFile& operator=(const TReplacementFile&) = delete;

  // False once any write has failed; later writes are ignored.
  bool Write(std::string_view bytes);
  // Flushes, closes and puts the file in place; false on any failure.
  bool Commit();

 private:
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path temp_;
  std::ofstream out_;
  bool opened_ = false;
  bool ok_ = false;
  bool done_ = false;
};

}  // namespace kx27
