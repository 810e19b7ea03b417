#include "exchange/write_elements.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "exchange/element_sequence.h"

namespace kx27 {

namespace {

constexpr std::size_t kPollInterval = 100;
// Below this many elements a second thread costs more than it saves.
constexpr std::size_t kHalvesFrom = 20000;

// Sizes the buffer for the rest of the output from what the elements so far
// took, at a few points only: it is then copied seldom and holds little unused
// room, which matters since it is most of the memory that the run holds.
void ForecastOutput(TOutputBuffer& output, std::size_t done, std::size_t total) {
  if (done != 1000 && done != 10000 && done != 100000) return;
  const double per_element = static_cast<double>(output.Size()) / static_cast<double>(done);
  output.Reserve(
      static_cast<std::size_t>(per_element * static_cast<double>(total - done) * 1.0625));
}

// The second half of a drawing, written on its own thread into its own
// writer: a tracking pass over the first half tells which attributes the
// output states where the half begins, and whether a curve is open there.
class TSecondHalf {
 public:
  TSecondHalf(const TDrawing& drawing, std::size_t begin)
      : drawing_(drawing), begin_(begin), writer_(drawing.State), sequence_(writer_) {}

  void Run() {
    try {
      Write();
    } catch (const std::bad_alloc&) {
      failed_ = true;
    }
    const std::lock_guard lock(mutex_);
    finished_ = true;
    ended_.notify_all();
  }

  // Asks the thread to stop at its next poll.
  void Stop() { stopping_ = true; }
  // Waits up to a while for the thread to end; true once it has.
  bool WaitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return ended_.wait_for(lock, timeout, [this] { return finished_; });
  }
  std::size_t Done() const { return done_; }

  // Once the thread has ended.
  bool Failed() const { return failed_; }
  bool Complete() const { return complete_; }
  TWriter& Writer() { return writer_; }
  TElementSequence& Sequence() { return sequence_; }

 private:
  void Write() {
    const TElementStore& store = drawing_.Store;
    TWriter tracking = TWriter::Tracking(drawing_.State);
    TElementSequence ahead(tracking);
    for (std::size_t i = 0; i < begin_; i += kPollInterval) {
      if (stopping_) return;
      ahead.Write(store, i, std::min(i + kPollInterval, begin_));
      tracking.Output().Rewind();
    }
    writer_.ContinueFrom(tracking);
    sequence_.ContinueFrom(ahead);
    const std::size_t total = store.OrderList.size();
    for (std::size_t i = begin_; i < total; i += kPollInterval) {
      if (stopping_) return;
      ForecastOutput(writer_.Output(), i - begin_, total - begin_);
      sequence_.Write(store, i, std::min(i + kPollInterval, total));
      done_ = i + kPollInterval - begin_;
    }
    sequence_.Finish();
    complete_ = true;
  }

  const TDrawing& drawing_;
  const std::size_t begin_;
  TWriter writer_;
  TElementSequence sequence_;
  std::atomic<bool> stopping_ = false;
  std::atomic<std::size_t> done_ = 0;
  bool failed_ = false;
  bool complete_ = false;
  std::mutex mutex_;
  std::condition_variable ended_;
  bool finished_ = false;
};

// Shows the progress and reads Escape; true when the user wants to stop.
bool Poll(TWriteProgress& progress, std::size_t done, std::size_t total) {
  progress.Show(static_cast<std::int32_t>(done + 1), static_cast<std::int32_t>(total));
  return progress.EscapeDown();
}

void WriteInOneThread(const TDrawing& drawing, TWriter& w, TWriteProgress& progress) {
  const std::size_t total = drawing.Store.OrderList.size();
  TElementSequence sequence(w);
  sequence.Start();
  for (std::size_t i = 0; i < total; i += kPollInterval) {
    if (Poll(progress, i, total)) {
      w.Output().Clear();
      sequence.Drop();
      break;
    }
    ForecastOutput(w.Output(), i, total);
    sequence.Write(drawing.Store, i, std::min(i + kPollInterval, total));
  }
  sequence.Finish();
}

// Escape answered while the second half was written: the output ends where
// the writer that was working stood, as after Escape in one thread.
void EndAfterLateEscape(TSecondHalf& second, TElementSequence& first, TWriter& w) {
  const bool second_began = second.Done() > 0;
  TWriter& writer = second_began ? second.Writer() : w;
  TElementSequence& sequence = second_began ? second.Sequence() : first;
  writer.Output().Clear();
  sequence.Drop();
  sequence.Finish();
  if (second_began) {
    w.Output().Clear();
    w.Output().AppendLines(writer.Output());
  }
}

void WriteInTwoHalves(const TDrawing& drawing, TWriter& w, TWriteProgress& progress) {
  const std::size_t total = drawing.Store.OrderList.size();
  // The second thread has the tracking pass to do as well.
  const std::size_t half = (total / 2 + total / 32) / kPollInterval * kPollInterval;
  TSecondHalf second(drawing, half);
  std::thread thread;
  try {
    thread = std::thread([&second] { second.Run(); });
  } catch (const std::system_error&) {
    WriteInOneThread(drawing, w, progress);
    return;
  }
  TElementSequence sequence(w);
  bool escaped = false;
  bool escaped_late = false;
  try {
    sequence.Start();
    for (std::size_t i = 0; i < half; i += kPollInterval) {
      escaped = Poll(progress, i + second.Done(), total);
      if (escaped) break;
      ForecastOutput(w.Output(), i, total);
      sequence.Write(drawing.Store, i, i + kPollInterval);
    }
    // Escape stays answered while the second half is still being written.
    while (!escaped && !escaped_late && !second.WaitFor(std::chrono::milliseconds(20)))
      escaped_late = Poll(progress, half + second.Done(), total);
  } catch (...) {
    second.Stop();
    thread.join();
    throw;
  }
  second.Stop();
  thread.join();
  if (second.Failed()) throw std::bad_alloc();
  if (escaped) {
    w.Output().Clear();
    sequence.Drop();
    sequence.Finish();
  } else if (escaped_late) {
    EndAfterLateEscape(second, sequence, w);
  } else {
    w.Output().AppendLines(second.Writer().Output());
  }
}

}  // namespace

bool WriteElements(const TDrawing& drawing, TWriter& writer, TWriteProgress& progress) {
  try {
    if (drawing.Store.OrderList.size() < kHalvesFrom)
      WriteInOneThread(drawing, writer, progress);
    else
      WriteInTwoHalves(drawing, writer, progress);
    return true;
  } catch (const std::bad_alloc&) {
    // Some of the elements would make the host replace the selection by
    // fewer than it had; an empty output leaves the drawing as it is.
    writer.Output().Clear();
    return false;
  }
}

}  // namespace kx27
