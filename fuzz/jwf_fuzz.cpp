// Any bytes as an environment file: every row it gives holds 16 decimal
// numbers that the grid reads back as they stand.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/presets/jwf_import.h"
#include "fuzz/fuzz_check.h"
#include "text/conversions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const kx27::TJwfRows rows =
      kx27::ParseJwf(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const auto& row : rows) {
    if (!row) continue;
    for (const std::string& cell : *row) FUZZ_CHECK(std::to_string(kx27::TextToInt(cell)) == cell);
  }
  return 0;
}
