#pragma once

// The work of kx27c: read the exchange file, convert by a preset, write it.

#include <string>

#include "app/console_options.h"

namespace kx27 {

struct TConsoleOutcome {
  int ExitCode = 0;     // 0 done, 1 a file could not be read or written
  std::string Message;  // one UTF-8 line for stderr, or empty
  std::string Output;   // Shift_JIS text for stdout (--dry-run, --show-preset), or empty
};

// Runs the conversion that the options describe, or only reports what it
// would do (--dry-run) or what a preset holds (--show-preset). Changes no
// file unless it succeeds; never writes the settings file.
TConsoleOutcome RunConsole(const TConsoleOptions& options);

}  // namespace kx27
