#include "app/convert/selection.h"

#include "app/convert/conversion.h"
#include "exchange/file_lock.h"
#include "exchange/output_buffer.h"
#include "exchange/writer.h"

namespace kx27 {
namespace {

// Not while kx27c converts the same file: one answer would silently replace
// the other. Its answer then stands.
template <typename Write>
bool WriteLocked(const std::filesystem::path& exchange_file, Write write) {
  const TFileLock lock(exchange_file, kLockWait);
  return lock.Result() != TFileSystem::TLock::kBusy && write();
}

TAnswer AnswerOf(TReplaceResult result) {
  switch (result) {
    case TReplaceResult::kReplaced: return TAnswer::kWritten;
    case TReplaceResult::kReadOnly: return TAnswer::kReadOnly;
    case TReplaceResult::kInUse: return TAnswer::kInUse;
    case TReplaceResult::kDiskFull: return TAnswer::kDiskFull;
    case TReplaceResult::kFailed: break;
  }
  return TAnswer::kFailed;
}

}  // namespace

TSelection ReadSelection(const std::filesystem::path& exchange_file) {
  TExchangeRead read = ReadExchangeFile(exchange_file);
  return TSelection{std::move(read.Drawing), read.Status};
}

TWriteBackProblem FindWriteBackProblem(const TSelection& selection) {
  return FindWriteBackProblem(selection.Status, !selection.Drawing.Store.Blocks.empty());
}

TWriteBackProblem FindWriteBackProblem(TReadStatus status, bool has_blocks) {
  if (status == TReadStatus::kUnreadable || status == TReadStatus::kStoppedEarly)
    return TWriteBackProblem::kIncompleteRead;
  if (has_blocks) return TWriteBackProblem::kBlockFigures;
  return TWriteBackProblem::kNone;
}

TWriteBack WriteBack(TSelection& selection, const TPreset& preset, bool dimensions,
                     TWriteBackProgress& progress, const std::filesystem::path& exchange_file) {
  TWriter writer(selection.Drawing.State);
  const TConversion conversion =
      ConvertAndWrite(selection.Drawing, preset, dimensions, writer, progress);
  TWriteBack result;
  result.Changed = conversion.Changed;
  // An output cut short would rebuild part of the selection.
  if (!conversion.Complete) {
    result.Answer = TAnswer::kOutOfMemory;
    return result;
  }
  progress.WritingFile();
  result.Answer = TAnswer::kBusy;
  WriteLocked(exchange_file, [&] {
    result.Answer = AnswerOf(WriteExchangeFile(exchange_file, writer.Output()));
    return result.Answer == TAnswer::kWritten;
  });
  return result;
}

bool LeaveUnchanged(const std::filesystem::path& exchange_file) {
  return WriteLocked(exchange_file, [&] { return WriteUnchangedAnswer(exchange_file); });
}

}  // namespace kx27
