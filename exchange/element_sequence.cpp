#include "exchange/element_sequence.h"

#include "exchange/element_line_format.h"
#include "exchange/record_writers.h"

namespace kx27 {

namespace {

// The line an entry names, or null for any other element.
const TLineRec* LineAt(const TElementStore& store, const TOrderEntry& entry) {
  if (entry.Kind != kLine || entry.Index < 0 ||
      static_cast<std::size_t>(entry.Index) >= store.Lines.size())
    return nullptr;
  return &store.Lines[static_cast<std::size_t>(entry.Index)];
}

}  // namespace

void TElementSequence::Start() {
  if (w_.Drawing().BzFlag) w_.Output().AppendLine("bz");
}

void TElementSequence::Write(const TElementStore& store, std::size_t from, std::size_t to) {
  const TDrawingState& d = w_.Drawing();
  for (std::size_t i = from; i < to; ++i) {
    // The first group and layer open the output as they opened the input,
    // so that a reader of the output sees the same current layer, and a
    // second conversion writes the same closing lines.
    if (!started_) {
      w_.EmitGroup(d.FirstSeen.Group);
      w_.EmitLayer(d.FirstSeen.Layer);
      started_ = true;
    }
    const TOrderEntry& entry = store.OrderList[i];
    const TLineRec* line = LineAt(store, entry);
    const std::int32_t curve = line ? line->PolylineNo : 0;
    if (open_curve_ != 0 && curve != open_curve_) {
      if (w_.Formats()) PutCurveEnd(w_);
      open_curve_ = 0;
    }
    if (curve != 0 && open_curve_ == 0) {
      if (WriteCurveStart(w_, *line)) open_curve_ = curve;
    } else {
      VisitElement(store, entry, [&](const auto& rec) { WriteRecord(w_, store, rec); });
    }
  }
}

void TElementSequence::Finish() {
  if (open_curve_ != 0 && w_.Formats()) PutCurveEnd(w_);
  open_curve_ = 0;
  // The host keeps drawing on the group and layer that were current before.
  w_.EmitGroup(w_.Drawing().FirstSeen.Group);
  w_.EmitLayer(w_.Drawing().FirstSeen.Layer);
}

}  // namespace kx27
