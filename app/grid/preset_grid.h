#pragma once

// The grid's 17 x 17 cell texts and the transfers between it and a preset.
// Cell (column L + 1, row G + 1) shows the value of layer group G, layer L.

#include <array>
#include <cstdint>
#include <string>

#include "app/presets/preset.h"

namespace kx27 {

inline constexpr int kGridSize = 17;

// cells[row][column], Shift_JIS texts.
using TGridCells = std::array<std::array<std::string, kGridSize>, kGridSize>;

// "0".."F" in row 0 and column 0.
void LabelGridHeaders(TGridCells& cells);

// The 256 value cells as they would be stored: AllowedCellValue, with 0 for
// a cell that holds no line type; Values[group * 16 + layer].
std::array<std::int32_t, 256> GridValues(const TGridCells& cells);

// The comment and the 256 value cells into the preset, as GridValues.
void StoreGridToPreset(const TGridCells& cells, const std::string& comment, TPreset& preset);

// The preset into the comment and the 256 value cells.
void ShowPresetInGrid(const TPreset& preset, TGridCells& cells, std::string& comment);

// Every value cell "0" (the clear button).
void ClearGridValues(TGridCells& cells);

}  // namespace kx27
