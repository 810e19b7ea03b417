#pragma once

// What the picture benchmarks share: options that give every layer a line
// type, and the fastest of five runs.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>

#include "app/picture/picture.h"

namespace kx27::bench {

// Dimension lines convert too, as the benchmarks' settings file has it.
inline TPictureOptions EveryLayerConverted() {
  TPictureOptions options;
  for (std::size_t i = 0; i < options.Values.size(); ++i)
    options.Values[i] = static_cast<std::int32_t>(i % 9 + 1);
  options.Dimensions = true;
  return options;
}

inline double BestMs(const std::function<void()>& run) {
  double best = 1e300;
  for (int i = 0; i < 5; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    best = std::min(
        best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                  .count());
  }
  return best;
}

}  // namespace kx27::bench
