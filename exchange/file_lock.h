#pragma once

#include <chrono>
#include <filesystem>

#include "exchange/file_system.h"

namespace kx27 {

// How long a run waits for another that converts the same file: long enough
// for one that is just finishing, short enough that a BAT file started twice
// does not seem to hang.
inline constexpr std::chrono::milliseconds kLockWait{3000};

// Keeps two runs of the tool from converting one file at the same time: a
// lock on "<file>.lock" beside it, held while this object lives. A run that
// finds it held waits up to wait for it. A killed run's lock ends with its
// process.
class TFileLock {
 public:
  TFileLock(const std::filesystem::path& file, std::chrono::milliseconds wait,
            TFileSystem& files = NativeFileSystem());
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;
  ~TFileLock();

  // kLocked, kBusy (another run held it all the time) or kFailed (the lock
  // file cannot be made, for one in a folder that cannot be written).
  TFileSystem::TLock Result() const { return result_; }

 private:
  TFileSystem& files_;
  std::filesystem::path lock_file_;
  TFileHandle handle_ = 0;
  TFileSystem::TLock result_;
};

}  // namespace kx27
