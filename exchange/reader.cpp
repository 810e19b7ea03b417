#include "exchange/reader.h"

#include <cstring>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

#include "exchange/drawing_state.h"
#include "exchange/element_lines.h"
#include "exchange/header_commands.h"
#include "exchange/tokenizer.h"

namespace kx27 {

namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;
constexpr char kEndOfFile = '\x1A';

std::string g_token_bytes;
TTokenList g_tokens;

// Cuts the file's bytes into lines and hands each to ParseLine. A line that
// runs across blocks is gathered in pending; a line that ends in its block is
// parsed where it stands.
class TLineSplitter {
 public:
  // False once a line began with 0x1A: the rest of the file is not read.
  bool Feed(const char* data, std::size_t size) {
    const char* const end = data + size;
    while (data != end) {
      const auto* lf = static_cast<const char*>(std::memchr(data, '\n', end - data));
      if (lf == nullptr) {
        pending_.append(data, end);
        return true;
      }
      bool go_on;
      if (pending_.empty()) {
        go_on = Line(std::string_view(data, lf - data));
      } else {
        pending_.append(data, lf);
        go_on = Line(pending_);
        pending_.clear();
      }
      if (!go_on) return false;
      data = lf + 1;
    }
    return true;
  }

  // The last line of a file that does not end in a line feed.
  void Finish() {
    if (pending_.empty()) return;
    Line(pending_);
    pending_.clear();
  }

 private:
  bool Line(std::string_view raw) {
    if (!raw.empty() && raw.front() == kEndOfFile) return false;
    const std::size_t eof = raw.find(kEndOfFile);
    if (eof != std::string_view::npos) raw = raw.substr(0, eof);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    if (raw.find('\r') == std::string_view::npos) {
      ParseLine(raw);
      return true;
    }
    // A carriage return inside a line is dropped, not kept as a break.
    cleaned_.clear();
    for (const char c : raw)
      if (c != '\r') cleaned_.push_back(c);
    ParseLine(cleaned_);
    return true;
  }

  std::string pending_;
  std::string cleaned_;
};

// The rest of a file tends to hold its elements in the proportions of its
// start. Giving every array the size the whole file will probably need
// spares the copies and the fresh pages of each doubling; a wrong guess only
// costs capacity, bounded by the file's size.
void ReserveLikeTheStart(double factor) {
  const auto grow = [factor](auto& array) {
    array.reserve(static_cast<std::size_t>(static_cast<double>(array.size()) * factor));
  };
  try {
    TElementStore& s = Store;
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

}  // namespace

void ParseLine(std::string_view line) {
  SplitTokens(line, g_token_bytes, g_tokens);
  if (g_tokens.Count == 1 && g_tokens.Token[0].empty()) return;
  if (!ApplyCommandLine(g_tokens)) ApplyElementLine(g_tokens);
}

bool ReadExchangeFile(const std::filesystem::path& path) {
  try {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return false;
    std::error_code error;
    const auto file_size = static_cast<double>(std::filesystem::file_size(path, error));
    std::vector<char> block(kBlockSize);
    TLineSplitter splitter;
    for (std::size_t blocks = 1;; ++blocks) {
      in.read(block.data(), static_cast<std::streamsize>(block.size()));
      if (in.bad()) return false;
      const auto got = static_cast<std::size_t>(in.gcount());
      if (!splitter.Feed(block.data(), got)) return true;
      if (got < block.size()) break;
      if (blocks == 1 && !error && file_size > 4.0 * kBlockSize)
        ReserveLikeTheStart(1.1 * file_size / kBlockSize);
    }
    splitter.Finish();
    return true;
  } catch (...) {
    // Out of memory or a failed read: what was applied so far stays.
    return false;
  }
}

}  // namespace kx27
