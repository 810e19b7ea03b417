#pragma once

// Fixed-layout element records, one kind per element line of the exchange
// file. Every field that a line does not fill reads as zero. Fields stand in
// the order in which a line gives them.

#include <cstdint>

namespace kx27 {

// A text held in the store's text arena (TElementStore::Chars).
struct TStoredText {
  std::uint64_t Offset = 0;
  std::uint32_t Length = 0;
};

// Where an element stands and the pen it is drawn with, as the attribute
// lines before it set them.
struct TPlaceAndPen {
  std::int32_t Group = 0;
  std::int32_t Layer = 0;
  std::int32_t Color = 0;
  std::int32_t LineType = 0;
  std::int32_t LineWidth = 0;
};

struct TCommonAttrs : TPlaceAndPen {
  std::int32_t HhpNo = 0;
  std::int32_t ZFlags = 0;
};

struct TLineRec : TCommonAttrs {  // kind 1
  std::int32_t PolylineNo = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

struct TCircleRec : TCommonAttrs {  // kind 2
  double X = 0, Y = 0, Radius = 0;
};

struct TArcRec : TCommonAttrs {  // kind 3
  double X = 0, Y = 0, Radius = 0;
  double StartAngle = 0, EndAngle = 0, Flatness = 0, TiltAngle = 0;
};

struct TTextRec : TCommonAttrs {  // kind 4
  std::int32_t TextKind = 0;
  std::int32_t Cc = 0;
  std::int32_t TextType = 0;
  double Width = 0, Height = 0, Spacing = 0;
  double X = 0, Y = 0, DX = 0, DY = 0;
  TStoredText FontName;  // at most 255 bytes
  TStoredText Text;      // at most 255 bytes
};

struct TPointRec : TCommonAttrs {  // kind 5
  double X = 0, Y = 0;
};

struct TCodedPointRec : TCommonAttrs {  // kind 6
  double X = 0, Y = 0, Scale = 0, Angle = 0;
  std::int32_t Code = 0;
};

struct TDimRec : TCommonAttrs {  // kind 7
  TLineRec Line;
  TTextRec Text;
};

struct TJwwEntBlk : TCommonAttrs {  // kind 8, never written back
  double X = 0, Y = 0;
  TStoredText Name;
};

struct TSolidAttrs : TCommonAttrs {
  std::int32_t Lc10Value = 0;
};

struct TSolid2Rec : TSolidAttrs {  // kind 9
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

struct TSolid3Rec : TSolidAttrs {  // kind 10
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, X3 = 0, Y3 = 0;
};

struct TSolid4Rec : TSolidAttrs {  // kind 11
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, X3 = 0, Y3 = 0, X4 = 0, Y4 = 0;
};

// A solid circle or arc ("sc"), or its counterpart "se".
struct TScSolidRec : TSolidAttrs {  // kind 12
  double X = 0, Y = 0, Radius = 0, Flatness = 0, TiltAngle = 0, StartAngle = 0, EndAngle = 0;
  std::int32_t Flag = 0;
};

struct TSeSolidRec : TScSolidRec {};  // kind 13

// A solid ring ("so"), or its counterpart "sg": an arc solid with an inner
// radius.
struct TSoSolidRec : TSolidAttrs {  // kind 14
  double X = 0, Y = 0, Radius = 0, Flatness = 0, TiltAngle = 0, StartAngle = 0, EndAngle = 0;
  double InnerRadius = 0;
};

struct TSgSolidRec : TSoSolidRec {};  // kind 15

enum TKind : std::int32_t {
  kLine = 1,
  kCircle = 2,
  kArc = 3,
  kText = 4,
  kPoint = 5,
  kCodedPoint = 6,
  kDim = 7,
  kBlock = 8,
  kSolid2 = 9,
  kSolid3 = 10,
  kSolid4 = 11,
  kScSolid = 12,
  kSeSolid = 13,
  kSoSolid = 14,
  kSgSolid = 15,
};

struct TOrderEntry {
  std::int32_t Kind = 0;
  std::int32_t Index = 0;
};

}  // namespace kx27
