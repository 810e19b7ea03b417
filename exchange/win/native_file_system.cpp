#include "exchange/file_system.h"

#include <windows.h>

#include <algorithm>

namespace kx27 {
namespace {

HANDLE Handle(TFileHandle handle) { return reinterpret_cast<HANDLE>(handle); }

// The attributes a new file may take over from the one it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool IsFileAttributes(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

class TWin32FileSystem final : public TFileSystem {
 public:
  bool IsReadOnly(const std::filesystem::path& file) override {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    return IsFileAttributes(attributes) && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  }

  TCreate CreateNew(const std::filesystem::path& file, const std::filesystem::path& like,
                    TFileHandle& handle) override {
    const DWORD model = GetFileAttributesW(like.c_str());
    const DWORD attributes = IsFileAttributes(model) && (model & kKeptAttributes) != 0
                                 ? model & kKeptAttributes
                                 : FILE_ATTRIBUTE_NORMAL;
    const HANDLE created =
        CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
    if (created == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? TCreate::kExists
                                                                         : TCreate::kFailed;
    }
    handle = reinterpret_cast<TFileHandle>(created);
    return TCreate::kCreated;
  }

  bool Write(TFileHandle handle, std::string_view bytes) override {
    while (!bytes.empty()) {
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
      DWORD written = 0;
      if (!WriteFile(Handle(handle), bytes.data(), chunk, &written, nullptr) || written == 0)
        return false;
      bytes.remove_prefix(written);
    }
    return true;
  }

  bool Flush(TFileHandle handle) override { return FlushFileBuffers(Handle(handle)) != 0; }

  bool Close(TFileHandle handle) override { return CloseHandle(Handle(handle)) != 0; }

  bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    // Returns only once the new name is on the disk.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    // The folder took the new file, and a read-only target is refused before
    // this: a file that refuses to be replaced is held open by another program.
    if (GetLastError() == ERROR_ACCESS_DENIED && IsFileAttributes(GetFileAttributesW(to.c_str()))) {
      SetLastError(ERROR_SHARING_VIOLATION);
    }
    return false;
  }

  bool Remove(const std::filesystem::path& file) override { return DeleteFileW(file.c_str()) != 0; }

  TLock TryLock(const std::filesystem::path& lock_file, TFileHandle& handle) override {
    // Open without sharing, and gone with the last handle: the system closes
    // that handle when the process ends, so no lock outlives its run.
    const HANDLE opened =
        CreateFileW(lock_file.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      // A file about to be deleted refuses access rather than sharing.
      const bool busy = error == ERROR_SHARING_VIOLATION ||
                        (error == ERROR_ACCESS_DENIED &&
                         GetFileAttributesW(lock_file.c_str()) != INVALID_FILE_ATTRIBUTES);
      return busy ? TLock::kBusy : TLock::kFailed;
    }
    handle = reinterpret_cast<TFileHandle>(opened);
    return TLock::kLocked;
  }

  void Unlock(const std::filesystem::path&, TFileHandle handle) override {
    CloseHandle(Handle(handle));
  }

  TFailure LastFailure() override {
    switch (GetLastError()) {
      case ERROR_DISK_FULL:
      case ERROR_HANDLE_DISK_FULL: return TFailure::kDiskFull;
      // Another program holds the file open: an antivirus scan, an editor.
      case ERROR_SHARING_VIOLATION:
      case ERROR_LOCK_VIOLATION:
      case ERROR_USER_MAPPED_FILE: return TFailure::kInUse;
      default: return TFailure::kOther;
    }
  }
};

}  // namespace

TFileSystem& NativeFileSystem() {
  static TWin32FileSystem files;
  return files;
}

std::uint32_t CurrentProcessId() { return GetCurrentProcessId(); }

}  // namespace kx27
