#pragma once

// Everything one exchange file was read into: the header values, the names
// of groups and layers, the first-seen attributes, the attributes current
// when reading ended, and the element store. A value that its reader
// returns: drawings are independent of each other.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/element_store.h"
#include "exchange/records.h"

namespace kx27 {

struct TTextType {
  double Width = 3.0;
  double Height = 3.0;
  double Spacing = 0.0;
  std::int32_t Color = 2;
};

struct THpPoint {
  bool Used = false;
  double X = 0;
  double Y = 0;
  std::int32_t Suffix = 0;  // 0 plain, 1 "-", 2 "ln", 3 "ci", 4 "ch"
};

// Attributes whose first line also records a first-seen value; indices
// into TDrawingState::AttrUnset.
enum TAttr : int {
  kAttrGroup = 0,
  kAttrLayer = 1,
  kAttrColor = 2,
  kAttrLineType = 3,
  kAttrLineWidth = 4,
  kAttrTextType = 5,
};

// The default font name "<ＭＳ ゴシック>" in Shift_JIS.
inline constexpr std::string_view kDefaultFontName =
    "<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>";

inline TLineRec DefaultPendingDimLine() {
  TLineRec line;
  line.Color = 1;
  line.LineType = 1;
  line.X2 = 1.0;
  return line;
}

// The attributes that a file's lines set and its elements take: a text's
// style beside the place and pen.
struct TAttributeSet : TPlaceAndPen {
  std::int32_t TextType = 1;
  double TextWidth = 2.0;
  double TextHeight = 2.0;
  double TextSpacing = 0.0;
  std::int32_t TextColor = 1;
  std::string FontName;
};

// The attributes of a file without attribute lines.
inline TAttributeSet StartingAttributes(std::string_view font_name) {
  TAttributeSet set;
  set.Color = 1;
  set.LineType = 1;
  set.FontName = font_name;
  return set;
}

// The values a drawing starts with are those of a file without header lines.
struct TDrawingState {
  // Header values.
  double HkValue = 0;
  std::array<double, 16> GroupScales = [] {
    std::array<double, 16> scales;
    scales.fill(1.0);
    return scales;
  }();
  double PaperWidth = 1189.0;
  double PaperHeight = 841.0;
  std::array<TTextType, 11> TextTypes{};  // entries 1..10 are used
  bool BzFlag = false;
  std::array<double, 4> HnValues{};
  std::string SourceFileName;
  std::array<std::string, 16> GroupNames;
  std::array<std::array<std::string, 16>, 16> LayerNames;  // [group][layer]
  std::array<std::int32_t, 16> GroupArgs{};
  std::array<std::array<std::int32_t, 16>, 16> LayerArgs{};  // [group][layer]
  std::array<THpPoint, 100> HpPoints{};                      // entries 1..99 are used
  std::int32_t HpCount = 0;

  // Current attribute set: what the next element inherits. After reading,
  // what the file left current.
  TAttributeSet Current = StartingAttributes(kDefaultFontName);
  // Current values that have no first-seen one.
  std::int32_t CurHhpNo = 0;
  std::int32_t CurZFlags = 0;
  std::int32_t CurCc = 0;
  std::int32_t CurPointColor = 1;
  std::int32_t CurLc10Value = 0;
  std::int32_t PolylineCount = 0;
  bool PolylineMode = false;
  bool DimensionMode = false;
  TLineRec PendingDimLine = DefaultPendingDimLine();

  // First-seen values, which the writer falls back on; no font name before
  // the first.
  TAttributeSet FirstSeen = StartingAttributes("");
  bool LwSeen = false;
  // True until the attribute's first line is read.
  std::array<bool, 6> AttrUnset = {true, true, true, true, true, true};
};

struct TDrawing {
  TDrawingState State;
  TElementStore Store;
};

}  // namespace kx27
