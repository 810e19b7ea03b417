#include "app/grid/undo.h"

namespace kx27 {
namespace {

bool SameValueCells(const TGridCells& a, const TGridCells& b) {
  for (int row = 1; row < kGridSize; ++row)
    for (int col = 1; col < kGridSize; ++col)
      if (a[row][col] != b[row][col]) return false;
  return true;
}

}  // namespace

void TGridUndo::Record(const TGridCells& before, const TGridCells& after,
                       std::optional<std::string> comment) {
  if (!comment && SameValueCells(before, after)) return;
  TStep& step = steps_.emplace_back();
  step.Comment = std::move(comment);
  auto& texts = step.CellTexts;
  for (int row = 1; row < kGridSize; ++row)
    for (int col = 1; col < kGridSize; ++col)
      texts[static_cast<std::size_t>((row - 1) * 16 + col - 1)] = before[row][col];
  if (steps_.size() > kDepth) steps_.pop_front();
}

bool TGridUndo::Undo(TGridCells& cells, std::optional<std::string>* comment) {
  if (steps_.empty()) return false;
  TStep& step = steps_.back();
  for (int row = 1; row < kGridSize; ++row)
    for (int col = 1; col < kGridSize; ++col)
      cells[row][col] = step.CellTexts[static_cast<std::size_t>((row - 1) * 16 + col - 1)];
  if (comment) *comment = std::move(step.Comment);
  steps_.pop_back();
  return true;
}

}  // namespace kx27
