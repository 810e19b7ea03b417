#pragma once

// The console's conversion: the exchange file read, converted and written a
// part at a time, so that memory stays near the size of the output whatever
// the elements are. The output is what ReadSelection and WriteBack would
// write, byte for byte.
//
// Two paths, since each side needs its own: the dialog holds the whole
// drawing anyway, to show it, and writes it in two halves on two threads;
// the console holds no more than a part, which keeps a large file fast and
// small in memory. tests/app/convert/file_conversion_test.cpp and
// fuzz/exchange_fuzz.cpp keep their bytes equal.

#include <cstdint>
#include <filesystem>

#include "app/convert/selection.h"
#include "app/presets/preset.h"
#include "exchange/output_buffer.h"
#include "exchange/reader.h"

namespace kx27 {

struct TFileConversion {
  TReadStatus Status = TReadStatus::kComplete;
  TWriteBackProblem Problem = TWriteBackProblem::kNone;
  std::int64_t ElementsRead = 0;
  std::int64_t Changed = 0;  // line types that changed value
  bool Complete = true;      // false: memory ran out, and Output is empty
  // "hd" and every element, unless there is a problem or memory ran out.
  TOutputBuffer Output;
};

TFileConversion ConvertExchangeFile(const std::filesystem::path& exchange_file,
                                    const TPreset& preset, bool dimensions);

}  // namespace kx27
