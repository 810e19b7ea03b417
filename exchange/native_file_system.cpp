#include "exchange/file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kx27 {
namespace {

int Fd(TFileHandle handle) { return static_cast<int>(handle); }

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A renamed file is only safe from a power cut once its folder is on disk.
void FlushFolderOf(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

class TPosixFileSystem final : public TFileSystem {
 public:
  bool IsReadOnly(const std::filesystem::path& file) override {
    struct stat info;
    if (stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    // The permission bits count even for a user, such as root, who could
    // write the file all the same.
    return (info.st_mode & 0222) == 0 || access(file.c_str(), W_OK) != 0;
  }

  TCreate CreateNew(const std::filesystem::path& file, const std::filesystem::path& like,
                    TFileHandle& handle) override {
    struct stat model;
    const bool has_model = stat(like.c_str(), &model) == 0 && S_ISREG(model.st_mode);
    // Without a file to copy, the user's file-creation mask decides.
    const int fd =
        open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, has_model ? 0600 : 0666);
    if (fd < 0) return errno == EEXIST ? TCreate::kExists : TCreate::kFailed;
    if (has_model) {
      // Only root may hand a file to another owner; others keep their own.
      static_cast<void>(fchown(fd, model.st_uid, model.st_gid) == 0);
      fchmod(fd, model.st_mode & 07777);
    }
    handle = fd;
    return TCreate::kCreated;
  }

  bool Write(TFileHandle handle, std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t written = write(Fd(handle), bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
  }

  bool Flush(TFileHandle handle) override { return fsync(Fd(handle)) == 0; }

  bool Close(TFileHandle handle) override { return close(Fd(handle)) == 0; }

  bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    if (rename(from.c_str(), to.c_str()) != 0) return false;
    FlushFolderOf(to);
    return true;
  }

  bool Remove(const std::filesystem::path& file) override { return unlink(file.c_str()) == 0; }

  TLock TryLock(const std::filesystem::path& lock_file, TFileHandle& handle) override {
    const int fd = open(lock_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return TLock::kFailed;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const bool busy = errno == EWOULDBLOCK || errno == EINTR;
      close(fd);
      return busy ? TLock::kBusy : TLock::kFailed;
    }
    // The holder before may have removed the file between our open and our
    // lock; a lock on a file that no longer has this name guards nothing.
    struct stat held, named;
    if (fstat(fd, &held) != 0 || stat(lock_file.c_str(), &named) != 0 || !SameFile(held, named)) {
      close(fd);
      return TLock::kBusy;
    }
    handle = fd;
    return TLock::kLocked;
  }

  void Unlock(const std::filesystem::path& lock_file, TFileHandle handle) override {
    // Removed while still held, so that no one locks the name in between.
    unlink(lock_file.c_str());
    close(Fd(handle));
  }

  TFailure LastFailure() override {
    if (errno == ENOSPC || errno == EDQUOT) return TFailure::kDiskFull;
    if (errno == EBUSY || errno == ETXTBSY) return TFailure::kInUse;
    return TFailure::kOther;
  }
};

}  // namespace

TFileSystem& NativeFileSystem() {
  static TPosixFileSystem files;
  return files;
}

std::uint32_t CurrentProcessId() { return static_cast<std::uint32_t>(getpid()); }

}  // namespace kx27
