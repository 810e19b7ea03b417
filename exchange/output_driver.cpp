#include "exchange/output_driver.h"

#include <cstddef>
#include <new>

#include "exchange/element_writers.h"
#include "exchange/line_emitters.h"

namespace kx27 {

namespace {

constexpr std::int32_t kPollInterval = 100;

// Sizes the buffer for the rest of the output from what the elements so far
// took, at a few points only: it is then copied seldom and holds little unused
// room, which matters since it is most of the memory that the run holds.
void ForecastOutput(TOutputBuffer& output, std::int32_t done, std::int32_t total) {
  if (done != 1000 && done != 10000 && done != 100000) return;
  const double per_element = static_cast<double>(output.Size()) / done;
  output.Reserve(static_cast<std::size_t>(per_element * (total - done) * 1.0625));
}

// The line an entry names, or null for any other element.
const TLineRec* LineAt(const TElementStore& store, const TOrderEntry& entry) {
  if (entry.Kind != kLine || entry.Index < 0 ||
      static_cast<std::size_t>(entry.Index) >= store.Lines.size())
    return nullptr;
  return &store.Lines[static_cast<std::size_t>(entry.Index)];
}

void WriteInOrder(const TDrawing& drawing, TWriter& w, TWriteProgress& progress) {
  const TDrawingState& d = drawing.State;
  const TElementStore& store = drawing.Store;
  if (d.BzFlag) w.Output().AppendLine("bz");

  const auto& order = store.OrderList;
  const auto total = static_cast<std::int32_t>(order.size());
  // Lines read after one "pl" go back as one curve, or the host would get
  // them back as loose lines.
  std::int32_t open_curve = 0;
  for (std::int32_t i = 0; i < total; ++i) {
    if (i % kPollInterval == 0) {
      progress.Show(i + 1, total);
      if (progress.EscapeDown()) {
        w.Output().Clear();
        open_curve = 0;
        break;
      }
      ForecastOutput(w.Output(), i, total);
    }
    // The first group and layer open the output as they opened the input,
    // so that a reader of the output sees the same current layer, and a
    // second conversion writes the same closing lines.
    if (i == 0) {
      w.EmitGroup(d.FirstGroup);
      w.EmitLayer(d.FirstLayer);
    }
    const TOrderEntry& entry = order[static_cast<std::size_t>(i)];
    const TLineRec* line = LineAt(store, entry);
    const std::int32_t curve = line ? line->PolylineNo : 0;
    if (open_curve != 0 && curve != open_curve) {
      PutCurveEnd(w);
      open_curve = 0;
    }
    if (curve != 0 && open_curve == 0) {
      if (WriteCurveStart(w, *line)) open_curve = curve;
    } else {
      VisitElement(store, entry, [&](const auto& rec) { WriteRecord(w, store, rec); });
    }
  }
  if (open_curve != 0) PutCurveEnd(w);

  // The host keeps drawing on the group and layer that were current before.
  w.EmitGroup(d.FirstGroup);
  w.EmitLayer(d.FirstLayer);
}

}  // namespace

bool WriteElements(const TDrawing& drawing, TWriter& writer, TWriteProgress& progress) {
  try {
    WriteInOrder(drawing, writer, progress);
    return true;
  } catch (const std::bad_alloc&) {
    // Some of the elements would make the host replace the selection by
    // fewer than it had; an empty output leaves the drawing as it is.
    writer.Output().Clear();
    return false;
  }
}

}  // namespace kx27
