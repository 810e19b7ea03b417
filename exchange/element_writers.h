#pragma once

// One writer per element kind: states the element's attributes, then appends
// its element line unless the element is degenerate.

#include <cstdint>
#include <string_view>

namespace kx27 {

void WriteLineRec(std::int32_t index);
// The line that opens a curve: its attributes, "pl" and the segment. False
// when the segment was dropped as degenerate, so that the next one opens it.
bool WriteCurveStart(std::int32_t index);
// The curve an element belongs to: the polyline number of a line read after
// "pl", 0 for every other element.
std::int32_t CurveOf(std::int32_t kind, std::int32_t index);
void WriteCircleRec(std::int32_t index);
void WriteArcRec(std::int32_t index);
void WriteTextRec(std::int32_t index);
void WritePointRec(std::int32_t index);
void WriteCodedPointRec(std::int32_t index);
void WriteDimRec(std::int32_t index);
// kind is one of kSolid2 .. kSgSolid.
void WriteSolidRec(std::int32_t kind, std::int32_t index);

}  // namespace kx27
