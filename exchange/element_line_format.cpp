#include "exchange/element_line_format.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <span>

#include "exchange/point_distance.h"
#include "text/conversions.h"
#include "text/number_format.h"

namespace kx27 {

namespace {

constexpr double kEpsilon = 1e-8;

// The tests below judge the values as the host and our own reader get them
// back, rounded to the 15 digits written, so that nothing written is
// degenerate on the next read. Rounding moves a value by less than 1e-14 of
// itself: only a result that close to the tolerance needs the written values.
constexpr double kRoundingSlack = 1e-14;

// value <= limit, as written.
bool AtMost(double value, double limit) {
  const double slack = std::fabs(value) * kRoundingSlack;
  if (value <= limit - slack) return true;
  if (value > limit + slack) return false;
  return WrittenReal(value) <= limit;
}

bool Tiny(double value) { return AtMost(std::fabs(value), kEpsilon); }

// |a - b| < kEpsilon, as written.
bool Close(double a, double b) {
  const double slack = (std::fabs(a) + std::fabs(b)) * kRoundingSlack;
  const double distance = std::fabs(a - b);
  if (distance < kEpsilon - slack) return true;
  if (distance >= kEpsilon + slack) return false;
  return std::fabs(WrittenReal(a) - WrittenReal(b)) < kEpsilon;
}

bool Coincide(TXY a, TXY b) { return Close(a.X, b.X) && Close(a.Y, b.Y); }

// Formats one line straight into the output buffer: the keyword, then
// values, each with the room its text may take.
class TLineInPlace {
 public:
  TLineInPlace(TWriter& w, std::string_view keyword, std::size_t values)
      : output_(w.Output()),
        end_(output_.BeginLine(keyword.size() + values * (kRealRoom + 1) + kTextHeadRoom)) {
    std::memcpy(end_, keyword.data(), keyword.size());
    end_ += keyword.size();
  }

  // Values separated by single blanks, behind whatever the line holds already.
  TLineInPlace& Reals(std::span<const double> values) {
    bool first = true;
    for (const double value : values) {
      if (!first) *end_++ = ' ';
      first = false;
      end_ = WriteReal(end_, value);
    }
    return *this;
  }

  TLineInPlace& Reals(std::initializer_list<double> values) {
    return Reals(std::span<const double>(values.begin(), values.size()));
  }

  TLineInPlace& Blank() {
    *end_++ = ' ';
    return *this;
  }

  TLineInPlace& Int(std::int32_t value) {
    end_ = std::to_chars(end_, end_ + kRealRoom, value).ptr;
    return *this;
  }

  // Keyword, numbers and blanks take less than 255 bytes and hold no line
  // break: the line goes in as it stands.
  void End() { output_.EndLine(end_); }

  // The head of a text: the quote that the text follows ends it.
  void EndTextHead() {
    std::memcpy(end_, " \"", 2);
    output_.EndTextHead(end_ + 2);
  }

 private:
  // The blanks and quote around a text head's values.
  static constexpr std::size_t kTextHeadRoom = 3;

