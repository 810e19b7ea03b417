#include "exchange/file_lock.h"

#include <thread>

namespace kx27 {

namespace {

constexpr auto kRetryInterval = std::chrono::milliseconds(50);

std::filesystem::path LockFileOf(const std::filesystem::path& file) {
  std::filesystem::path lock_file = file;
  lock_file += ".lock";
  return lock_file;
}

}  // namespace

TFileLock::TFileLock(const std::filesystem::path& file, std::chrono::milliseconds wait,
                     TFileSystem& files)
    : files_(files), lock_file_(LockFileOf(file)) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    result_ = files_.TryLock(lock_file_, handle_);
    if (result_ != TFileSystem::TLock::kBusy || std::chrono::steady_clock::now() >= deadline)
      return;
    std::this_thread::sleep_for(kRetryInterval);
  }
}

TFileLock::~TFileLock() {
  if (result_ == TFileSystem::TLock::kLocked) files_.Unlock(lock_file_, handle_);
}

}  // namespace kx27
