#pragma once

// The whole-drawing write, as the dialog writes: in one thread, or in two
// halves on two threads.

#include <cstdint>

#include "exchange/drawing.h"
#include "exchange/writer.h"

namespace kx27 {

// What the caller of WriteElements shows and answers every 100 elements.
class TWriteProgress {
 public:
  virtual ~TWriteProgress() = default;
  // current runs from 1 (before the first element) in steps of about 100.
  virtual void Show(std::int32_t current, std::int32_t total) = 0;
  // Whether the user is holding Escape now.
  virtual bool EscapeDown() = 0;
};

// Writes every element of the drawing in input order to the writer's
// output: "bz" first when the input held it, the first group and layer
// before the first element and restated at the end. Escape empties the
// output and ends the loop. False when memory ran out: the output is then
// empty too, and nothing more is appended. A large drawing is written in two
// halves, the second on a second thread.
bool WriteElements(const TDrawing& drawing, TWriter& writer, TWriteProgress& progress);

}  // namespace kx27
