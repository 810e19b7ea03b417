#pragma once

// The undo history of one preset's grid: the value cells before each
// change, and the comment where the change also cleared it.

#include <array>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "app/grid/preset_grid.h"

namespace kx27 {

class TGridUndo {
 public:
  // Remembers the value cells of before, when after differs from it or a
  // comment to bring back comes with the change.
  void Record(const TGridCells& before, const TGridCells& after,
              std::optional<std::string> comment = std::nullopt);

  // The value cells back to what they were before the latest change still
  // remembered, and the comment that change replaced, if it did; false
  // when there is none.
  bool Undo(TGridCells& cells, std::optional<std::string>* comment = nullptr);

  bool Empty() const { return steps_.empty(); }

  // The oldest changes are forgotten beyond this many.
  static constexpr std::size_t kDepth = 100;

 private:
  struct TStep {
    std::array<std::string, 256> CellTexts;  // of the value cells, [group * 16 + layer]
    std::optional<std::string> Comment;
  };
  std::deque<TStep> steps_;
};

}  // namespace kx27
