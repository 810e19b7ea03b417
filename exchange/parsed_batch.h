#pragma once

// Lines of an exchange file cut, split into tokens and with their numbers
// parsed, a block of the file at a time, ready for the reader to apply. A
// batch owns every byte its tokens view, so that it can be made on one thread
// and applied on another.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/tokenizer.h"
#include "text/line_cutter.h"

namespace kx27 {

struct TParsedLine {
  std::string_view Line;
  std::uint32_t FirstToken = 0;
  std::uint32_t FirstReal = 0;
  std::uint32_t ParsedMask = 0;
  std::int32_t Count = 0;
};

struct TParsedBatch {
  // The file's bytes that the lines stand in.
  std::vector<char> Bytes;
  // Lines and tokens that had bytes dropped, which the block does not hold.
  std::deque<std::string> Copies;
  std::vector<std::string_view> Tokens;
  std::vector<double> Reals;
  // Lines without any token are left out.
  std::vector<TParsedLine> Lines;

  // Fills tokens with the line's tokens and reals.
  void Get(const TParsedLine& line, TTokenList& tokens) const;
};

// Cuts one block after another into lines and parses them into batches. A
// line that runs past its block is carried over into the next batch.
class TBatchParser {
 public:
  // Room for a block of the file behind the carried bytes; read into
  // ReadRoom(), then Parse the bytes read.
  char* ReadRoom(TParsedBatch& batch, std::size_t block_size);

  // Parses the carried bytes and the block read: every whole line, and with
  // at_end the last one too. False once the file has ended at 0x1A.
  bool Parse(TParsedBatch& batch, std::size_t bytes_read, bool at_end);

 private:
  void AddLine(TParsedBatch& batch, std::string_view line);

  // An exchange file ends at 0x1A, as the host writes it.
  TLineCutter cutter_{TEndMark::kEndsTextOrLine};
  std::string carried_;
  std::string scratch_;
  TTokenList tokens_;
};

}  // namespace kx27
