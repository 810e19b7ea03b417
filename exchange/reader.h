#pragma once

// Reads an exchange file into a drawing of its own.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <memory>
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

  // Empties the store for the records that follow, keeping its room; the
  // drawing state goes on.
  void ClearRecords();

 private:
  TDrawing drawing_;
  std::string token_bytes_;
  TTokenList tokens_;
  TStoredFont font_;
};

class TBatchSource;

// Reads a file a part at a time, for a caller that is done with each part's
// records before it reads on: memory then stays near the size of a part.
// The drawing state is always that of the whole file read so far.
class TExchangeStream {
 public:
  explicit TExchangeStream(const std::filesystem::path& path);
  ~TExchangeStream();
  TExchangeStream(const TExchangeStream&) = delete;
  TExchangeStream& operator=(const TExchangeStream&) = delete;

  // Reads on until the store holds at least records elements or the file has
  // ended; false once it has ended (the store may still hold the last
  // records).
  bool ReadMore(std::size_t records);

  TExchangeReader& Reader() { return reader_; }
  // kMissing or kUnreadable from the start, kStoppedEarly once reading
  // failed, kComplete otherwise.
  TReadStatus Status() const { return status_; }
  // The file's size, or 0 where it is not known.
  std::size_t FileSize() const { return file_size_; }

 private:
  TExchangeReader reader_;
  TReadStatus status_ = TReadStatus::kComplete;
  std::size_t file_size_ = 0;
  std::ifstream in_;
  std::unique_ptr<TBatchSource> batches_;
  bool ended_ = false;
};

}  // namespace kx27
