#include "app/convert/file_conversion.h"

#include <cstddef>
#include <new>
#include <optional>

#include "app/convert/conversion.h"
#include "exchange/element_sequence.h"
#include "exchange/write_elements.h"
#include "exchange/writer.h"

namespace kx27 {

namespace {

// Records read before the first are written: by then a file has almost
// always stated the first values that the writer falls back on.
constexpr std::size_t kPartRecords = 8192;

// Nobody watches this conversion, and there is no key to abort it with.
class TSilentProgress final : public TWriteProgress {
 public:
  void Show(std::int32_t, std::int32_t) override {}
  bool EscapeDown() override { return false; }
};

// The output of the parts so far. It writes with the drawing state as it
// stood when the first part was written: a file whose later lines change a
// value the writer falls back on is written again as a whole.
class TPartWriter {
 public:
  explicit TPartWriter(std::size_t file_size) : file_size_(file_size) {}

  void Write(const TDrawing& part) {
    if (!writer_) Start(part.State);
    sequence_->Write(part.Store, 0, part.Store.OrderList.size());
  }

  // The whole output; false when it does not hold for the state the whole
  // file left.
  bool Finish(const TDrawingState& end) {
    if (!writer_) Start(end);
    if (!SameWriterFacts(state_, end)) return false;
    sequence_->Finish();
    return true;
  }

  TOutputBuffer& Output() { return writer_->Output(); }

 private:
  void Start(const TDrawingState& state) {
    state_ = state;
    writer_.emplace(state_);
    // Untouched room costs no memory; a buffer too small would be copied.
    writer_->Output().Reserve(file_size_ + file_size_ / 4);
    writer_->Output().AppendLine("hd");
    sequence_.emplace(*writer_);
    sequence_->Start();
  }

  std::size_t file_size_;
  TDrawingState state_;
  std::optional<TWriter> writer_;
  std::optional<TElementSequence> sequence_;
};

// The whole drawing read first, as the dialog reads it.
TFileConversion ConvertAsAWhole(const std::filesystem::path& exchange_file, const TPreset& preset,
                                bool dimensions) {
  TSelection selection = ReadSelection(exchange_file);
  TFileConversion result;
  result.Status = selection.Status;
  result.Problem = FindWriteBackProblem(selection);
  result.ElementsRead = static_cast<std::int64_t>(selection.Drawing.Store.OrderList.size());
  if (result.Status == TReadStatus::kMissing || result.Problem != TWriteBackProblem::kNone)
    return result;
  TWriter writer(selection.Drawing.State);
  TSilentProgress progress;
  const TConversion conversion =
      ConvertAndWrite(selection.Drawing, preset, dimensions, writer, progress);
  result.Changed = conversion.Changed;
  result.Complete = conversion.Complete;
  selection.Drawing.Store = TElementStore{};
  result.Output = std::move(writer.Output());
  return result;
}

}  // namespace

TFileConversion ConvertExchangeFile(const std::filesystem::path& exchange_file,
                                    const TPreset& preset, bool dimensions) {
  TFileConversion result;
  TExchangeStream stream(exchange_file);
  TExchangeReader& reader = stream.Reader();
  TPartWriter output(stream.FileSize());
  bool has_blocks = false;
  bool writing = true;
  for (bool more = true; more;) {
    more = stream.ReadMore(kPartRecords);
    TDrawing& part = reader.Drawing();
    result.ElementsRead += static_cast<std::int64_t>(part.Store.OrderList.size());
    has_blocks = has_blocks || !part.Store.Blocks.empty();
    if (writing && !has_blocks) {
      try {
        result.Changed += ApplyLineTypes(part, preset, dimensions);
        output.Write(part);
      } catch (const std::bad_alloc&) {
        // As after WriteElements ran out: an empty output, which leaves the
        // drawing as it is.
        writing = false;
      }
    }
    reader.ClearRecords();
  }
  result.Status = stream.Status();
  result.Problem = FindWriteBackProblem(result.Status, has_blocks);
  if (result.Status == TReadStatus::kMissing || result.Problem != TWriteBackProblem::kNone)
    return result;
  result.Complete = writing;
  if (!writing) return result;
  try {
    if (!output.Finish(reader.Drawing().State))
      return ConvertAsAWhole(exchange_file, preset, dimensions);
    result.Output = std::move(output.Output());
  } catch (const std::bad_alloc&) {
    result.Output.Clear();
    result.Complete = false;
  }
  return result;
}

}  // namespace kx27