  TOutputBuffer& output_;
  char* end_;
};

void PutReals(TWriter& w, std::int32_t z_flags, std::string_view keyword,
              std::initializer_list<double> values) {
  w.EmitZFlags(z_flags);
  TLineInPlace(w, keyword, values.size()).Reals(values).End();
  w.Output().CountElementLine();
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
void PutTextHead(TWriter& w, std::string_view keyword, TXY p, TXY direction) {
  TLineInPlace(w, keyword, 4).Blank().Reals({p.X, p.Y, direction.X, direction.Y}).EndTextHead();
}

std::string_view TextKeyword(std::int32_t text_kind) {
  static constexpr std::string_view kKeywords[] = {"ch", "cv", "cs", "cr", "co",
                                                   "cp", "ct", "ck", "cz", "c2"};
  return text_kind >= 0 && text_kind <= 9 ? kKeywords[text_kind] : "ch";
}

// The line's length rounded to steps of 1e-8 in extended precision, so that
// the text reads as a measured length: 5, not 5.00000000000001.
double RoundedLength(TXY p1, TXY p2) {
  const long double length = PointDistance(p1.X, p1.Y, p2.X, p2.Y);
  const long double steps = std::trunc(length / 1e-8L + 0.5L);
  return static_cast<double>(steps * 1e-8L);
}

// "sc" and "se", once their flag and values are known to be kept.
void PutFlaggedSolid(TWriter& w, std::int32_t z_flags, std::string_view keyword,
                     const std::array<double, 7>& v, std::int32_t flag) {
  w.EmitZFlags(z_flags);
  TLineInPlace(w, keyword, v.size() + 1).Reals(v).Blank().Int(flag).End();
  w.Output().CountElementLine();
}

// "so" and "sg", once their values are known to be kept.
void PutRingSolid(TWriter& w, std::int32_t z_flags, std::string_view keyword,
                  const std::array<double, 8>& v) {
  w.EmitZFlags(z_flags);
  TLineInPlace(w, keyword, v.size()).Reals(v).End();
  w.Output().CountElementLine();
}

bool IsDegenerateFlaggedSolid(const std::array<double, 7>& v) {
  return AtMost(v[2], kEpsilon) || Tiny(v[3]);
}

// A four-corner solid keeps all four corners, three where two neighbours
// coincide, and none where opposite corners do.
struct TSolidCorners {
  int count = 0;
  TXY corner[4];
};

TSolidCorners Three(TXY p1, TXY p2, TXY p3) {
  if (IsDegenerateSolid3(p1, p2, p3)) return {};
  return {3, {p1, p2, p3}};
}

TSolidCorners WrittenCorners(TXY p1, TXY p2, TXY p3, TXY p4) {
  if (Coincide(p1, p2)) return Three(p1, p3, p4);
  if (Coincide(p1, p3)) return {};
  if (Coincide(p1, p4)) return Three(p1, p2, p3);
  if (Coincide(p2, p3)) return Three(p1, p2, p4);
  if (Coincide(p2, p4)) return {};
  if (Coincide(p3, p4)) return Three(p1, p2, p3);
  return {4, {p1, p2, p3, p4}};
}

}  // namespace

bool IsDegenerateLine(TXY p1, TXY p2) { return Coincide(p1, p2); }

bool IsDegenerateCircle(double radius) { return AtMost(radius, kEpsilon); }

bool IsDegenerateArc(double radius, double flatness) {
  return AtMost(radius, kEpsilon) || Tiny(flatness);
}

bool IsDegenerateText(std::string_view text) {
  // The host reads back a text of blanks, and one without direction as
  // horizontal; only a text without bytes creates nothing.
  return text.empty();
}

bool IsDegenerateDim(TXY p1, TXY p2, TXY direction) {
  return Coincide(p1, p2) || (Tiny(direction.X) && Tiny(direction.Y));
}

bool IsDegenerateSolid2(TXY p1, TXY p2) { return Coincide(p1, p2); }

bool IsDegenerateSolid3(TXY p1, TXY p2, TXY p3) {
  return Coincide(p1, p2) || Coincide(p2, p3) || Coincide(p3, p1);
}

bool IsDegenerateSolid4(TXY p1, TXY p2, TXY p3, TXY p4) {
  return WrittenCorners(p1, p2, p3, p4).count == 0;
}

bool IsDegenerateScSolid(const std::array<double, 7>& v, std::int32_t flag) {
  return (flag != 100 && flag != 5 && flag != 0 && flag != -1) || IsDegenerateFlaggedSolid(v);
}

bool IsDegenerateSeSolid(const std::array<double, 7>& v, std::int32_t flag) {
  return (flag != 100 && flag != 0) || IsDegenerateFlaggedSolid(v);
}

bool IsDegenerateRingSolid(const std::array<double, 8>& v) {
  const double outer = WrittenReal(v[2]);
  const double inner = WrittenReal(v[7]);
  return outer <= kEpsilon || inner <= kEpsilon || inner >= outer - kEpsilon || Tiny(v[3]);
}

void PutLine(TWriter& w, std::int32_t z_flags, TXY p1, TXY p2) {
  if (IsDegenerateLine(p1, p2)) return;
  PutReals(w, z_flags, "", {p1.X, p1.Y, p2.X, p2.Y});
}

bool PutCurveStart(TWriter& w, std::int32_t z_flags, TXY p1, TXY p2) {
  if (IsDegenerateLine(p1, p2)) return false;
  w.EmitZFlags(z_flags);
  w.Output().AppendLine("pl");
  w.Output().CountElementLine();
  PutReals(w, 0, "", {p1.X, p1.Y, p2.X, p2.Y});
  return true;
}

void PutCurveEnd(TWriter& w) {
  w.Output().AppendLine("#");
  w.Output().CountElementLine();
}

void PutPoint(TWriter& w, std::int32_t z_flags, TXY p) { PutReals(w, z_flags, "pt ", {p.X, p.Y}); }

void PutCodedPoint(TWriter& w, std::int32_t z_flags, TXY p, double scale, double angle,
                   std::int32_t code) {
  w.EmitZFlags(z_flags);
  TLineInPlace(w, "pt ", 5)
      .Reals({p.X, p.Y, Tiny(scale) ? 1.0 : scale, angle})
      .Blank()
      .Int(code < -7 || code > 11 ? -3 : code)
      .End();
  w.Output().CountElementLine();
}

void PutCircle(TWriter& w, std::int32_t z_flags, TXY center, double radius) {
  if (IsDegenerateCircle(radius)) return;
  PutReals(w, z_flags, "ci ", {center.X, center.Y, radius});
}

void PutArc(TWriter& w, std::int32_t z_flags, TXY center, double radius, double start_angle,
            double end_angle, double flatness, double tilt_angle) {
  if (IsDegenerateArc(radius, flatness)) return;
  PutReals(w, z_flags, "ci ",
           {center.X, center.Y, radius, start_angle, end_angle, flatness, tilt_angle});
}

void PutText(TWriter& w, std::int32_t z_flags, std::int32_t text_kind, std::string_view text, TXY p,
             TXY direction) {
  if (IsDegenerateText(text)) return;
  w.EmitZFlags(z_flags);
  PutTextHead(w, TextKeyword(text_kind), p, direction);
  w.Output().AppendLine(text);
  w.Output().CountElementLine();
}

void PutDim(TWriter& w, std::int32_t z_flags, std::string_view text, TXY p1, TXY p2, TXY p,
            TXY direction) {
  if (IsDegenerateDim(p1, p2, direction)) return;
  // After "msg" the reader keeps the flags for the dimension; before it,
  // the dimension line would take them. PutReals counts the dimension.
  w.Output().AppendLine("msg");
  PutReals(w, z_flags, "", {p1.X, p1.Y, p2.X, p2.Y});
  PutTextHead(w, "cs", p, direction);
  if (!IsBlankText(text)) {
    w.Output().AppendLine(text);
    return;
  }
  char length[kRealRoom];
  w.Output().AppendLine(std::string_view(length, WriteReal(length, RoundedLength(p1, p2))));
}

void PutSolid2(TWriter& w, std::int32_t z_flags, TXY p1, TXY p2) {
  if (IsDegenerateSolid2(p1, p2)) return;
  PutReals(w, z_flags, "sl ", {p1.X, p1.Y, p2.X, p2.Y});
}

void PutSolid3(TWriter& w, std::int32_t z_flags, TXY p1, TXY p2, TXY p3) {
  if (IsDegenerateSolid3(p1, p2, p3)) return;
  PutReals(w, z_flags, "sl ", {p1.X, p1.Y, p2.X, p2.Y, p3.X, p3.Y});
}

void PutSolid4(TWriter& w, std::int32_t z_flags, TXY p1, TXY p2, TXY p3, TXY p4) {
  const TSolidCorners corners = WrittenCorners(p1, p2, p3, p4);
  const TXY* c = corners.corner;
  if (corners.count == 3)
    PutReals(w, z_flags, "sl ", {c[0].X, c[0].Y, c[1].X, c[1].Y, c[2].X, c[2].Y});
  else if (corners.count == 4)
    PutReals(w, z_flags, "sl ", {c[0].X, c[0].Y, c[1].X, c[1].Y, c[2].X, c[2].Y, c[3].X, c[3].Y});
}

void PutScSolid(TWriter& w, std::int32_t z_flags, const std::array<double, 7>& v,
                std::int32_t flag) {
  if (!IsDegenerateScSolid(v, flag)) PutFlaggedSolid(w, z_flags, "sc ", v, flag);
}

void PutSeSolid(TWriter& w, std::int32_t z_flags, const std::array<double, 7>& v,
                std::int32_t flag) {
  if (!IsDegenerateSeSolid(v, flag)) PutFlaggedSolid(w, z_flags, "se ", v, flag);
}

void PutSoSolid(TWriter& w, std::int32_t z_flags, const std::array<double, 8>& v) {
  if (!IsDegenerateRingSolid(v)) PutRingSolid(w, z_flags, "so ", v);
}

void PutSgSolid(TWriter& w, std::int32_t z_flags, const std::array<double, 8>& v) {
  if (!IsDegenerateRingSolid(v)) PutRingSolid(w, z_flags, "sg ", v);
}

}  // namespace kx27
