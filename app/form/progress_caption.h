#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/presets/settings_file.h"

namespace kx27 {

// "処理中(ESC:中断)：current／total", the text the dialog shows while it
// writes the elements. UTF-16, so that the window can show it as it is.
std::u16string ProgressCaption(std::int32_t current, std::int32_t total);

// What the dialog's status line says when the settings file named file_name
// was cut short or could not be read; empty when there is nothing to say (a
// missing file is the first run).
std::u16string SettingsWarningCaption(TLoadResult result, std::u16string_view file_name);

}  // namespace kx27
