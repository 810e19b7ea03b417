#pragma once

// Which corners of an "sl" solid remain once coinciding corners are merged.

#include <array>
#include <span>

#include "exchange/records.h"

namespace kx27 {

struct TCorner {
  double X = 0;
  double Y = 0;
};

struct TSolidShape {
  TKind Kind = kSolid2;         // kSolid2, kSolid3 or kSolid4
  std::array<int, 4> Corner{};  // indices into the given corners, in order
};

// corners holds 2, 3 or 4 points; two points within 1e-10 on both axes are
// one corner.
TSolidShape ReduceSolidCorners(std::span<const TCorner> corners);

}  // namespace kx27
