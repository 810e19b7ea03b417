#include "exchange/reader.h"

#include <cstdint>
#include <exception>
#include <fstream>

#include "exchange/batch_source.h"
#include "exchange/header_commands.h"
#include "text/line_cutter.h"

namespace kx27 {

namespace {

// The rest of a file tends to hold its elements in the proportions of its
// start. Giving every array the size the whole file will probably need
// spares the copies and the fresh pages of each doubling; a wrong guess only
// costs capacity, bounded by the file's size.
void ReserveLikeTheStart(TElementStore& s, double factor) {
  const auto grow = [factor](auto& array) {
    array.reserve(static_cast<std::size_t>(static_cast<double>(array.size()) * factor));
  };
  try {
    grow(s.OrderList);
    grow(s.Lines);
    grow(s.Circles);
    grow(s.Arcs);
    grow(s.Texts);
    grow(s.Points);
    grow(s.CodedPoints);
    grow(s.Dims);
    grow(s.Blocks);
    grow(s.Solid2s);
    grow(s.Solid3s);
    grow(s.Solid4s);
    grow(s.ScSolids);
    grow(s.SeSolids);
    grow(s.SoSolids);
    grow(s.SgSolids);
    grow(s.Chars);
  } catch (const std::exception&) {
    // Only a hint: the arrays still grow as they fill.
  }
}

TReadStatus ReadInto(TExchangeStream& stream) {
  if (stream.Status() != TReadStatus::kComplete) return stream.Status();
  constexpr double kBlock = TBatchSource::kBlockSize;
  const auto file_size = static_cast<double>(stream.FileSize());
  if (stream.ReadMore(1) && file_size > 4.0 * kBlock)
    ReserveLikeTheStart(stream.Reader().Drawing().Store, 1.1 * file_size / kBlock);
  stream.ReadMore(SIZE_MAX);
  return stream.Status();
}

}  // namespace

void TExchangeReader::ParseLine(std::string_view line) {
  SplitTokens(line, token_bytes_, tokens_);
  tokens_.ParsedMask = 0;
  if (tokens_.Count == 1 && tokens_.Token[0].empty()) return;
  Apply(tokens_);
}

void TExchangeReader::Apply(const TTokenList& tokens) {
  if (!ApplyCommandLine(tokens, drawing_.State)) ApplyElementLine(tokens, drawing_, font_);
}

void TExchangeReader::Apply(const TParsedBatch& batch) {
  for (const TParsedLine& line : batch.Lines) {
    batch.Get(line, tokens_);
    Apply(tokens_);
  }
}

void TExchangeReader::ClearRecords() {
  TElementStore& store = drawing_.Store;
  const auto clear = [](auto& array) { array.clear(); };
  clear(store.OrderList);
  clear(store.Lines);
  clear(store.Circles);
  clear(store.Arcs);
  clear(store.Texts);
  clear(store.Points);
  clear(store.CodedPoints);
  clear(store.Dims);
  clear(store.Blocks);
  clear(store.Solid2s);
  clear(store.Solid3s);
  clear(store.Solid4s);
  clear(store.ScSolids);
  clear(store.SeSolids);
  clear(store.SoSolids);
  clear(store.SgSolids);
  clear(store.Chars);
  // The font's stored bytes went with the text arena.
  font_ = TStoredFont{};
}

TExchangeStream::TExchangeStream(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    status_ = TReadStatus::kMissing;
    return;
  }
  in_.open(path, std::ios::binary);
  if (!in_.is_open()) {
    status_ = TReadStatus::kUnreadable;
    return;
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  file_size_ = error ? 0 : static_cast<std::size_t>(size);
  try {
    batches_ = std::make_unique<TBatchSource>(in_, file_size_);
  } catch (const std::exception&) {
    status_ = TReadStatus::kStoppedEarly;
  }
}

TExchangeStream::~TExchangeStream() = default;

bool TExchangeStream::ReadMore(std::size_t records) {
  if (ended_ || status_ != TReadStatus::kComplete) return false;
  try {
    while (reader_.Drawing().Store.OrderList.size() < records) {
      const TParsedBatch* batch = batches_->Next();
      if (batch == nullptr) {
        ended_ = true;
        if (batches_->Failed()) status_ = TReadStatus::kStoppedEarly;
        break;
      }
      reader_.Apply(*batch);
    }
  } catch (...) {
    // Out of memory: what was applied so far stays.
    ended_ = true;
    status_ = TReadStatus::kStoppedEarly;
  }
  return !ended_;
}

TExchangeRead ReadExchangeFile(const std::filesystem::path& path) {
  TExchangeStream stream(path);
  const TReadStatus status = ReadInto(stream);
  return TExchangeRead{std::move(stream.Reader().Drawing()), status};
}

TDrawing ReadExchangeText(std::string_view bytes) {
  TExchangeReader reader;
  TLineCutter cutter(TEndMark::kEndsTextOrLine);
  cutter.Cut(bytes.data(), bytes.data() + bytes.size(), true,
             [&reader](std::string_view line) { reader.ParseLine(line); });
  return std::move(reader.Drawing());
}

}  // namespace kx27
