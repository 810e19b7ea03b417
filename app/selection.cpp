#include "app/selection.h"

#include "app/conversion.h"
#include "exchange/output_buffer.h"
#include "exchange/writer.h"

namespace kx27 {

TSelection ReadSelection(const std::filesystem::path& exchange_file) {
  TExchangeRead read = ReadExchangeFile(exchange_file);
  return TSelection{std::move(read.Drawing), read.Status};
}

TWriteBackProblem FindWriteBackProblem(const TSelection& selection) {
  if (selection.Status == TReadStatus::kUnreadable || selection.Status == TReadStatus::kStoppedEarly)
    return TWriteBackProblem::kIncompleteRead;
  if (!selection.Drawing.Store.Blocks.empty()) return TWriteBackProblem::kBlockFigures;
  return TWriteBackProblem::kNone;
}

TWriteBack WriteBack(TSelection& selection, const TPreset& preset, bool dimensions,
                     TWriteBackProgress& progress, const std::filesystem::path& exchange_file) {
  TWriter writer(selection.Drawing.State);
  const TConversion conversion =
      ConvertAndWrite(selection.Drawing, preset, dimensions, writer, progress);
  TWriteBack result;
  result.Changed = conversion.Changed;
  result.Complete = conversion.Complete;
  progress.WritingFile();
  result.Written = WriteExchangeFile(exchange_file, writer.Output());
  return result;
}

bool LeaveUnchanged(const std::filesystem::path& exchange_file) {
  return WriteUnchangedAnswer(exchange_file);
}

}  // namespace kx27
