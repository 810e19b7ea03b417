// kx27c: the line-type conversion without a dialog, for scripts and tests.

#include <cstdio>
#include <new>
#include <string_view>
#include <vector>

#include "app/console/options.h"
#include "app/console/picture_run.h"
#include "app/console/run.h"
#include "kx27_version.h"

#ifdef _WIN32
#include "app/console/message.h"
#endif

namespace {

void PrintOut(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

void PrintShiftJis(std::string_view text) {
#ifdef _WIN32
  kx27::WriteShiftJisOutput(text);
#else
  PrintOut(text);
#endif
}

void PrintError(std::string_view utf8_line) {
#ifdef _WIN32
  kx27::WriteErrorLine(utf8_line);
#else
  std::fwrite(utf8_line.data(), 1, utf8_line.size(), stderr);
  std::fputc('\n', stderr);
#endif
}

int Run(std::vector<kx27::TArgument> args) {
  kx27::TConsoleOptions options;
  const std::string usage_error = kx27::ParseConsoleOptions(args, options);
  if (!usage_error.empty()) {
    PrintError(usage_error);
    return 2;
  }
  if (options.Help) {
    PrintOut(kx27::ConsoleUsage());
    return 0;
  }
  if (options.Version) {
    PrintOut("kx27c " KX27_VERSION "\n");
    return 0;
  }
  const kx27::TConsoleOutcome outcome =
      options.PictureFile ? kx27::RunPicture(options) : kx27::RunConsole(options);
  if (!outcome.Warning.empty()) PrintError(outcome.Warning);
  if (!outcome.Output.empty()) PrintShiftJis(outcome.Output);
  if (!outcome.Message.empty()) PrintError(outcome.Message);
  return outcome.ExitCode;
}

}  // namespace

// wmain on Windows, so that paths outside the ANSI code page arrive intact.
#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
#else
int main(int argc, char** argv) {
#endif
  try {
    return Run(std::vector<kx27::TArgument>(argv + (argc > 0 ? 1 : 0), argv + argc));
  } catch (const std::bad_alloc&) {
    // Before any file was touched: RunConsole answers for its own.
    PrintError("kx27c: out of memory; nothing changed");
    return 1;
  }
}
