#pragma once

// One writer per element kind: states the element's attributes, then appends
// its element line unless the element is degenerate.

#include <cstdint>
#include <string_view>

namespace kx27 {

void WriteLineRec(std::int32_t index);
void WriteCircleRec(std::int32_t index);
void WriteArcRec(std::int32_t index);
void WriteTextRec(std::int32_t index);
void WritePointRec(std::int32_t index);
void WriteCodedPointRec(std::int32_t index);
void WriteDimRec(std::int32_t index);
// kind is one of kSolid2 .. kSgSolid.
void WriteSolidRec(std::int32_t kind, std::int32_t index);

}  // namespace kx27
