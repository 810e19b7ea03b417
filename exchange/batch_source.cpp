#include "exchange/batch_source.h"

#include <exception>
#include <system_error>

namespace kx27 {

TBatchSource::TBatchSource(std::istream& in, std::size_t file_size) : in_(in) {
  if (file_size < kBlockSize) return;
  for (TParsedBatch& batch : batches_) free_.push_back(&batch);
  try {
    worker_ = std::thread([this] { Work(); });
  } catch (const std::system_error&) {
    // No thread to be had: the caller's thread parses as it goes.
  }
}

TBatchSource::~TBatchSource() {
  if (!worker_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

const TParsedBatch* TBatchSource::Next() {
  if (!worker_.joinable()) {
    if (last_given_) return nullptr;
    last_given_ = !Produce(batches_[0]);
    return failed_ ? nullptr : &batches_[0];
  }
  std::unique_lock lock(mutex_);
  if (applying_ != nullptr) {
    free_.push_back(applying_);
    applying_ = nullptr;
    changed_.notify_all();
  }
  changed_.wait(lock, [this] { return !parsed_.empty() || ended_; });
  if (parsed_.empty()) return nullptr;
  applying_ = parsed_.front();
  parsed_.pop_front();
  return applying_;
}

bool TBatchSource::Produce(TParsedBatch& batch) {
  try {
    char* const room = parser_.ReadRoom(batch, kBlockSize);
    in_.read(room, static_cast<std::streamsize>(kBlockSize));
    if (in_.bad()) {
      failed_ = true;
      return false;
    }
    const auto got = static_cast<std::size_t>(in_.gcount());
    const bool at_end = got < kBlockSize;
    return parser_.Parse(batch, got, at_end) && !at_end;
  } catch (const std::exception&) {
    // Out of memory: the batches parsed so far stay applied.
    failed_ = true;
    return false;
  }
}

void TBatchSource::Work() {
  for (bool more = true; more;) {
    TParsedBatch* batch;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return !free_.empty() || stopping_; });
      if (stopping_) break;
      batch = free_.front();
      free_.pop_front();
    }
    more = Produce(*batch);
    const std::lock_guard lock(mutex_);
    if (!failed_) parsed_.push_back(batch);
    changed_.notify_all();
  }
  const std::lock_guard lock(mutex_);
  ended_ = true;
  changed_.notify_all();
}

}  // namespace kx27
