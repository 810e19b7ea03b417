#include "exchange/parsed_batch.h"

#include <algorithm>

namespace kx27 {

namespace {

// Whether a token may be a number: cheap to ask, and most tokens that are
// not start with a letter.
bool MayBeReal(std::string_view token) {
  if (token.empty()) return false;
  const char c = token.front();
  return (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool Views(std::string_view text, std::string_view token) {
  return token.data() >= text.data() && token.data() <= text.data() + text.size();
}

}  // namespace

void TParsedBatch::Get(const TParsedLine& line, TTokenList& tokens) const {
  const std::string_view* token = Tokens.data() + line.FirstToken;
  std::copy(token, token + line.Count, tokens.Token.begin());
  tokens.Line = line.Line;
  tokens.Count = line.Count;
  tokens.ParsedMask = line.ParsedMask;
  tokens.Reals = Reals.data() + line.FirstReal;
}

char* TBatchParser::ReadRoom(TParsedBatch& batch, std::size_t block_size) {
  batch.Copies.clear();
  batch.Tokens.clear();
  batch.Reals.clear();
  batch.Lines.clear();
  batch.Bytes.resize(carried_.size() + block_size);
  std::copy(carried_.begin(), carried_.end(), batch.Bytes.begin());
  return batch.Bytes.data() + carried_.size();
}

bool TBatchParser::Parse(TParsedBatch& batch, std::size_t bytes_read, bool at_end) {
  const char* const begin = batch.Bytes.data();
  const char* const end = begin + carried_.size() + bytes_read;
  const char* const rest =
      cutter_.Cut(begin, end, at_end, [&](std::string_view line) { AddLine(batch, line); });
  if (rest == nullptr) return false;
  carried_.assign(rest, end);
  return true;
}

void TBatchParser::AddLine(TParsedBatch& batch, std::string_view line) {
  // A line the cutter cleaned stands in its own buffer, which the next such
  // line reuses.
  if (!Views(std::string_view(batch.Bytes.data(), batch.Bytes.size()), line))
    line = batch.Copies.emplace_back(line);
  SplitTokens(line, scratch_, tokens_);
  if (tokens_.Count == 1 && tokens_.Token[0].empty()) return;
  // Tokens with dropped bytes view the scratch buffer, which the next line
  // reuses.
  if (!Views(line, tokens_.Token[0])) {
    const std::string& copy = batch.Copies.emplace_back(scratch_.data(), line.size());
    for (int i = 0; i < tokens_.Count; ++i) {
      std::string_view& token = tokens_.Token[i];
      token = std::string_view(copy.data() + (token.data() - scratch_.data()), token.size());
    }
  }
  TParsedLine parsed;
  parsed.Line = line;
  parsed.FirstToken = static_cast<std::uint32_t>(batch.Tokens.size());
  parsed.FirstReal = static_cast<std::uint32_t>(batch.Reals.size());
  parsed.Count = tokens_.Count;
  batch.Tokens.insert(batch.Tokens.end(), tokens_.Token.begin(),
                      tokens_.Token.begin() + tokens_.Count);
  const int reals = std::min(tokens_.Count, kParsedReals);
  for (int i = 0; i < reals; ++i) {
    const std::string_view token = tokens_.Token[i];
    if (MayBeReal(token)) {
      batch.Reals.push_back(TextToReal(token));
      parsed.ParsedMask |= 1u << i;
    } else {
      batch.Reals.push_back(0.0);
    }
  }
  batch.Lines.push_back(parsed);
}

}  // namespace kx27
