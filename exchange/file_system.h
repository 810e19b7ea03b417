#pragma once

// The file operations that replacing and locking a file take, behind one
// interface: the real ones by default, and in tests ones that fail on demand.

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace kx27 {

using TFileHandle = std::intptr_t;

class TFileSystem {
 public:
  enum class TCreate { kCreated, kExists, kFailed };
  enum class TLock { kLocked, kBusy, kFailed };
  // Why an operation failed, as far as the user can act on it.
  enum class TFailure { kOther, kDiskFull, kInUse };

  virtual ~TFileSystem() = default;

  // True for an existing file that its owner may not write, or that this
  // process may not: replacing it would undo that.
  virtual bool IsReadOnly(const std::filesystem::path& file) = 0;

  // Creates file for writing, only if nothing of that name exists, with the
  // permissions or attributes of like where that file exists.
  virtual TCreate CreateNew(const std::filesystem::path& file, const std::filesystem::path& like,
                            TFileHandle& handle) = 0;
  virtual bool Write(TFileHandle handle, std::string_view bytes) = 0;
  // Puts what was written on the disk itself.
  virtual bool Flush(TFileHandle handle) = 0;
  // Releases the handle, whether or not the result is true.
  virtual bool Close(TFileHandle handle) = 0;
  // Puts from in the place of to in one step, replacing what was there.
  virtual bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  virtual bool Remove(const std::filesystem::path& file) = 0;

  // Takes the lock that lock_file stands for, without waiting. The system
  // lets go of it when the process ends, however it ends.
  virtual TLock TryLock(const std::filesystem::path& lock_file, TFileHandle& handle) = 0;
  virtual void Unlock(const std::filesystem::path& lock_file, TFileHandle handle) = 0;

  // Why the operation that this thread ran last failed: the system's own
  // per-thread error, so asked right after the failure.
  virtual TFailure LastFailure() = 0;
};

// The operating system's files.
TFileSystem& NativeFileSystem();

std::uint32_t CurrentProcessId();

}  // namespace kx27
