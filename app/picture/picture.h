#pragma once

// What the picture of a selection shows, in the drawing's own coordinates:
// every element the host would draw once the answer is back, with the line
// type it has now and the one OK gives it, its colour and its shape. Built
// once from a drawing, which it copies nothing back into; a window maps it
// to pixels (viewport.h) and paints it (picture_paint.h), and the SVG writer
// does the same into a file.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/picture/arc_shape.h"
#include "app/picture/geometry.h"
#include "exchange/drawing.h"
#include "exchange/records.h"

namespace kx27 {

enum class TShape : std::uint8_t {
  kPolyline,   // Points[First, First + Count): a line, a curve's segment, a dimension line
  kPolygon,    // Points[First, First + Count), filled: a corner solid
  kArc,        // Arcs[First]: a circle, an arc or an ellipse arc
  kFilledArc,  // Arcs[First]: a solid circle, arc or ring
  kText,       // Texts[First]: a text or a dimension's value
  kPoint,      // Points[First]: a point, plain or coded
};

// A text's box: Origin is its bottom-left corner, whatever the base point.
struct TTextShape {
  TPoint Origin;
  double Angle = 0;   // radians, anticlockwise
  double Length = 0;  // along Angle
  double Height = 0;
  std::uint32_t Offset = 0;  // its bytes in TPicture::Chars (Shift_JIS)
  std::uint32_t Size = 0;
  // Bottom-left, bottom-right, top-right, top-left.
  std::array<TPoint, 4> Corners;
};

inline constexpr std::uint8_t kNoPlace = 0xFF;

struct TPictureItem {
  TBox Box;  // what it covers, for culling
  std::uint32_t First = 0;
  std::uint32_t Count = 0;
  std::uint32_t Rgb = 0;  // 0xRRGGBB
  std::int32_t LineTypeNow = 0;
  std::int32_t LineTypeAfter = 0;  // what OK sets
  TKind Kind = kLine;              // the element it draws
  TShape Shape = TShape::kPolyline;
  // Where the element is written back: a dimension's own group and layer;
  // kNoPlace for a value outside 0..15.
  std::uint8_t Group = 0;
  std::uint8_t Layer = 0;

  bool ChangesWithOk() const { return LineTypeNow != LineTypeAfter; }
};

struct TPicture {
  std::vector<TPictureItem> Items;  // in the drawing's order
  std::vector<TPoint> Points;
  std::vector<TArcShape> Arcs;
  std::vector<TTextShape> Texts;
  std::string Chars;
  TBox Box;             // every item's, for fitting the view
  bool Before = false;  // shows the line types as they are now

  std::int32_t ShownLineType(const TPictureItem& item) const {
    return Before ? item.LineTypeNow : item.LineTypeAfter;
  }
  std::string_view TextOf(const TTextShape& text) const {
    return std::string_view(Chars).substr(text.Offset, text.Size);
  }
};

struct TPictureOptions {
  std::array<std::int32_t, 256> Values{};  // the preset's, as the grid holds them
  bool Dimensions = false;                 // the dimension box
  bool Before = false;
};

// Every element that the answer writes back, and so the host draws; block
// entries, which never come back, and degenerate elements are left out.
TPicture BuildPicture(const TDrawing& drawing, const TPictureOptions& options);

// The line types OK would set after an edit of the grid, the tab or the
// dimension box, with the conversion's own rule; the shapes stay.
void SetLineTypesAfter(TPicture& picture, const std::array<std::int32_t, 256>& values,
                       bool dimensions);

}  // namespace kx27
