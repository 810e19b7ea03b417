#pragma once

// Header, attribute and mode lines: the commands that change the drawing state
// without creating an element.

#include "exchange/drawing.h"
#include "exchange/tokenizer.h"

namespace kx27 {

// Applies the first command whose keyword and token count fit the line.
// False when none does: the line may then be an element.
bool ApplyCommandLine(const TTokenList& tokens, TDrawingState& drawing);

}  // namespace kx27
