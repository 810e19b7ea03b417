#include "exchange/drawing_state.h"

#include <limits>

#include "exchange/element_lines.h"
#include "exchange/output_buffer.h"
#include "text/shift_jis.h"

namespace kx27 {

TDrawingState Drawing;
TElementStore Store;

void ResetDrawingState() {
  TDrawingState& d = Drawing;
  d.HkValue = 0.0;
  d.SourceFileName.clear();
  d.GroupScales.fill(1.0);
  d.PaperWidth = 1189.0;
  d.PaperHeight = 841.0;
  d.TextTypes.fill(TTextType{3.0, 3.0, 0.0, 2});

  d.BzFlag = false;
  d.HnValues.fill(0.0);
  d.FirstGroup = 0;
  d.FirstLayer = 0;
  d.FirstColor = 1;
  d.FirstLineType = 1;
  d.FirstLineWidth = 0;
  d.FirstTextType = 1;
  d.FirstTextWidth = 2.0;
  d.FirstTextHeight = 2.0;
  d.FirstTextSpacing = 0.0;
  d.FirstTextColor = 1;
  d.FirstFontName.clear();

  d.GroupArgs.fill(0);
  for (auto& name : d.GroupNames) name.clear();
  for (auto& row : d.LayerArgs) row.fill(0);
  for (auto& row : d.LayerNames)
    for (auto& name : row) name.clear();

  d.HpPoints.fill(THpPoint{});
  d.HpCount = 0;

  d.LwSeen = false;
  for (int i = kAttrGroup; i <= kAttrTextType; ++i) d.AttrUnset[i] = true;

  DefaultCurrentAttributes();
  d.CurHhpNo = 0;
  d.CurZFlags = 0;
  d.PolylineCount = 0;
  d.PolylineMode = false;
  d.DimensionMode = false;

  d.PendingDimLine = TLineRec{};
  d.PendingDimLine.Color = 1;
  d.PendingDimLine.LineType = 1;
  d.PendingDimLine.X2 = 1.0;

  ReleaseStore();
}

void ReleaseStore() {
  // Swapping with empty containers gives the memory back, not just the counts.
  Store = TElementStore{};
  ForgetStoredFontName();
  ClearOutput();
}

void DefaultCurrentAttributes() {
  TDrawingState& d = Drawing;
  d.CurGroup = 0;
  d.CurLayer = 0;
  d.CurColor = 1;
  d.CurLineType = 1;
  d.CurLineWidth = 0;
  d.CurTextType = 1;
  d.CurTextWidth = 2.0;
  d.CurTextHeight = 2.0;
  d.CurTextSpacing = 0.0;
  d.CurTextColor = 1;
  d.CurCc = 0;
  d.CurFontName = kDefaultFontName;
  d.CurPointColor = 1;
  d.CurLc10Value = 0;
}

void AppendOrder(std::int32_t kind, std::int32_t index) {
  Store.OrderList.push_back(TOrderEntry{kind, index});
}

void FillCommonAttrs(TCommonAttrs& rec) {
  rec.HhpNo = Drawing.CurHhpNo;
  rec.Group = Drawing.CurGroup;
  rec.Layer = Drawing.CurLayer;
  rec.Color = Drawing.CurColor;
  rec.LineType = Drawing.CurLineType;
  rec.LineWidth = Drawing.CurLineWidth;
  rec.ZFlags = Drawing.CurZFlags;
}

TStoredText StoreText(std::string_view text) {
  // A length that does not fit the record is cut rather than wrapped around.
  constexpr std::size_t kMaxLength = std::numeric_limits<std::uint32_t>::max();
  if (text.size() > kMaxLength) text = CutToWholeChars(text, kMaxLength);
  TStoredText stored{Store.Chars.size(), static_cast<std::uint32_t>(text.size())};
  Store.Chars.append(text);
  return stored;
}

std::string_view StoredText(TStoredText text) {
  return std::string_view(Store.Chars).substr(text.Offset, text.Length);
}

}  // namespace kx27
