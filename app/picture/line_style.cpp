#include "app/picture/line_style.h"

namespace kx27 {

TLineTypePattern PictureLinePattern(std::int32_t line_type) {
  TLineTypePattern pattern = LineTypePattern(line_type);
  if (pattern.Style == TSampleStyle::kNone || pattern.Style == TSampleStyle::kUserDefined)
    return {TSampleStyle::kDashes, {}, 0};
  return pattern;
}

}  // namespace kx27
