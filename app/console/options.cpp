#include "app/console/options.h"

namespace kx27 {
namespace {

// Options are ASCII, so comparing character by character serves narrow and
// wide arguments alike.
bool Is(const TArgument& arg, std::string_view ascii) {
  if (arg.size() != ascii.size()) return false;
  for (std::size_t i = 0; i < arg.size(); ++i)
    if (arg[i] != static_cast<TArgument::value_type>(ascii[i])) return false;
  return true;
}

std::string Quoted(const TArgument& arg) {
  const std::u8string utf8 = std::filesystem::path(arg).u8string();
  std::string quoted(1, '\'');
  quoted.append(utf8.begin(), utf8.end());
  quoted += '\'';
  return quoted;
}

// 1..20 written in decimal digits only; nothing otherwise.
std::optional<std::int32_t> PresetNumber(const TArgument& arg) {
  if (arg.empty() || arg.size() > 2) return std::nullopt;
  std::int32_t value = 0;
  for (const auto c : arg) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::int32_t>(c - '0');
  }
  if (value < 1 || value > 20) return std::nullopt;
  return value;
}

}  // namespace

std::string ParseConsoleOptions(std::span<const TArgument> args, TConsoleOptions& options) {
  bool only_files = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const TArgument& arg = args[i];
    const bool is_option = !only_files && arg.size() > 1 && arg[0] == '-';
    if (!is_option) {
      if (options.ExchangeFile) return "kx27c: more than one exchange file given";
      options.ExchangeFile = std::filesystem::path(arg);
      continue;
    }
    if (Is(arg, "--")) {
      only_files = true;
      continue;
    }

    const bool takes_value = Is(arg, "-p") || Is(arg, "--preset") || Is(arg, "-s") ||
                             Is(arg, "--settings") || Is(arg, "-o") || Is(arg, "--output") ||
                             Is(arg, "--show-preset") || Is(arg, "--picture");
    if (takes_value && i + 1 == args.size())
      return "kx27c: option " + Quoted(arg) + " needs a value";

    if (Is(arg, "-p") || Is(arg, "--preset")) {
      options.PresetNo = PresetNumber(args[++i]);
      if (!options.PresetNo)
        return "kx27c: preset " + Quoted(args[i]) + " is not a number from 1 to 20";
    } else if (Is(arg, "-s") || Is(arg, "--settings")) {
      options.SettingsFile = std::filesystem::path(args[++i]);
    } else if (Is(arg, "-o") || Is(arg, "--output")) {
      options.OutputFile = std::filesystem::path(args[++i]);
    } else if (Is(arg, "--show-preset")) {
      options.ShowPreset = PresetNumber(args[++i]);
      if (!options.ShowPreset)
        return "kx27c: preset " + Quoted(args[i]) + " is not a number from 1 to 20";
    } else if (Is(arg, "--picture")) {
      options.PictureFile = std::filesystem::path(args[++i]);
    } else if (Is(arg, "--before")) {
      options.Before = true;
    } else if (Is(arg, "--dry-run")) {
      options.DryRun = true;
    } else if (Is(arg, "--dimensions")) {
      options.Dimensions = true;
    } else if (Is(arg, "--no-dimensions")) {
      options.Dimensions = false;
    } else if (Is(arg, "-q") || Is(arg, "--quiet")) {
      options.Quiet = true;
    } else if (Is(arg, "-h") || Is(arg, "--help")) {
      options.Help = true;
    } else if (Is(arg, "--version")) {
      options.Version = true;
    } else {
      return "kx27c: unknown option " + Quoted(arg) + " (see kx27c --help)";
    }
  }
  if (options.Before && !options.PictureFile) return "kx27c: --before goes with --picture";
  if (options.PictureFile && (options.DryRun || options.ShowPreset || options.OutputFile))
    return "kx27c: --picture goes with neither --dry-run, --show-preset nor -o";
  return {};
}

std::string_view ConsoleUsage() {
  return "Usage: kx27c [OPTION]... [EXCHANGE_FILE]\n"
         "Sets the line type of every line, circle and arc of a Jw_cad exchange\n"
         "file by its layer group and layer, from a preset of the settings file.\n"
         "\n"
         "  -p, --preset N       use preset N (1-20); default: the settings file's\n"
         "                       current preset\n"
         "  -s, --settings FILE  settings file; default: kx27.dat beside the program\n"
         "      --dimensions     convert dimension lines too\n"
         "      --no-dimensions  leave dimension lines as they are\n"
         "                       (default: the settings file's check box)\n"
         "  -o, --output FILE    write the result to FILE instead of EXCHANGE_FILE\n"
         "  -q, --quiet          no summary line\n"
         "      --dry-run        write nothing; print per layer group and layer how\n"
         "                       many elements would change and to which line type,\n"
         "                       then the total\n"
         "      --show-preset N  print the comment and the 16 x 16 values of preset N;\n"
         "                       with EXCHANGE_FILE, with the names of its layers\n"
         "      --picture SVG    draw the selection into the file SVG as it looks after\n"
         "                       the conversion; the exchange file stays as it is\n"
         "      --before         with --picture: the line types as they are now\n"
         "  -h, --help           show this text\n"
         "      --version        show the version\n"
         "\n"
         "EXCHANGE_FILE defaults to JWC_TEMP.TXT beside the program (--show-preset\n"
         "reads none unless it is named). What --dry-run and --show-preset print is\n"
         "Shift_JIS, as the drawing's names are; a Windows console shows it as text.\n"
         "Exit status: 0 done, 1 a file could not be read or written, 2 usage error.\n";
}

}  // namespace kx27
