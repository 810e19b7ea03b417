#include "app/progress_caption.h"

#include <charconv>

namespace kx27 {
namespace {

void AppendDecimal(std::u16string& out, std::int32_t value) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  for (const char* p = digits; p != end; ++p) out.push_back(static_cast<char16_t>(*p));
}

}  // namespace

std::u16string ProgressCaption(std::int32_t current, std::int32_t total) {
  // 処理中(ESC:中断)：
  std::u16string caption = u"\u51E6\u7406\u4E2D(ESC:\u4E2D\u65AD)\uFF1A";
  AppendDecimal(caption, current);
  caption += u'\uFF0F';  // ／
  AppendDecimal(caption, total);
  return caption;
}

}  // namespace kx27
