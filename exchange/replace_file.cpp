#include "exchange/replace_file.h"

#include <chrono>
#include <string>
#include <system_error>

namespace kx27 {

namespace {

// Names beside the target: "<name>.kx27-<process>-<n>.tmp". Earlier versions
// used "<name>.~<n>".
constexpr std::string_view kTempInfix = ".kx27-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::string_view kOldTempInfix = ".~";
constexpr int kTempNamesPerProcess = 1000;
constexpr auto kStaleAge = std::chrono::hours(1);

using TName = std::filesystem::path::string_type;

// The names of the temporary files of one target.
class TTempNamePattern {
 public:
  explicit TTempNamePattern(const std::filesystem::path& target)
      : prefix_(Append(target.filename(), kTempInfix)),
        suffix_(std::filesystem::path(kTempSuffix).native()),
        old_prefix_(Append(target.filename(), kOldTempInfix)) {}

  bool Matches(const TName& name) const {
    if (StartsWith(name, prefix_))
      return name.size() >= prefix_.size() + suffix_.size() &&
             name.compare(name.size() - suffix_.size(), suffix_.size(), suffix_) == 0;
    if (!StartsWith(name, old_prefix_) || name.size() == old_prefix_.size()) return false;
    for (std::size_t i = old_prefix_.size(); i < name.size(); ++i)
      if (name[i] < '0' || name[i] > '9') return false;
    return true;
  }

 private:
  static TName Append(std::filesystem::path name, std::string_view tail) {
    name += tail;
    return name.native();
  }
  static bool StartsWith(const TName& name, const TName& prefix) {
    return name.size() >= prefix.size() && name.compare(0, prefix.size(), prefix) == 0;
  }

  TName prefix_, suffix_, old_prefix_;
};

// A run killed while writing leaves its temporary file; after an hour no
// live run is still writing it.
void RemoveStaleTempFiles(const std::filesystem::path& path, TFileSystem& files) {
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  const TTempNamePattern pattern(path);
  const auto now = std::filesystem::file_time_type::clock::now();
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    if (!pattern.Matches(it->path().filename().native())) continue;
    std::error_code age_error;
    const auto written = std::filesystem::last_write_time(it->path(), age_error);
    if (!age_error && now - written > kStaleAge) files.Remove(it->path());
  }
}

std::filesystem::path TempName(const std::filesystem::path& path, int n) {
  std::filesystem::path temp = path;
  temp += std::string(kTempInfix) + std::to_string(CurrentProcessId()) + "-" + std::to_string(n) +
          std::string(kTempSuffix);
  return temp;
}

// Created exclusively, so that no other run, and no other thread, writes
// into the same file.
bool CreateTemp(const std::filesystem::path& path, TFileSystem& files, std::filesystem::path& temp,
                TFileHandle& handle) {
  for (int n = 0; n < kTempNamesPerProcess; ++n) {
    temp = TempName(path, n);
    switch (files.CreateNew(temp, path, handle)) {
      case TFileSystem::TCreate::kCreated: return true;
      case TFileSystem::TCreate::kExists: continue;
      case TFileSystem::TCreate::kFailed: return false;
    }
  }
  return false;
}

TReplaceResult FailureOf(TFileSystem& files) {
  switch (files.LastFailure()) {
    case TFileSystem::TFailure::kDiskFull: return TReplaceResult::kDiskFull;
    case TFileSystem::TFailure::kInUse: return TReplaceResult::kInUse;
    case TFileSystem::TFailure::kOther: break;
  }
  return TReplaceResult::kFailed;
}

}  // namespace

TReplaceResult ReplaceFile(const std::filesystem::path& path, std::string_view bytes,
                           TFileSystem& files) {
  if (files.IsReadOnly(path)) return TReplaceResult::kReadOnly;
  RemoveStaleTempFiles(path, files);

  std::filesystem::path temp;
  TFileHandle handle = 0;
  if (!CreateTemp(path, files, temp, handle)) return FailureOf(files);
  // Only data on the disk may take the old file's place: after a power cut
  // the name would otherwise stand for an empty or partial file.
  bool written = files.Write(handle, bytes) && files.Flush(handle);
  TReplaceResult failure = written ? TReplaceResult::kReplaced : FailureOf(files);
  // A full disk or a network share may only report it when closing.
  if (!files.Close(handle) && written) {
    written = false;
    failure = FailureOf(files);
  }
  if (written && files.Rename(temp, path)) return TReplaceResult::kReplaced;
  if (written) failure = FailureOf(files);
  files.Remove(temp);
  return failure;
}

}  // namespace kx27
