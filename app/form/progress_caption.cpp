#include "app/form/progress_caption.h"

#include "text/number_format.h"

namespace kx27 {
namespace {

void AppendDecimal(std::u16string& out, std::int32_t value) {
  for (const char digit : IntToText(value)) out.push_back(static_cast<char16_t>(digit));
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

std::u16string SettingsWarningCaption(TLoadResult result, std::u16string_view file_name) {
  switch (result) {
    case TLoadResult::kTruncated:
      return u"設定ファイル " + std::u16string(file_name) +
             u" が途中で切れています（欠けた値は 0）";
    case TLoadResult::kUnreadable:
      return u"設定ファイル " + std::u16string(file_name) + u" を最後まで読めませんでした";
    case TLoadResult::kLoaded:
    case TLoadResult::kMissing: break;
  }
  return {};
}

}  // namespace kx27
