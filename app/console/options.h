#pragma once

// The command line of kx27c.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "exchange/file_lock.h"

namespace kx27 {

// One argument as the system hands it over (wide on Windows).
using TArgument = std::filesystem::path::string_type;

struct TConsoleOptions {
  std::optional<std::int32_t> PresetNo;
  std::optional<std::filesystem::path> SettingsFile;
  std::optional<bool> Dimensions;
  std::optional<std::filesystem::path> OutputFile;
  std::optional<std::filesystem::path> ExchangeFile;
  bool DryRun = false;
  std::optional<std::int32_t> ShowPreset;
  // --picture: the selection as an SVG file, the exchange file untouched.
  std::optional<std::filesystem::path> PictureFile;
  bool Before = false;  // the picture shows the line types as they are now
  bool Quiet = false;
  bool Help = false;
  bool Version = false;
  // How long a conversion waits for another run that holds the file; not
  // on the command line.
  std::chrono::milliseconds LockWait = kLockWait;
};

// Reads the arguments after the program's name into options. Returns the
// one-line message of a usage error, or the empty text.
std::string ParseConsoleOptions(std::span<const TArgument> args, TConsoleOptions& options);

// The text of --help.
std::string_view ConsoleUsage();

}  // namespace kx27
