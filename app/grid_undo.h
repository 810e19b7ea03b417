#pragma once

// The undo history of one preset's grid: the value cells before each change.

#include <array>
#include <cstddef>
#include <deque>
#include <string>

#include "app/preset_grid.h"

namespace kx27 {

class TGridUndo {
 public:
  // Remembers the value cells of before, when after differs from it.
  void Record(const TGridCells& before, const TGridCells& after);

  // The value cells back to what they were before the latest change still
  // remembered; false when there is none.
  bool Undo(TGridCells& cells);

  bool Empty() const { return steps_.empty(); }

  // The oldest changes are forgotten beyond this many.
  static constexpr std::size_t kDepth = 100;

 private:
  using TValues = std::array<std::string, 256>;
  std::deque<TValues> steps_;
};

}  // namespace kx27
