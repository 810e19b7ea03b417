#include "app/presets/settings_file.h"

#include <string_view>

#include "app/presets/text_file.h"
#include "exchange/replace_file.h"
#include "text/conversions.h"
#include "text/line_cutter.h"
#include "text/number_format.h"
#include "text/shift_jis.h"

namespace kx27 {
namespace {

constexpr int kValueCount = 256;
constexpr int kLinesPerPreset = 1 + kValueCount;
constexpr int kFirstPresetLine = 5;
constexpr int kLineCount = kFirstPresetLine + kPresetCount * kLinesPerPreset;  // 5145

void ApplyLine(int number, std::string_view line, TSettings& settings) {
  switch (number) {
    case 1: settings.WinLeft = TextToInt(line); return;
    case 2: settings.WinTop = TextToInt(line); return;
    case 3: settings.JwfFolder.assign(line); return;
    case 4: {
      const std::int32_t preset_no = TextToInt(line);
      settings.PresetNo = preset_no >= 1 && preset_no <= kPresetCount ? preset_no : 1;
      return;
    }
    case kLineCount: settings.Dimensions = TextToFlag(line); return;
    default: {
      const int offset = number - kFirstPresetLine;
      TPreset& preset = settings.Presets[offset / kLinesPerPreset];
      const int within = offset % kLinesPerPreset;
      if (within == 0)
        preset.Comment.assign(line);
      else
        preset.Values[within - 1] = FilterLineType(TextToInt(line));
    }
  }
}

void AppendLine(std::string& out, std::string_view line) {
  out += line;
  out += "\r\n";
}

void AppendIntLine(std::string& out, std::int64_t value) {
  AppendInt(out, value);
  out += "\r\n";
}

}  // namespace

TLoadResult LoadSettings(const std::filesystem::path& path, TSettings& settings) {
  std::string bytes;
  const TReadResult read = ReadTextFile(path, bytes);
  if (read == TReadResult::kRead) return ParseSettings(bytes, settings);

  settings.WinLeft = 0;
  settings.WinTop = 0;
  settings.PresetNo = 1;
  if (read == TReadResult::kMissing) return TLoadResult::kMissing;
  // After a failure only the lines actually read count.
  TTextLines lines(bytes, TEndMark::kKept);
  for (int number = 1; number <= kLineCount && !lines.AtEnd(); ++number)
    ApplyLine(number, lines.Next(), settings);
  return TLoadResult::kUnreadable;
}

TLoadResult ParseSettings(std::string_view bytes, TSettings& settings) {
  settings.WinLeft = 0;
  settings.WinTop = 0;
  settings.PresetNo = 1;
  // A file read to its end gives empty lines past its last one.
  TTextLines lines(bytes, TEndMark::kKept);
  bool truncated = false;
  for (int number = 1; number <= kLineCount; ++number) {
    truncated = truncated || lines.AtEnd();
    ApplyLine(number, lines.Next(), settings);
  }
  return truncated ? TLoadResult::kTruncated : TLoadResult::kLoaded;
}

TReplaceResult SaveSettings(const std::filesystem::path& path, const TSettings& settings,
                            TFileSystem& files) {
  return ReplaceFile(path, RenderSettings(settings), files);
}

std::string RenderSettings(const TSettings& settings) {
  std::string out;
  out.reserve(static_cast<std::size_t>(kLineCount) * 4);
  AppendIntLine(out, settings.WinLeft);
  AppendIntLine(out, settings.WinTop);
  AppendLine(out, OneLineText(settings.JwfFolder));
  AppendIntLine(out, settings.PresetNo);
  for (const TPreset& preset : settings.Presets) {
    AppendLine(out, OneLineText(preset.Comment));
    for (const std::int32_t value : preset.Values) AppendIntLine(out, value);
  }
  AppendLine(out, FlagToText(settings.Dimensions));
  return out;
}

std::string FolderOf(const std::string& file_name) {
  // A '\\' can be the second byte of a double-byte character, so step over
  // those whole.
  std::size_t folder_end = 0;
  for (std::size_t i = 0; i < file_name.size(); ++i) {
    const char byte = file_name[i];
    if (IsLeadByte(static_cast<unsigned char>(byte)))
      ++i;
    else if (byte == '\\' || byte == '/' || byte == ':')
      folder_end = i + 1;
  }
  return file_name.substr(0, folder_end);
}

}  // namespace kx27
