#pragma once

// The grid's clipboard format: tab-separated text, as spreadsheets and text
// editors copy and paste a block of cells.

#include <string>
#include <string_view>
#include <vector>

#include "app/grid/range.h"

namespace kx27 {

using TTextBlock = std::vector<std::vector<std::string>>;  // rows of cells

// Cells separated by tabs, each row ended by CR LF.
std::string FormatTsv(const TGridCells& cells, const TGridRange& range);

// Rows end at CR LF, LF or CR, cells at tabs; a line break after the last
// row adds none. A cell in double quotes may hold tabs, line breaks and
// doubled quotes, as spreadsheets quote them. Blanks around a cell go.
TTextBlock ParseTsv(std::string_view text);

// The block with its first cell on the range's top-left cell; what lies
// beyond the last row or column is dropped. A block of one cell fills the
// whole range instead. Returns the cells written.
TGridRange PasteBlock(TGridCells& cells, const TGridRange& range, const TTextBlock& block);

}  // namespace kx27
