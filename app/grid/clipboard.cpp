#include "app/grid/clipboard.h"

#include <algorithm>

#include "app/presets/cell_value.h"
#include "text/conversions.h"

namespace kx27 {
namespace {

constexpr int kLastValue = kGridSize - 1;

// A quoted cell from text[pos], which holds the opening quote; pos ends after
// the closing one.
std::string QuotedCell(std::string_view text, std::size_t& pos) {
  std::string cell;
  for (++pos; pos < text.size(); ++pos) {
    if (text[pos] != '"') {
      cell += text[pos];
    } else if (pos + 1 < text.size() && text[pos + 1] == '"') {
      cell += '"';
      ++pos;
    } else {
      ++pos;
      break;
    }
  }
  return cell;
}

}  // namespace

std::string FormatTsv(const TGridCells& cells, const TGridRange& range) {
  std::string text;
  for (int row = range.Top; row <= range.Bottom; ++row) {
    for (int col = range.Left; col <= range.Right; ++col) {
      if (col > range.Left) text += '\t';
      text += cells[row][col];
    }
    text += "\r\n";
  }
  return text;
}

TTextBlock ParseTsv(std::string_view text) {
  TTextBlock block;
  std::vector<std::string> row;
  std::string cell;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char c = text[pos];
    if (c == '"' && TrimBlanks(cell).empty()) {
      cell = QuotedCell(text, pos);
      continue;
    }
    ++pos;
    if (c == '\t') {
      row.push_back(CellInput(cell));
      cell.clear();
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
      row.push_back(CellInput(cell));
      cell.clear();
      block.push_back(std::move(row));
      row.clear();
    } else {
      cell += c;
    }
  }
  if (!cell.empty() || !row.empty()) {
    row.push_back(CellInput(cell));
    block.push_back(std::move(row));
  }
  return block;
}

TGridRange PasteBlock(TGridCells& cells, const TGridRange& range, const TTextBlock& block) {
  if (block.size() == 1 && block[0].size() == 1) {
    FillRange(cells, range, block[0][0]);
    return range;
  }
  TGridRange written{range.Left, range.Top, range.Left - 1, range.Top - 1};
  for (std::size_t r = 0; r < block.size(); ++r) {
    const int row = range.Top + static_cast<int>(r);
    if (row > kLastValue) break;
    for (std::size_t c = 0; c < block[r].size(); ++c) {
      const int col = range.Left + static_cast<int>(c);
      if (col > kLastValue) break;
      cells[row][col] = block[r][c];
      written.Right = std::max(written.Right, col);
      written.Bottom = std::max(written.Bottom, row);
    }
  }
  return written;
}

}  // namespace kx27
