#include "exchange/line_emitters.h"

#include <cmath>
#include <initializer_list>
#include <span>
#include <string>

#include "exchange/emitters.h"
#include "exchange/output_buffer.h"
#include "text/conversions.h"
#include "text/number_format.h"

namespace kx27 {

namespace {

constexpr double kEpsilon = 1e-8;

bool Tiny(double value) { return std::fabs(value) <= kEpsilon; }

bool Coincide(TXY a, TXY b) {
  return std::fabs(a.X - b.X) < kEpsilon && std::fabs(a.Y - b.Y) < kEpsilon;
}

// Values separated by single blanks, behind whatever the line holds already.
void AppendReals(std::string& line, std::span<const double> values) {
  bool first = true;
  for (double value : values) {
    if (!first) line.push_back(' ');
    first = false;
    AppendReal(line, value);
  }
}

void AppendReals(std::string& line, std::initializer_list<double> values) {
  AppendReals(line, std::span<const double>(values.begin(), values.size()));
}

void PutReals(std::int32_t z_flags, std::string_view keyword,
              std::initializer_list<double> values) {
  EmitZFlags(z_flags);
  std::string& line = StartOutputLine(keyword);
  AppendReals(line, values);
  AppendOutputLine(line);
}

// Most texts start with a visible character, which spares building the
// stripped copy.
bool IsBlankText(std::string_view text) {
  if (!text.empty()) {
    const auto first = static_cast<unsigned char>(text.front());
    if (first > 0x20 && first != 0x81) return false;
  }
  return StripBlanks(text).empty();
}

// The head of a text line: keyword, position and direction, then the quote
// that the text follows.
std::string& TextHead(std::string_view keyword, TXY p, TXY direction) {
  std::string& head = StartOutputLine(keyword);
  head.push_back(' ');
  AppendReals(head, {p.X, p.Y, direction.X, direction.Y});
  head.append(" \"");
  return head;
}

std::string_view TextKeyword(std::int32_t text_kind) {
  static constexpr std::string_view kKeywords[] = {
      "ch", "cv", "cs", "cr", "co", "cp", "ct", "ck", "cz", "c2"};
  return text_kind >= 0 && text_kind <= 9 ? kKeywords[text_kind] : "ch";
}

// The line's length rounded to steps of 1e-8 in extended precision, so that
// the text reads as a measured length: 5, not 5.00000000000001.
double RoundedLength(TXY p1, TXY p2) {
  const long double length = PointDistance(p1.X, p1.Y, p2.X, p2.Y);
  const long double steps = std::trunc(length / 1e-8L + 0.5L);
  return static_cast<double>(steps * 1e-8L);
}

// "sc" and "se"; the callers check the flag, whose valid set differs.
void PutFlaggedSolid(std::int32_t z_flags, std::string_view keyword,
                     const std::array<double, 7>& v, std::int32_t flag) {
  if (v[2] <= kEpsilon || Tiny(v[3])) return;
  EmitZFlags(z_flags);
  std::string& line = StartOutputLine(keyword);
  AppendReals(line, v);
  line.push_back(' ');
  AppendInt(line, flag);
  AppendOutputLine(line);
}

void PutRingSolid(std::int32_t z_flags, std::string_view keyword,
                  const std::array<double, 8>& v) {
  if (v[2] <= kEpsilon || v[7] <= kEpsilon || v[7] >= v[2] - kEpsilon ||
      Tiny(v[3]))
    return;
  EmitZFlags(z_flags);
  std::string& line = StartOutputLine(keyword);
  AppendReals(line, v);
  AppendOutputLine(line);
}

}  // namespace

void PutLine(std::int32_t z_flags, TXY p1, TXY p2) {
  if (Coincide(p1, p2)) return;
  PutReals(z_flags, "", {p1.X, p1.Y, p2.X, p2.Y});
}

void PutPoint(std::int32_t z_flags, TXY p) {
  PutReals(z_flags, "pt ", {p.X, p.Y});
}

void PutCodedPoint(std::int32_t z_flags, TXY p, double v3, double v4,
                   std::int32_t code) {
  EmitZFlags(z_flags);
  std::string& line = StartOutputLine("pt ");
  AppendReals(line, {p.X, p.Y, Tiny(v3) ? 1.0 : v3, v4});
  line.push_back(' ');
  AppendInt(line, code < -7 || code > 11 ? -3 : code);
  AppendOutputLine(line);
}

void PutCircle(std::int32_t z_flags, TXY center, double radius) {
  if (radius <= kEpsilon) return;
  PutReals(z_flags, "ci ", {center.X, center.Y, radius});
}

void PutArc(std::int32_t z_flags, TXY center, double radius, double v4,
            double v5, double v6, double v7) {
  if (radius <= kEpsilon || Tiny(v6)) return;
  PutReals(z_flags, "ci ", {center.X, center.Y, radius, v4, v5, v6, v7});
}

void PutText(std::int32_t z_flags, std::int32_t text_kind, std::string_view text,
             TXY p, TXY direction) {
  if (Tiny(direction.X) && Tiny(direction.Y)) return;
  if (IsBlankText(text)) return;
  EmitZFlags(z_flags);
  AppendTextOutputLines(TextHead(TextKeyword(text_kind), p, direction), text);
}

void PutDim(std::int32_t z_flags, std::string_view text, TXY p1, TXY p2, TXY p,
            TXY direction) {
  if (Coincide(p1, p2)) return;
  if (Tiny(direction.X) && Tiny(direction.Y)) return;
  EmitZFlags(z_flags);
  AppendOutputLine("msg");
  PutReals(0, "", {p1.X, p1.Y, p2.X, p2.Y});
  if (!IsBlankText(text)) {
    AppendTextOutputLines(TextHead("cs", p, direction), text);
    return;
  }
  static std::string length;
  length.clear();
  AppendReal(length, RoundedLength(p1, p2));
  AppendTextOutputLines(TextHead("cs", p, direction), length);
}

void PutSolid2(std::int32_t z_flags, TXY p1, TXY p2) {
  if (Coincide(p1, p2)) return;
  PutReals(z_flags, "sl ", {p1.X, p1.Y, p2.X, p2.Y});
}

void PutSolid3(std::int32_t z_flags, TXY p1, TXY p2, TXY p3) {
  if (Coincide(p1, p2) || Coincide(p2, p3) || Coincide(p3, p1)) return;
  PutReals(z_flags, "sl ", {p1.X, p1.Y, p2.X, p2.Y, p3.X, p3.Y});
}

void PutSolid4(std::int32_t z_flags, TXY p1, TXY p2, TXY p3, TXY p4) {
  if (Coincide(p1, p2)) return PutSolid3(z_flags, p1, p3, p4);
  if (Coincide(p1, p3)) return;
  if (Coincide(p1, p4)) return PutSolid3(z_flags, p1, p2, p3);
  if (Coincide(p2, p3)) return PutSolid3(z_flags, p1, p2, p4);
  if (Coincide(p2, p4)) return;
  if (Coincide(p3, p4)) return PutSolid3(z_flags, p1, p2, p3);
  PutReals(z_flags, "sl ", {p1.X, p1.Y, p2.X, p2.Y, p3.X, p3.Y, p4.X, p4.Y});
}

void PutScSolid(std::int32_t z_flags, const std::array<double, 7>& v,
                std::int32_t flag) {
  if (flag != 100 && flag != 5 && flag != 0 && flag != -1) return;
  PutFlaggedSolid(z_flags, "sc ", v, flag);
}

void PutSeSolid(std::int32_t z_flags, const std::array<double, 7>& v,
                std::int32_t flag) {
  if (flag != 100 && flag != 0) return;
  PutFlaggedSolid(z_flags, "se ", v, flag);
}

void PutSoSolid(std::int32_t z_flags, const std::array<double, 8>& v) {
  PutRingSolid(z_flags, "so ", v);
}

void PutSgSolid(std::int32_t z_flags, const std::array<double, 8>& v) {
  PutRingSolid(z_flags, "sg ", v);
}

}  // namespace kx27
