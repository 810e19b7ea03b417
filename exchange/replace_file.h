#pragma once

#include <filesystem>
#include <string_view>

#include "exchange/file_system.h"

namespace kx27 {

enum class TReplaceResult {
  kReplaced,
  kReadOnly,
  kInUse,  // another program holds the file open
  kDiskFull,
  kFailed,  // any other reason
};

// Writes bytes to a temporary file of its own beside path, puts them on the
// disk and then puts the file in place of path in one step, with path's
// permissions. A read-only path is refused. On any failure path is left as
// it was and the temporary file is removed. Temporary files that a killed
// run left beside path more than an hour ago are removed first.
TReplaceResult ReplaceFile(const std::filesystem::path& path, std::string_view bytes,
                           TFileSystem& files = NativeFileSystem());

}  // namespace kx27
