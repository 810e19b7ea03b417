#pragma once

// Reads an exchange file into a drawing of its own.

#include <filesystem>
#include <string>
#include <string_view>

#include "exchange/drawing.h"
#include "exchange/element_lines.h"
#include "exchange/parsed_batch.h"
#include "exchange/tokenizer.h"

namespace kx27 {

enum class TReadStatus {
  kComplete,
  kMissing,       // no file at the path
  kUnreadable,    // it could not be opened
  kStoppedEarly,  // a read error or want of memory cut it short
};

struct TExchangeRead {
  TDrawing Drawing;  // what was read, up to where reading stopped
  TReadStatus Status = TReadStatus::kComplete;
};

// The whole file; the drawing holds what was read even when reading stopped
// early.
TExchangeRead ReadExchangeFile(const std::filesystem::path& path);

// ReadExchangeFile for the bytes of a whole file.
TDrawing ReadExchangeText(std::string_view bytes);

// Applies lines one by one to a drawing of its own.
class TExchangeReader {
 public:
  // One line without its line end.
  void ParseLine(std::string_view line);
  // A line split already, or every line of a batch.
  void Apply(const TTokenList& tokens);
  void Apply(const TParsedBatch& batch);

  TDrawing& Drawing() { return drawing_; }
  const TDrawing& Drawing() const { return drawing_; }

 private:
  TDrawing drawing_;
  std::string token_bytes_;
  TTokenList tokens_;
  TStoredFont font_;
};

}  // namespace kx27
