#include "exchange/replace_file.h"

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

}  // namespace

bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
  TReplacementFile file(path);
  file.Write(bytes);
  return file.Commit();
}

TReplacementFile::TReplacementFile(const std::filesystem::path& target)
    : target_(target), temp_(FreeTempName(target)) {
  if (temp_.empty()) return;
  out_.open(temp_, std::ios::binary | std::ios::out | std::ios::trunc);
  opened_ = out_.is_open();
  ok_ = opened_;
}

TReplacementFile::~TReplacementFile() {
  if (!done_) Discard();
}

bool TReplacementFile::Write(std::string_view bytes) {
  if (ok_ && !bytes.empty()) {
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ok_ = !out_.fail();
  }
  return ok_;
}

bool TReplacementFile::Commit() {
  if (done_) return false;
  done_ = true;
  if (ok_) {
    // A full disk often shows only when the last block reaches it.
    out_.flush();
    out_.close();
    ok_ = !out_.fail();
  }
  std::error_code ec;
  if (ok_) std::filesystem::rename(temp_, target_, ec);
  if (!ok_ || ec) {
    Discard();
    return false;
  }
  return true;
}

void TReplacementFile::Discard() {
  if (out_.is_open()) out_.close();
  std::error_code ec;
  // Only a file this object created is removed; a name that could not be
  // opened may belong to something else.
  if (opened_) std::filesystem::remove(temp_, ec);
  ok_ = false;
}

}  // namespace kx27
