#include "app/console/run.h"

#include <chrono>
#include <new>
#include <optional>

#include "app/console/report.h"
#include "app/convert/file_conversion.h"
#include "app/convert/layer_summary.h"
#include "app/convert/selection.h"
#include "app/presets/settings_file.h"
#include "app/program_files/program_files.h"
#include "exchange/file_lock.h"
#include "exchange/output_buffer.h"
#include "text/number_format.h"

namespace kx27 {
namespace {

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string Line(const std::filesystem::path& file, std::string_view text) {
  return "kx27c: " + Utf8(file) + ": " + std::string(text);
}

TConsoleOutcome Failure(const std::filesystem::path& file, std::string_view reason) {
  return {1, Line(file, reason), {}, {}};
}

// The line for a selection that must stay as the host has it; nothing when
// it may be written back.
std::optional<TConsoleOutcome> Refusal(const std::filesystem::path& exchange_file,
                                       TWriteBackProblem problem) {
  switch (problem) {
    case TWriteBackProblem::kIncompleteRead:
      return Failure(exchange_file, "cannot be read (a read error or too little memory)");
    case TWriteBackProblem::kBlockFigures:
      return Failure(exchange_file,
                     "holds block figures, which cannot be written back; nothing changed "
                     "(the BAT needs REM #ht10)");
    case TWriteBackProblem::kNone: break;
  }
  return std::nullopt;
}

// What a settings file that did not load means for the run: a failure, or a
// warning beside the result. A file cut short fails a conversion, whose
// layers would stay unconverted; a report only says so.
std::optional<TConsoleOutcome> SettingsFailure(const TConsoleOptions& options,
                                               const std::filesystem::path& settings_file,
                                               TLoadResult result, bool converts,
                                               std::string& warning) {
  switch (result) {
    case TLoadResult::kLoaded: break;
    case TLoadResult::kMissing:
      if (options.SettingsFile) return Failure(settings_file, "no such file");
      warning = Line(settings_file, "no such file; every preset is empty, no line type changes");
      break;
    case TLoadResult::kUnreadable: return Failure(settings_file, "cannot be read");
    case TLoadResult::kTruncated:
      if (converts) return Failure(settings_file, "cut short (truncated); save the presets again");
      warning = Line(settings_file, "cut short (truncated); its missing values read as 0");
      break;
  }
  return std::nullopt;
}

std::string Summary(std::int64_t read, std::int64_t changed, std::int64_t written,
                    std::chrono::steady_clock::time_point start) {
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  std::string summary = "kx27c: ";
  AppendInt(summary, read);
  summary += " elements read, ";
  AppendInt(summary, changed);
  summary += " line types changed, ";
  AppendInt(summary, written);
  summary += " elements written, ";
  AppendInt(summary, elapsed.count());
  summary += " ms";
  return summary;
}

// The conversion itself, the lock taken: the exchange file read, converted
// and written a part at a time, so the settings come first; a problem of the
// exchange file is still the one reported first.
TConsoleOutcome ConvertInParts(const TConsoleOptions& options, TFileSystem& files,
                               const std::filesystem::path& exchange_file,
                               const std::filesystem::path& target,
                               const std::filesystem::path& settings_file,
                               std::chrono::steady_clock::time_point start) {
  TSettings settings;
  const TLoadResult settings_read = LoadSettings(settings_file, settings);
  const std::int32_t preset_no = options.PresetNo ? *options.PresetNo : settings.PresetNo;
  const bool dimensions = options.Dimensions ? *options.Dimensions : settings.Dimensions;
  // Settings that fail convert nothing: the exchange file is only checked.
  const bool usable =
      settings_read == TLoadResult::kLoaded || settings_read == TLoadResult::kMissing;
  const TPreset preset =
      usable ? settings.Presets[static_cast<std::size_t>(preset_no - 1)] : TPreset{};
  TFileConversion conversion = ConvertExchangeFile(exchange_file, preset, dimensions);

  if (conversion.Status == TReadStatus::kMissing) return Failure(exchange_file, "no such file");
  if (auto refusal = Refusal(exchange_file, conversion.Problem)) return *refusal;

  std::string warning;
  if (auto failure = SettingsFailure(options, settings_file, settings_read, true, warning))
    return *failure;
  if (!conversion.Complete) return Failure(exchange_file, "out of memory; nothing changed");

  const TReplaceResult written = WriteExchangeFile(target, conversion.Output, files);
  const std::int64_t elements_written = conversion.Output.ElementLines();
  conversion.Output.Clear();
  switch (written) {
    case TReplaceResult::kReplaced: break;
    case TReplaceResult::kReadOnly: return Failure(target, "read-only; nothing changed");
    case TReplaceResult::kInUse:
      return Failure(target, "in use by another program; nothing changed");
    case TReplaceResult::kDiskFull: return Failure(target, "disk full; nothing changed");
    case TReplaceResult::kFailed: return Failure(target, "cannot be written; nothing changed");
  }
  if (options.Quiet) return {0, {}, {}, warning};

  // The new file is in place: from here on nothing may turn that into a
  // failure.
  try {
    return {0,
            Summary(conversion.ElementsRead, conversion.Changed, elements_written, start),
            {},
            warning};
  } catch (const std::bad_alloc&) {
    return {0, {}, {}, warning};
  }
}

TConsoleOutcome Convert(const TConsoleOptions& options, TFileSystem& files,
                        const std::filesystem::path& exchange_file,
                        const std::filesystem::path& target) {
  const auto start = std::chrono::steady_clock::now();
  // The dialog's own settings file, whatever this program is called.
  const std::filesystem::path settings_file =
      options.SettingsFile ? *options.SettingsFile : ProgramPath().parent_path() / "kx27.dat";

  // Only a run that writes takes the lock, from before it reads.
  const bool writes = !options.ShowPreset && !options.DryRun;
  std::optional<TFileLock> lock;
  if (writes) {
    switch (lock.emplace(target, options.LockWait, files).Result()) {
      case TFileSystem::TLock::kLocked: break;
      case TFileSystem::TLock::kBusy: return Failure(target, "in use by another conversion");
      case TFileSystem::TLock::kFailed:
        return Failure(target, "cannot be written: no lock file can be made beside it");
    }
    return ConvertInParts(options, files, exchange_file, target, settings_file, start);
  }

  // A preset is shown with the names of a drawing only when one is named;
  // its elements need not be fit to write back.
  const bool shows_names = options.ShowPreset && options.ExchangeFile;
  TSelection selection;
  if (!options.ShowPreset || shows_names) selection = ReadSelection(exchange_file);
  if ((!options.ShowPreset || shows_names) && selection.Status == TReadStatus::kMissing) {
    return Failure(exchange_file, "no such file");
  }
  if (shows_names && selection.Status == TReadStatus::kUnreadable) {
    return Failure(exchange_file, "cannot be read");
  }
  if (!options.ShowPreset) {
    if (auto refusal = Refusal(exchange_file, FindWriteBackProblem(selection))) return *refusal;
  }

  TSettings settings;
  std::string warning;
  const TLoadResult settings_read = LoadSettings(settings_file, settings);
  if (auto failure = SettingsFailure(options, settings_file, settings_read, false, warning))
    return *failure;

  TDrawing& drawing = selection.Drawing;
  if (options.ShowPreset) {
    const std::int32_t shown = *options.ShowPreset;
    return {0,
            {},
            PresetReport(shown, settings.Presets[static_cast<std::size_t>(shown - 1)],
                         shows_names ? &drawing.State : nullptr),
            warning};
  }
  const std::int32_t preset_no = options.PresetNo ? *options.PresetNo : settings.PresetNo;
  const bool dimensions = options.Dimensions ? *options.Dimensions : settings.Dimensions;
  return {0,
          {},
          DryRunReport(drawing.State, SummarizeLayers(drawing.Store),
                       settings.Presets[static_cast<std::size_t>(preset_no - 1)], dimensions),
          warning};
}

}  // namespace

TConsoleOutcome ConsoleFailure(const std::filesystem::path& file, std::string_view reason) {
  return Failure(file, reason);
}

std::optional<TConsoleOutcome> ConsoleSettingsFailure(const TConsoleOptions& options,
                                                      const std::filesystem::path& settings_file,
                                                      TLoadResult result, bool converts,
                                                      std::string& warning) {
  return SettingsFailure(options, settings_file, result, converts, warning);
}

TConsoleOutcome RunConsole(const TConsoleOptions& options, TFileSystem& files) {
  const std::filesystem::path exchange_file =
      options.ExchangeFile ? *options.ExchangeFile : ExchangeFilePath();
  const std::filesystem::path target = options.OutputFile ? *options.OutputFile : exchange_file;
  try {
    return Convert(options, files, exchange_file, target);
  } catch (const std::bad_alloc&) {
    return Failure(exchange_file, "out of memory; nothing changed");
  }
}

}  // namespace kx27
