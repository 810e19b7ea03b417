#include "exchange/output_driver.h"

#include <cstddef>

#include "exchange/drawing_state.h"
#include "exchange/element_writers.h"
#include "exchange/emitters.h"
#include "exchange/output_buffer.h"

namespace kx27 {

namespace {

constexpr std::int32_t kPollInterval = 100;

// About what a plain element line with its share of attribute lines takes;
// most drawings then fill the buffer without regrowing it.
constexpr std::size_t kBytesPerElement = 48;

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

}  // namespace

void WriteElements(TWriteProgress& progress) {
  if (Drawing.BzFlag) AppendOutputLine("bz");

  const auto& order = Store.OrderList;
  const auto total = static_cast<std::int32_t>(order.size());
  ReserveOutput(order.size() * kBytesPerElement);
  for (std::int32_t i = 0; i < total; ++i) {
    if (i % kPollInterval == 0) {
      progress.Show(i + 1, total);
      if (progress.EscapeDown()) {
        ClearOutput();
        break;
      }
    }
    WriteElement(order[static_cast<std::size_t>(i)]);
  }

  // The host keeps drawing on the group and layer that were current before.
  EmitGroup(Drawing.FirstGroup);
  EmitLayer(Drawing.FirstLayer);
}

}  // namespace kx27
