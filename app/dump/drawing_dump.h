#pragma once

// The reader's view of a drawing as JSON lines, for developers comparing
// what an exchange file was read into.

#include <string>

#include "exchange/drawing.h"

namespace kx27 {

// {"kind":K,"index":I,"rec":{...}} and a line feed; the record's fields by
// their names, its common attributes first.
void AppendElementJson(std::string& out, const TElementStore& store, const TOrderEntry& entry);

// {"state":{...}} and a line feed: every field of the drawing state.
void AppendStateJson(std::string& out, const TDrawingState& state);

}  // namespace kx27
