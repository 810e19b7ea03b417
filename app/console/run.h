#pragma once

// The work of kx27c: read the exchange file, convert by a preset, write it.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/console/options.h"
#include "app/presets/settings_file.h"
#include "exchange/file_system.h"

namespace kx27 {

struct TConsoleOutcome {
  int ExitCode = 0;     // 0 done, 1 nothing changed: a file could not be
                        // read, locked or written, or memory ran out
  std::string Message;  // one UTF-8 line for stderr, or empty
  std::string Output;   // Shift_JIS text for stdout (--dry-run, --show-preset), or empty
  std::string Warning;  // one UTF-8 line for stderr before Message, or empty
};

// Runs the conversion that the options describe, holding the lock on the file
// it replaces from reading to writing, or only reports what it would do
// (--dry-run) or what a preset holds (--show-preset). Changes no file unless
// it succeeds; never writes the settings file.
TConsoleOutcome RunConsole(const TConsoleOptions& options, TFileSystem& files = NativeFileSystem());

// Exit 1 with the line "kx27c: FILE: reason".
TConsoleOutcome ConsoleFailure(const std::filesystem::path& file, std::string_view reason);

// What a settings file that did not load means for the run: a failure, or a
// warning beside the result. A file cut short fails a conversion, whose
// layers would stay unconverted; a report only says so.
std::optional<TConsoleOutcome> ConsoleSettingsFailure(const TConsoleOptions& options,
                                                      const std::filesystem::path& settings_file,
                                                      TLoadResult result, bool converts,
                                                      std::string& warning);

}  // namespace kx27
