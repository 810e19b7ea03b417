#pragma once

// The tool's drawing work: line types by layer, then "hd" and every element.

#include <cstdint>

#include "app/preset.h"
#include "exchange/output_driver.h"

namespace kx27 {

// Sets the line type of every line, circle and arc (and, with dimensions, of
// every dimension line) to the preset's value for its group and layer, where
// that value is above 0. Returns how many line types changed value.
std::int64_t ApplyLineTypes(const TPreset& preset, bool dimensions);

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

TWriteBackProblem FindWriteBackProblem(bool read_to_end);

// ApplyLineTypes, then "hd" and WriteElements. Returns ApplyLineTypes' count.
std::int64_t ConvertAndWrite(const TPreset& preset, bool dimensions,
                             TWriteProgress& progress);

}  // namespace kx27
