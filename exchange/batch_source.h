#pragma once

// The batches of one exchange file in order, parsed on a second thread while
// the caller applies the batch before: the cutting, splitting and parsing of
// numbers, most of a read's work, then runs beside the rest.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <istream>
#include <mutex>
#include <thread>

#include "exchange/parsed_batch.h"

namespace kx27 {

class TBatchSource {
 public:
  // Reads from in, which must outlive this. A file of one block at most is
  // parsed on the caller's thread: a thread would cost more than it saves.
  TBatchSource(std::istream& in, std::size_t file_size);
  ~TBatchSource();
  TBatchSource(const TBatchSource&) = delete;
  TBatchSource& operator=(const TBatchSource&) = delete;

  // The next batch, valid until the next call; null once the file has
  // ended, or reading failed.
  const TParsedBatch* Next();

  // Whether a read error or want of memory cut the file short.
  bool Failed() const { return failed_; }

  static constexpr std::size_t kBlockSize = std::size_t{1} << 18;

 private:
  // Parses the next block into batch; false once there is no block after it.
  bool Produce(TParsedBatch& batch);
  void Work();

  std::istream& in_;
  TBatchParser parser_;
  bool failed_ = false;

  // Batches go round: parsed by the worker, applied by the caller, then
  // free for the worker again.
  static constexpr int kBatches = 3;
  TParsedBatch batches_[kBatches];
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<TParsedBatch*> free_;
  std::deque<TParsedBatch*> parsed_;
  TParsedBatch* applying_ = nullptr;
  bool ended_ = false;     // the worker parses no more
  bool stopping_ = false;  // the caller wants no more
  std::thread worker_;
  bool last_given_ = false;  // on the caller's thread: the last batch was given
};

}  // namespace kx27
