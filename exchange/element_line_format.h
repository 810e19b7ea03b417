#pragma once

// Element lines, one format per kind. Each one drops a degenerate element (a line without length,
// a circle without radius, coinciding corners, a text without bytes ...),
// tested with a tolerance of 1e-8 on the values as written; an element that
// is written gets its z lines directly before it (a dimension's after its
// "msg"), and a dropped one leaves none.

#include <array>
#include <cstdint>
#include <string_view>

#include "exchange/writer.h"

namespace kx27 {

struct TXY {
  double X = 0;
  double Y = 0;
};

// The tests each Put* below applies. The element writers ask first, so that
// a dropped element states no attributes either: lines that nothing uses
// would make a second conversion of the output differ from the first.
bool IsDegenerateLine(TXY p1, TXY p2);
bool IsDegenerateCircle(double radius);
bool IsDegenerateArc(double radius, double flatness);
bool IsDegenerateText(std::string_view text);
bool IsDegenerateDim(TXY p1, TXY p2, TXY direction);
bool IsDegenerateSolid2(TXY p1, TXY p2);
bool IsDegenerateSolid3(TXY p1, TXY p2, TXY p3);
// Dropped, not reduced to three corners.
bool IsDegenerateSolid4(TXY p1, TXY p2, TXY p3, TXY p4);
bool IsDegenerateScSolid(const std::array<double, 7>& v, std::int32_t flag);
bool IsDegenerateSeSolid(const std::array<double, 7>& v, std::int32_t flag);
// "so" and "sg".
bool IsDegenerateRingSolid(const std::array<double, 8>& v);

void PutLine(TWriter& w, std::int32_t z_flags, TXY p1, TXY p2);
// A curve as the host writes one: "pl", its segments as plain lines, "#".
// The first segment's z lines go before "pl", since anything between "pl"
// and that segment makes the host drop the curve. False, and nothing
// written, when the segment is degenerate.
bool PutCurveStart(TWriter& w, std::int32_t z_flags, TXY p1, TXY p2);
void PutCurveEnd(TWriter& w);
void PutPoint(TWriter& w, std::int32_t z_flags, TXY p);
void PutCodedPoint(TWriter& w, std::int32_t z_flags, TXY p, double scale, double angle,
                   std::int32_t code);
void PutCircle(TWriter& w, std::int32_t z_flags, TXY center, double radius);
void PutArc(TWriter& w, std::int32_t z_flags, TXY center, double radius, double start_angle,
            double end_angle, double flatness, double tilt_angle);
// text_kind 0..9 selects "ch", "cv", "cs", "cr", "co", "cp", "ct", "ck", "cz",
// "c2"; anything else is "ch".
void PutText(TWriter& w, std::int32_t z_flags, std::int32_t text_kind, std::string_view text, TXY p,
             TXY direction);
// An empty text is replaced by the length of the line.
void PutDim(TWriter& w, std::int32_t z_flags, std::string_view text, TXY p1, TXY p2, TXY p,
            TXY direction);
void PutSolid2(TWriter& w, std::int32_t z_flags, TXY p1, TXY p2);
void PutSolid3(TWriter& w, std::int32_t z_flags, TXY p1, TXY p2, TXY p3);
// Reduced to three corners, or dropped, where corners coincide.
void PutSolid4(TWriter& w, std::int32_t z_flags, TXY p1, TXY p2, TXY p3, TXY p4);
void PutScSolid(TWriter& w, std::int32_t z_flags, const std::array<double, 7>& v,
                std::int32_t flag);
void PutSeSolid(TWriter& w, std::int32_t z_flags, const std::array<double, 7>& v,
                std::int32_t flag);
void PutSoSolid(TWriter& w, std::int32_t z_flags, const std::array<double, 8>& v);
void PutSgSolid(TWriter& w, std::int32_t z_flags, const std::array<double, 8>& v);

}  // namespace kx27
