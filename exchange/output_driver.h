#pragma once

#include <cstdint>

namespace kx27 {

// What the caller of WriteElements shows and answers every 100 elements.
class TWriteProgress {
 public:
  virtual ~TWriteProgress() = default;
  // current runs from 1 (before the first element) in steps of 100.
  virtual void Show(std::int32_t current, std::int32_t total) = 0;
  // Whether the user is holding Escape now.
  virtual bool EscapeDown() = 0;
};

// Writes every element of the store in input order to the output buffer,
// "bz" first when the input held it, the first group and layer restated at
// the end. Escape empties the buffer and ends the loop. Running out of memory
// empties it too, and nothing more is appended.
void WriteElements(TWriteProgress& progress);

}  // namespace kx27
