#include "app/form/repaint_pacer.h"

namespace kx27 {

bool TRepaintPacer::Due(TClock::time_point now) {
  if (last_ && now - *last_ < interval_) return false;
  last_ = now;
  return true;
}

}  // namespace kx27
