#pragma once

// Element lines: each appends one record to the store, or replaces the
// pending line of a dimension figure.

#include "exchange/drawing.h"
#include "exchange/tokenizer.h"

namespace kx27 {

// Texts in a row mostly share their font: its stored bytes are reused while
// the name stays the same.
struct TStoredFont {
  TStoredText Text;
  bool Stored = false;
};

// Applies the first element rule that fits the line; a line that fits none
// changes nothing.
void ApplyElementLine(const TTokenList& tokens, TDrawing& drawing, TStoredFont& font);

}  // namespace kx27
