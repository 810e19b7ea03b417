#pragma once

// Whether a progress display is due for a repaint: a label repainted for
// every step costs more than the work it reports, so it is repainted at
// most once per interval.

#include <chrono>
#include <optional>

namespace kx27 {

class TRepaintPacer {
 public:
  using TClock = std::chrono::steady_clock;

  explicit TRepaintPacer(TClock::duration interval = std::chrono::milliseconds(50))
      : interval_(interval) {}

  // True for the first call and then once the interval has passed since the
  // last true; a true counts as the repaint done.
  bool Due(TClock::time_point now);

 private:
  TClock::duration interval_;
  std::optional<TClock::time_point> last_;
};

}  // namespace kx27
