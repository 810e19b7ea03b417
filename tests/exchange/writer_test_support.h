#pragma once

// Shared by the writer tests: a clean drawing state and output, records put
// straight into the store, and the file's expected bytes.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "exchange/drawing_state.h"
#include "exchange/emitters.h"
#include "exchange/output_buffer.h"

namespace kx27::testing {

inline void ResetWriter() {
  ResetDrawingState();
  ResetOutputState();
}

// The file's bytes for lines separated by '|', each ending in CR LF; "hq"
// for none.
inline std::string FileOf(std::string_view lines) {
  if (lines.empty()) return "hq\r\n";
  std::string bytes;
  for (char c : lines) {
    if (c == '|')
      bytes.append("\r\n");
    else
      bytes.push_back(c);
  }
  return bytes + "\r\n";
}

// Calls that append to a fresh output, and the file that results.
struct TOutputCase {
  const char* name;
  std::function<void()> write;
  std::string_view lines;  // as for FileOf
};

inline void ExpectFiles(std::initializer_list<TOutputCase> cases) {
  for (const TOutputCase& c : cases) {
    ResetWriter();
    c.write();
    EXPECT_EQ(RenderOutput(), FileOf(c.lines)) << c.name;
  }
}

// Appends rec to its kind's array and to the order list.
template <typename T>
void AddRecord(std::vector<T>& records, TKind kind, const T& rec) {
  AppendOrder(kind, static_cast<std::int32_t>(records.size()));
  records.push_back(rec);
}

}  // namespace kx27::testing
