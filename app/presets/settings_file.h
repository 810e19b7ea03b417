#pragma once

// The settings file beside the program: window position, folder of the last
// environment file, current preset, 20 presets and the dimension check box.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/presets/preset.h"
#include "exchange/file_system.h"
#include "exchange/replace_file.h"

namespace kx27 {

struct TSettings {
  std::int32_t WinLeft = 0;
  std::int32_t WinTop = 0;
  std::string JwfFolder;  // line 3: with its trailing separator, or empty
  std::int32_t PresetNo = 1;
  TPresetTable Presets;
  bool Dimensions = false;
};

// kTruncated: the file ends before its last line, which no save leaves.
enum class TLoadResult { kLoaded, kMissing, kUnreadable, kTruncated };

// Reads the file into settings. WinLeft, WinTop and PresetNo start from 0, 0
// and 1; a missing file changes nothing else; an unreadable one keeps what
// was read before the failure. Missing lines read as empty.
TLoadResult LoadSettings(const std::filesystem::path& path, TSettings& settings);

// LoadSettings for a file's bytes read whole: kLoaded or kTruncated.
TLoadResult ParseSettings(std::string_view bytes, TSettings& settings);

// Replaces the file in one step (ReplaceFile); on failure, a read-only file
// included, the old file stays intact, and the result says why.
TReplaceResult SaveSettings(const std::filesystem::path& path, const TSettings& settings,
                            TFileSystem& files = NativeFileSystem());

// The bytes SaveSettings writes: 5145 lines, each with CR LF.
std::string RenderSettings(const TSettings& settings);

// The folder part of a file name: up to and including the last '\\', '/' or
// ':'; empty when there is none.
std::string FolderOf(const std::string& file_name);

}  // namespace kx27
