#pragma once

// Element lines: each appends one record to the store, or replaces the
// pending line of a dimension figure.

#include "exchange/tokenizer.h"

namespace kx27 {

// Applies the first element rule that fits the line; a line that fits none
// changes nothing.
void ApplyElementLine(const TTokenList& tokens);

// Texts share the stored bytes of an unchanged font name; this drops that
// reference when the store is emptied.
void ForgetStoredFontName();

}  // namespace kx27
