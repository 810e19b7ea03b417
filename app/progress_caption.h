#pragma once

#include <cstdint>
#include <string>

namespace kx27 {

// "処理中(ESC:中断)：current／total", the text the dialog shows while it
// writes the elements. UTF-16, so that the window can show it as it is.
std::u16string ProgressCaption(std::int32_t current, std::int32_t total);

}  // namespace kx27
