#include "exchange/reader.h"

#include <exception>
#include <fstream>
#include <vector>

#include "exchange/header_commands.h"
#include "text/line_splitter.h"

namespace kx27 {

namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;
constexpr char kEndOfFile = '\x1A';

// One line as the file holds it, CR LF or LF already split off: 0x1A where a
// line begins ends the file, and where it stands inside one ends the line; a
// carriage return inside a line is dropped, not kept as a break.
class TRawLines {
 public:
  explicit TRawLines(TExchangeReader& reader) : reader_(reader) {}

  bool operator()(std::string_view raw) {
    if (!raw.empty() && raw.front() == kEndOfFile) return false;
    const std::size_t eof = raw.find(kEndOfFile);
    if (eof != std::string_view::npos) raw = raw.substr(0, eof);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    if (raw.find('\r') == std::string_view::npos) {
      reader_.ParseLine(raw);
      return true;
    }
    cleaned_.clear();
    for (const char c : raw)
      if (c != '\r') cleaned_.push_back(c);
    reader_.ParseLine(cleaned_);
    return true;
  }

 private:
  TExchangeReader& reader_;
  std::string cleaned_;
};

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
  const auto file_size = static_cast<double>(std::filesystem::file_size(path, error));
  std::vector<char> block(kBlockSize);
  TLineSplitter splitter{TRawLines(reader)};
  for (std::size_t blocks = 1;; ++blocks) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    if (in.bad()) return TReadStatus::kStoppedEarly;
    const auto got = static_cast<std::size_t>(in.gcount());
    if (!splitter.Feed(std::string_view(block.data(), got))) return TReadStatus::kComplete;
    if (got < block.size()) break;
    if (blocks == 1 && !error && file_size > 4.0 * kBlockSize)
      ReserveLikeTheStart(reader.Drawing().Store, 1.1 * file_size / kBlockSize);
  }
  splitter.Finish();
  return TReadStatus::kComplete;
}

}  // namespace

void TExchangeReader::ParseLine(std::string_view line) {
  SplitTokens(line, token_bytes_, tokens_);
  if (tokens_.Count == 1 && tokens_.Token[0].empty()) return;
  if (!ApplyCommandLine(tokens_, drawing_.State)) ApplyElementLine(tokens_, drawing_, font_);
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
  TLineSplitter splitter{TRawLines(reader)};
  if (splitter.Feed(bytes)) splitter.Finish();
  return std::move(reader.Drawing());
}

}  // namespace kx27
