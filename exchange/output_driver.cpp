#include "exchange/output_driver.h"

#include <cstddef>
#include <new>

#include "exchange/drawing_state.h"
#include "exchange/element_writers.h"
#include "exchange/emitters.h"
#include "exchange/line_emitters.h"
#include "exchange/output_buffer.h"

namespace kx27 {

namespace {

constexpr std::int32_t kPollInterval = 100;

// Sizes the buffer for the rest of the output from what the elements so far
// took, at a few points only: it is then copied seldom and holds little unused
// room, which matters since it is most of the memory that the run holds.
void ForecastOutput(std::int32_t done, std::int32_t total) {
  if (done != 1000 && done != 10000 && done != 100000) return;
  const double per_element = static_cast<double>(OutputBytes()) / done;
  ReserveOutput(static_cast<std::size_t>(per_element * (total - done) * 1.0625));
}

void WriteElement(const TOrderEntry& entry) {
  switch (entry.Kind) {
    case kLine: return WriteLineRec(entry.Index);
    case kCircle: return WriteCircleRec(entry.Index);
    case kArc: return WriteArcRec(entry.Index);
    case kText: return WriteTextRec(entry.Index);
    case kPoint: return WritePointRec(entry.Index);
    case kCodedPoint: return WriteCodedPointRec(entry.Index);
    case kDim: return WriteDimRec(entry.Index);
    case kSolid2:
    case kSolid3:
    case kSolid4:
    case kScSolid:
    case kSeSolid:
    case kSoSolid:
    case kSgSolid: return WriteSolidRec(entry.Kind, entry.Index);
    default: return;  // blocks are never written back
  }
}

void WriteInOrder(TWriteProgress& progress) {
  if (Drawing.BzFlag) AppendOutputLine("bz");

  const auto& order = Store.OrderList;
  const auto total = static_cast<std::int32_t>(order.size());
  // Lines read after one "pl" go back as one curve, or the host would get
  // them back as loose lines.
  std::int32_t open_curve = 0;
  for (std::int32_t i = 0; i < total; ++i) {
    if (i % kPollInterval == 0) {
      progress.Show(i + 1, total);
      if (progress.EscapeDown()) {
        ClearOutput();
        open_curve = 0;
        break;
      }
      ForecastOutput(i, total);
    }
    // The first group and layer open the output as they opened the input,
    // so that a reader of the output sees the same current layer, and a
    // second conversion writes the same closing lines.
    if (i == 0) {
      EmitGroup(Drawing.FirstGroup);
      EmitLayer(Drawing.FirstLayer);
    }
    const TOrderEntry& entry = order[static_cast<std::size_t>(i)];
    const std::int32_t curve = CurveOf(entry.Kind, entry.Index);
    if (open_curve != 0 && curve != open_curve) {
      PutCurveEnd();
      open_curve = 0;
    }
    if (curve != 0 && open_curve == 0) {
      if (WriteCurveStart(entry.Index)) open_curve = curve;
    } else {
      WriteElement(entry);
    }
  }
  if (open_curve != 0) PutCurveEnd();

  // The host keeps drawing on the group and layer that were current before.
  EmitGroup(Drawing.FirstGroup);
  EmitLayer(Drawing.FirstLayer);
}

}  // namespace

void WriteElements(TWriteProgress& progress) {
  try {
    WriteInOrder(progress);
  } catch (const std::bad_alloc&) {
    // Some of the elements would make the host replace the selection by
    // fewer than it had; an empty output leaves the drawing as it is.
    ClearOutput();
  }
}

}  // namespace kx27
