#pragma once

// Shared by the writer tests: a clean drawing state and output, records put
// straight into the store, and the file's expected bytes.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "exchange/drawing_state.h"
#include "exchange/emitters.h"
#include "exchange/output_buffer.h"

namespace kx27::testing {

class WriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDrawingState();
    ResetOutputState();
  }
  void TearDown() override { ResetDrawingState(); }
};

// Each line followed by CR LF, as the file holds them.
inline std::string FileLines(std::initializer_list<std::string_view> lines) {
  std::string bytes;
  for (std::string_view line : lines) bytes.append(line).append("\r\n");
  return bytes;
}

// Appends rec to its kind's array and to the order list.
template <typename T>
void AddRecord(std::vector<T>& records, TKind kind, const T& rec) {
  AppendOrder(kind, static_cast<std::int32_t>(records.size()));
  records.push_back(rec);
}

}  // namespace kx27::testing
