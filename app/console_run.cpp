#include "app/console_run.h"

#include <chrono>

#include "app/console_report.h"
#include "app/conversion.h"
#include "app/element_count.h"
#include "app/layer_summary.h"
#include "app/program_path.h"
#include "app/selection.h"
#include "app/settings_file.h"
#include "exchange/output_buffer.h"
#include "exchange/writer.h"
#include "text/number_format.h"

namespace kx27 {
namespace {

// Nobody watches a console run, and there is no key to abort it with.
class TSilentProgress final : public TWriteProgress {
 public:
  void Show(std::int32_t, std::int32_t) override {}
  bool EscapeDown() override { return false; }
};

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TConsoleOutcome Failure(const std::filesystem::path& file, std::string_view reason) {
  return {1, "kx27c: " + Utf8(file) + ": " + std::string(reason), {}};
}

}  // namespace

TConsoleOutcome RunConsole(const TConsoleOptions& options) {
  const auto start = std::chrono::steady_clock::now();
  const std::filesystem::path exchange_file =
      options.ExchangeFile ? *options.ExchangeFile : ExchangeFilePath();
  // The dialog's own settings file, whatever this program is called.
  const std::filesystem::path settings_file =
      options.SettingsFile ? *options.SettingsFile : ProgramPath().parent_path() / "kx27.dat";

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
  switch (options.ShowPreset ? TWriteBackProblem::kNone : FindWriteBackProblem(selection)) {
    case TWriteBackProblem::kIncompleteRead:
      return Failure(exchange_file, "cannot be read");
    case TWriteBackProblem::kBlockFigures:
      return Failure(exchange_file,
                     "holds block figures, which cannot be written back; nothing changed "
                     "(the BAT needs REM #ht10)");
    case TWriteBackProblem::kNone:
      break;
  }

  TSettings settings;
  switch (LoadSettings(settings_file, settings)) {
    case TLoadResult::kLoaded:
      break;
    case TLoadResult::kMissing:
      // Without a settings file every preset is 0: nothing converts.
      if (options.SettingsFile) return Failure(settings_file, "no such file");
      break;
    case TLoadResult::kUnreadable:
      return Failure(settings_file, "cannot be read");
  }

  TDrawing& drawing = selection.Drawing;
  if (options.ShowPreset) {
    const std::int32_t shown = *options.ShowPreset;
    return {0, {},
            PresetReport(shown, settings.Presets[static_cast<std::size_t>(shown - 1)],
                         shows_names ? &drawing.State : nullptr)};
  }
  const std::int32_t preset_no = options.PresetNo ? *options.PresetNo : settings.PresetNo;
  const bool dimensions = options.Dimensions ? *options.Dimensions : settings.Dimensions;
  if (options.DryRun) {
    return {0, {},
            DryRunReport(drawing.State, SummarizeLayers(drawing.Store),
                         settings.Presets[static_cast<std::size_t>(preset_no - 1)], dimensions)};
  }
  const auto elements_read = static_cast<std::int64_t>(drawing.Store.OrderList.size());
  TSilentProgress progress;
  TWriter writer(drawing.State);
  const std::int64_t changed =
      ConvertAndWrite(drawing, settings.Presets[preset_no - 1], dimensions, writer, progress)
          .Changed;
  // The records are done with: their memory goes back before the file is
  // written and read again for the count below.
  drawing.Store = TElementStore{};

  const std::filesystem::path target = options.OutputFile ? *options.OutputFile : exchange_file;
  const bool written = WriteExchangeFile(target, writer.Output());
  writer.Output().Clear();
  if (!written) return Failure(target, "cannot be written");
  if (options.Quiet) return {};

  // The writer does not say which elements it dropped; the file does.
  const std::int64_t elements_written = CountElementLinesInFile(target);
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  std::string summary = "kx27c: ";
  AppendInt(summary, elements_read);
  summary += " elements read, ";
  AppendInt(summary, changed);
  summary += " line types changed, ";
  AppendInt(summary, elements_written);
  summary += " elements written, ";
  AppendInt(summary, elapsed.count());
  summary += " ms";
  return {0, summary, {}};
}

}  // namespace kx27
