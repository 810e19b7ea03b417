#pragma once

// kx27c --picture: the selection drawn into an SVG file, with the line types
// a conversion by the same options would give (or, --before, those it has).

#include "app/console/options.h"
#include "app/console/run.h"
#include "exchange/file_system.h"

namespace kx27 {

// Reads the exchange file and the settings as a conversion does and writes
// the SVG file in one step; the exchange file and the settings file are
// never written.
TConsoleOutcome RunPicture(const TConsoleOptions& options, TFileSystem& files = NativeFileSystem());

}  // namespace kx27
