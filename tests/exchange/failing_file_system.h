#pragma once

// The real files, except that the n-th of the operations that can make a
// replacement fail (lock, create, write, flush, close, rename) fails.

#include <string>

#include "exchange/file_system.h"

namespace kx27::testing {

class TFailingFileSystem final : public TFileSystem {
 public:
  explicit TFailingFileSystem(int fail_at) : fail_at_(fail_at) {}

  // How many of those operations ran, the failed one included.
  int Reached() const { return count_; }
  // Which operation failed, or empty.
  const std::string& Failed() const { return failed_; }

  bool IsReadOnly(const std::filesystem::path& file) override { return real_.IsReadOnly(file); }

  TCreate CreateNew(const std::filesystem::path& file, const std::filesystem::path& like,
                    TFileHandle& handle) override {
    return Fails("create") ? TCreate::kFailed : real_.CreateNew(file, like, handle);
  }

  bool Write(TFileHandle handle, std::string_view bytes) override {
    // A disk that fills up takes part of the data first.
    if (!Fails("write")) return real_.Write(handle, bytes);
    real_.Write(handle, bytes.substr(0, bytes.size() / 2));
    return false;
  }

  bool Flush(TFileHandle handle) override { return !Fails("flush") && real_.Flush(handle); }

  bool Close(TFileHandle handle) override {
    const bool closed = real_.Close(handle);
    return !Fails("close") && closed;
  }

  bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return !Fails("rename") && real_.Rename(from, to);
  }

  bool Remove(const std::filesystem::path& file) override { return real_.Remove(file); }

  TLock TryLock(const std::filesystem::path& lock_file, TFileHandle& handle) override {
    return Fails("lock") ? TLock::kFailed : real_.TryLock(lock_file, handle);
  }

  void Unlock(const std::filesystem::path& lock_file, TFileHandle handle) override {
    real_.Unlock(lock_file, handle);
  }

  // A write, flush or close fails as a full disk does; a rename as one onto
  // a file that another program holds open.
  TFailure LastFailure() override {
    if (failed_ == "write" || failed_ == "flush" || failed_ == "close") return TFailure::kDiskFull;
    if (failed_ == "rename") return TFailure::kInUse;
    return failed_.empty() ? real_.LastFailure() : TFailure::kOther;
  }

 private:
  bool Fails(const char* operation) {
    if (++count_ != fail_at_) return false;
    failed_ = operation;
    return true;
  }

  TFileSystem& real_ = NativeFileSystem();
  int fail_at_;
  int count_ = 0;
  std::string failed_;
};

}  // namespace kx27::testing
