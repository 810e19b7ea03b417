#pragma once

// The streaming write: a drawing's elements a piece at a time, in input
// order, which the whole-drawing write and the console's part by part
// conversion are both made of.

#include <cstddef>
#include <cstdint>

#include "exchange/element_store.h"
#include "exchange/writer.h"

namespace kx27 {

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
