#include "exchange/reader.h"

#include <exception>
#include <fstream>
#include <vector>

#include "exchange/batch_source.h"
#include "exchange/header_commands.h"
#include "exchange/line_cutter.h"

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

TReadStatus ReadInto(const std::filesystem::path& path, TExchangeReader& reader) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return TReadStatus::kMissing;
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return TReadStatus::kUnreadable;
  const std::uintmax_t file_size = std::filesystem::file_size(path, error);
  TBatchSource batches(in, error ? 0 : static_cast<std::size_t>(file_size));
  for (std::size_t count = 1; const TParsedBatch* batch = batches.Next(); ++count) {
    reader.Apply(*batch);
    constexpr double kBlock = TBatchSource::kBlockSize;
    if (count == 1 && !error && static_cast<double>(file_size) > 4.0 * kBlock)
      ReserveLikeTheStart(reader.Drawing().Store, 1.1 * static_cast<double>(file_size) / kBlock);
  }
  return batches.Failed() ? TReadStatus::kStoppedEarly : TReadStatus::kComplete;
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

TExchangeRead ReadExchangeFile(const std::filesystem::path& path) {
  TExchangeReader reader;
  TReadStatus status;
  try {
    status = ReadInto(path, reader);
  } catch (...) {
    // Out of memory or a failed read: what was applied so far stays.
    status = TReadStatus::kStoppedEarly;
  }
  return TExchangeRead{std::move(reader.Drawing()), status};
}

TDrawing ReadExchangeText(std::string_view bytes) {
  TExchangeReader reader;
  TLineCutter cutter;
  cutter.Cut(bytes.data(), bytes.data() + bytes.size(), true,
             [&reader](std::string_view line) { reader.ParseLine(line); });
  return std::move(reader.Drawing());
}

}  // namespace kx27
