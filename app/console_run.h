#pragma once

// The work of kx27c: read the exchange file, convert by a preset, write it.

#include <string>

#include "app/console_options.h"

namespace kx27 {

struct TConsoleOutcome {
  int ExitCode = 0;     // 0 done, 1 a file could not be read or written
  std::string Message;  // one UTF-8 line for stderr, or empty
};

// Runs the conversion that the options describe. Changes no file unless it
// succeeds; never writes the settings file.
TConsoleOutcome RunConsole(const TConsoleOptions& options);

}  // namespace kx27
