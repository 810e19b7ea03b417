#include "app/console/picture_run.h"

#include <new>

#include "app/convert/selection.h"
#include "app/picture/picture.h"
#include "app/picture/svg_writer.h"
#include "app/presets/settings_file.h"
#include "app/program_files/program_files.h"

namespace kx27 {
namespace {

TConsoleOutcome Draw(const TConsoleOptions& options, TFileSystem& files,
                     const std::filesystem::path& exchange_file) {
  const std::filesystem::path& picture_file = *options.PictureFile;
  const TSelection selection = ReadSelection(exchange_file);
  if (selection.Status == TReadStatus::kMissing)
    return ConsoleFailure(exchange_file, "no such file");
  if (selection.Status == TReadStatus::kUnreadable)
    return ConsoleFailure(exchange_file, "cannot be read");
  if (selection.Status != TReadStatus::kComplete)
    return ConsoleFailure(exchange_file, "cannot be read (a read error or too little memory)");

  const std::filesystem::path settings_file =
      options.SettingsFile ? *options.SettingsFile : ProgramPath().parent_path() / "kx27.dat";
  TSettings settings;
  std::string warning;
  const TLoadResult settings_read = LoadSettings(settings_file, settings);
  if (auto failure = ConsoleSettingsFailure(options, settings_file, settings_read, false, warning))
    return *failure;

  TPictureOptions picture_options;
  const std::int32_t preset_no = options.PresetNo ? *options.PresetNo : settings.PresetNo;
  picture_options.Values = settings.Presets[static_cast<std::size_t>(preset_no - 1)].Values;
  picture_options.Dimensions = options.Dimensions ? *options.Dimensions : settings.Dimensions;
  picture_options.Before = options.Before;
  const TPicture picture = BuildPicture(selection.Drawing, picture_options);

  switch (WritePictureSvg(picture_file, picture, files)) {
    case TReplaceResult::kReplaced: break;
    case TReplaceResult::kReadOnly: return ConsoleFailure(picture_file, "read-only; not written");
    case TReplaceResult::kInUse:
      return ConsoleFailure(picture_file, "in use by another program; not written");
    case TReplaceResult::kDiskFull: return ConsoleFailure(picture_file, "disk full; not written");
    case TReplaceResult::kFailed: return ConsoleFailure(picture_file, "cannot be written");
  }
  return {0, {}, {}, warning};
}

}  // namespace

TConsoleOutcome RunPicture(const TConsoleOptions& options, TFileSystem& files) {
  const std::filesystem::path exchange_file =
      options.ExchangeFile ? *options.ExchangeFile : ExchangeFilePath();
  try {
    return Draw(options, files, exchange_file);
  } catch (const std::bad_alloc&) {
    return ConsoleFailure(exchange_file, "out of memory; no picture written");
  }
}

}  // namespace kx27
