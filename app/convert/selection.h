#pragma once

// The selection the host hands over in its exchange file, and the two
// answers the tool gives: the converted elements, or the drawing unchanged.
// What a dialog or a console program needs of the drawing, in two calls.

#include <cstdint>
#include <filesystem>

#include "app/presets/preset.h"
#include "exchange/drawing.h"
#include "exchange/reader.h"
#include "exchange/write_elements.h"

namespace kx27 {

struct TSelection {
  TDrawing Drawing;
  TReadStatus Status = TReadStatus::kMissing;
};

TSelection ReadSelection(const std::filesystem::path& exchange_file);

// Why the selection must be left as the host has it: after "hd" the host
// deletes the selection and rebuilds it from the output alone.
enum class TWriteBackProblem {
  kNone,
  // A read that stopped early would rebuild part of the selection.
  kIncompleteRead,
  // Block figures ("BL") cannot be written back; the BAT keeps them out of
  // the exchange with "REM #ht10".
  kBlockFigures,
};

// Without a file there is no selection to lose: that is no problem.
TWriteBackProblem FindWriteBackProblem(const TSelection& selection);
TWriteBackProblem FindWriteBackProblem(TReadStatus status, bool has_blocks);

// What a caller shows while OK works: the progress of the elements, then the
// writing of the file.
class TWriteBackProgress : public TWriteProgress {
 public:
  virtual void WritingFile() = 0;
};

// What became of the answer. Unless it is kWritten, the exchange file is as
// the host wrote it: its "hq" leaves the drawing unchanged.
enum class TAnswer {
  kWritten,
  kOutOfMemory,  // while converting or writing the elements
  kBusy,         // another run of this tool converts the same file
  kReadOnly,
  kInUse,  // another program holds the file open
  kDiskFull,
  kFailed,
};

struct TWriteBack {
  std::int64_t Changed = 0;  // line types that changed value
  TAnswer Answer = TAnswer::kWritten;
};

// Converts the selection by the preset and replaces the exchange file with
// "hd" and every element; after Escape, with what the output kept. The
// dialog's path: the whole drawing, which it shows, written in two halves.
// The console streams part by part instead (ConvertExchangeFile), to stay
// small in memory; tests/app/convert/file_conversion_test.cpp and
// fuzz/exchange_fuzz.cpp keep the two writing the same bytes. The file
// is written under the conversion lock (TFileLock); while another run holds
// it, nothing is written.
TWriteBack WriteBack(TSelection& selection, const TPreset& preset, bool dimensions,
                     TWriteBackProgress& progress, const std::filesystem::path& exchange_file);

// Replaces the exchange file with "hq", under the lock as WriteBack: the host
// leaves the drawing as it is.
bool LeaveUnchanged(const std::filesystem::path& exchange_file);

}  // namespace kx27
