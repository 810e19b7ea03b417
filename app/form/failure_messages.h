#pragma once

// What the dialog tells the user when OK, or an import, cannot do what was
// asked: what did not happen, and why, in plain Japanese. UTF-16, so that the
// window shows it as it is.

#include <string>
#include <string_view>

#include "app/convert/selection.h"
#include "exchange/replace_file.h"

namespace kx27 {

// The exchange file (file_name) could not take the answer; the drawing stays.
std::u16string AnswerFailureMessage(TAnswer answer, std::u16string_view file_name);

// The settings file (file_name) could not be saved; the presets edited since
// the dialog opened are not in it.
std::u16string SettingsSaveFailureMessage(TReplaceResult result, std::u16string_view file_name);

// Why OK leaves the drawing as it is, at length for a message box; empty for
// kNone.
std::u16string WriteBackRefusalMessage(TWriteBackProblem problem);

// The same in a few words, for the status line and the OK button's tooltip,
// said as soon as the dialog opens; empty for kNone.
std::u16string WriteBackRefusalStatus(TWriteBackProblem problem);

// An environment file (file_name) without any usable "LAYTYP_" row.
std::u16string JwfWithoutRowsMessage(std::u16string_view file_name);

}  // namespace kx27
