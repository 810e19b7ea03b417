#pragma once

#include <cstddef>
#include <cstdint>

#include "exchange/drawing.h"
#include "exchange/writer.h"

namespace kx27 {

// What the caller of WriteElements shows and answers every 100 elements.
class TWriteProgress {
 public:
  virtual ~TWriteProgress() = default;
  // current runs from 1 (before the first element) in steps of about 100.
  virtual void Show(std::int32_t current, std::int32_t total) = 0;
  // Whether the user is holding Escape now.
  virtual bool EscapeDown() = 0;
};

// Writes every element of the drawing in input order to the writer's
// output: "bz" first when the input held it, the first group and layer
// before the first element and restated at the end. Escape empties the
// output and ends the loop. False when memory ran out: the output is then
// empty too, and nothing more is appended. A large drawing is written in two
// halves, the second on a second thread.
bool WriteElements(const TDrawing& drawing, TWriter& writer, TWriteProgress& progress);

// The elements of a drawing written in pieces, in input order, as
// WriteElements writes them: Start, Write each piece, then Finish. A curve
// open at the end of one piece goes on in the next.
class TElementSequence {
 public:
  explicit TElementSequence(TWriter& writer) : w_(writer) {}

  // "bz" when the input held it.
  void Start();
  // The elements that entries [from, to) of the store's order list name.
  void Write(const TElementStore& store, std::size_t from, std::size_t to);
  // Ends an open curve and restates the first group and layer.
  void Finish();
  // Forgets an open curve, after its lines were emptied out of the output.
  void Drop() { open_curve_ = 0; }
  // Goes on where other stands, whose writer wrote the elements before.
  void ContinueFrom(const TElementSequence& other) {
    open_curve_ = other.open_curve_;
    started_ = other.started_;
  }

 private:
  TWriter& w_;
  // Lines read after one "pl" go back as one curve, or the host would get
  // them back as loose lines.
  std::int32_t open_curve_ = 0;
  bool started_ = false;
};

}  // namespace kx27
