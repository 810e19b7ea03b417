#pragma once

#include <string_view>
#include <vector>

#include "exchange/drawing_state.h"
#include "exchange/reader.h"

namespace kx27::testing {

// A fresh drawing state with the given lines applied.
inline void ReadLines(const std::vector<std::string_view>& lines) {
  ResetDrawingState();
  for (const std::string_view line : lines) ParseLine(line);
}

inline std::vector<std::int32_t> Kinds() {
  std::vector<std::int32_t> kinds;
  for (const TOrderEntry& e : Store.OrderList) kinds.push_back(e.Kind);
  return kinds;
}

}  // namespace kx27::testing
