#pragma once

// The one drawing state and element store of the process. Every operation of
// the reader, the writer and the conversion pass works on these instances.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/records.h"

namespace kx27 {

struct TTextType {
  double Width = 0;
  double Height = 0;
  double Spacing = 0;
  std::int32_t Color = 0;
};

struct THpPoint {
  bool Used = false;
  double X = 0;
  double Y = 0;
  std::int32_t Suffix = 0;  // 0 plain, 1 "-", 2 "ln", 3 "ci", 4 "ch"
};

// Indices into TDrawingState::AttrUnset.
enum TAttr : int {
  kAttrGroup = 0,
  kAttrLayer = 1,
  kAttrColor = 2,
  kAttrLineType = 3,
  kAttrLineWidth = 4,
  kAttrTextType = 5,
  kAttrCc = 6,
  kAttrFont = 7,
  kAttrPointColor = 8,
  kAttrLc10 = 9,
};

// Zero-initialised at program start, like the rest of the module's data;
// ResetDrawingState() gives it its defaults.
struct TDrawingState {
  // Header values.
  double HkValue = 0;
  std::array<double, 16> GroupScales{};
  double PaperWidth = 0;
  double PaperHeight = 0;
  std::array<TTextType, 11> TextTypes{};  // entries 1..10 are used
  bool BzFlag = false;
  std::array<double, 4> HnValues{};
  std::string SourceFileName;
  std::array<std::string, 16> GroupNames;
  std::array<std::array<std::string, 16>, 16> LayerNames;  // [group][layer]
  std::array<std::int32_t, 16> GroupArgs{};
  std::array<std::array<std::int32_t, 16>, 16> LayerArgs{};  // [group][layer]
  std::array<THpPoint, 100> HpPoints{};  // entries 1..99 are used
  std::int32_t HpCount = 0;

  // Current attribute set: what the next element inherits while reading, and
  // what was last stated while writing.
  std::int32_t CurHhpNo = 0;
  std::int32_t CurGroup = 0;
  std::int32_t CurLayer = 0;
  std::int32_t CurColor = 0;
  std::int32_t CurLineType = 0;
  std::int32_t CurLineWidth = 0;
  std::int32_t CurZFlags = 0;
  std::int32_t CurTextType = 0;
  double CurTextWidth = 0;
  double CurTextHeight = 0;
  double CurTextSpacing = 0;
  std::int32_t CurTextColor = 0;
  std::int32_t CurCc = 0;
  std::string CurFontName;
  std::int32_t CurPointColor = 0;
  std::int32_t CurLc10Value = 0;
  std::int32_t PolylineCount = 0;
  bool PolylineMode = false;
  bool DimensionMode = false;
  TLineRec PendingDimLine;

  // First-seen values.
  std::int32_t FirstGroup = 0;
  std::int32_t FirstLayer = 0;
  std::int32_t FirstColor = 0;
  std::int32_t FirstLineType = 0;
  std::int32_t FirstLineWidth = 0;
  std::int32_t FirstTextType = 0;
  double FirstTextWidth = 0;
  double FirstTextHeight = 0;
  double FirstTextSpacing = 0;
  std::int32_t FirstTextColor = 0;
  std::string FirstFontName;
  bool LwSeen = false;
  std::array<bool, 10> AttrUnset{};
};

// Records in input order: OrderList names the kind and the index of each.
struct TElementStore {
  std::vector<TOrderEntry> OrderList;
  std::vector<TLineRec> Lines;
  std::vector<TCircleRec> Circles;
  std::vector<TArcRec> Arcs;
  std::vector<TTextRec> Texts;
  std::vector<TPointRec> Points;
  std::vector<TCodedPointRec> CodedPoints;
  std::vector<TDimRec> Dims;
  std::vector<TJwwEntBlk> Blocks;
  std::vector<TSolid2Rec> Solid2s;
  std::vector<TSolid3Rec> Solid3s;
  std::vector<TSolid4Rec> Solid4s;
  std::vector<TScSolidRec> ScSolids;
  std::vector<TSeSolidRec> SeSolids;
  std::vector<TSoSolidRec> SoSolids;
  std::vector<TSgSolidRec> SgSolids;
  // The bytes of every TStoredText, one after another.
  std::string Chars;
};

extern TDrawingState Drawing;
extern TElementStore Store;

// Every field to its default; empties the store, the order list and the
// output buffer. AttrUnset entries 6..9 keep their values.
void ResetDrawingState();

// Frees the store, the order list and the output buffer.
void ReleaseStore();

// The attributes that elements inherit and the writer tracks (group, layer,
// colour, line type and width, text type and size, cc, font, point colour,
// lc10 value) to their defaults; the per-element values and modes stay.
void DefaultCurrentAttributes();

void AppendOrder(std::int32_t kind, std::int32_t index);

// Copies the current attribute set into a record's common block.
void FillCommonAttrs(TCommonAttrs& rec);

// Appends text to the store's arena.
TStoredText StoreText(std::string_view text);
std::string_view StoredText(TStoredText text);

// The default font name "<ＭＳ ゴシック>" in Shift_JIS.
inline constexpr std::string_view kDefaultFontName =
    "<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>";

}  // namespace kx27
