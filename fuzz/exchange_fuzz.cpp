// Any bytes as an exchange file: read, convert, write. The output must be
// one the host reads as meant, and reading and writing it again must give
// the same bytes. The console's conversion, part by part from the file,
// must write what the dialog's, from the whole drawing, writes.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "app/convert/conversion.h"
#include "app/convert/file_conversion.h"
#include "exchange/reader.h"
#include "exchange/writer.h"
#include "fuzz/fuzz_check.h"
#include "text/shift_jis.h"

namespace {

using namespace kx27;

constexpr std::size_t kMaxLineBytes = 255;

class TNoProgress final : public TWriteProgress {
 public:
  void Show(std::int32_t, std::int32_t) override {}
  bool EscapeDown() override { return false; }
};

// Every layer gets a line type, so the conversion changes something.
TPreset EveryLayerPreset() {
  TPreset preset;
  for (std::size_t i = 0; i < preset.Values.size(); ++i)
    preset.Values[i] = FilterLineType(static_cast<std::int32_t>(i % 64));
  return preset;
}

struct TRendered {
  std::string Bytes;
  std::int64_t ElementLines = 0;
};

// The dialog's conversion: the whole drawing read, then written.
TRendered ConvertAndRender(std::string_view input, const TPreset& preset) {
  TDrawing drawing = ReadExchangeText(input);
  TWriter writer(drawing.State);
  TNoProgress progress;
  const TConversion conversion = ConvertAndWrite(drawing, preset, true, writer, progress);
  FUZZ_CHECK(conversion.Complete);
  return {std::string(writer.Output().FileBytes()), writer.Output().ElementLines()};
}

// The console's conversion of the same bytes as a file, where it may write
// one back.
void CheckConsoleWritesTheSame(std::string_view input, const TPreset& preset,
                               const TRendered& whole) {
  static const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                            ("exchange_fuzz_" + std::to_string(getpid()) + ".txt");
  std::ofstream(file, std::ios::binary)
      .write(input.data(), static_cast<std::streamsize>(input.size()));
  const TFileConversion conversion = ConvertExchangeFile(file, preset, true);
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  if (conversion.Status != TReadStatus::kComplete || conversion.Problem != TWriteBackProblem::kNone)
    return;
  FUZZ_CHECK(conversion.Complete);
  FUZZ_CHECK(conversion.Output.FileBytes() == whole.Bytes);
  FUZZ_CHECK(conversion.Output.ElementLines() == whole.ElementLines);
}

bool EndsInsideDoubleByteChar(std::string_view part) {
  for (std::size_t i = 0; i < part.size(); ++i)
    if (IsLeadByte(static_cast<unsigned char>(part[i])) && ++i == part.size()) return true;
  return false;
}

// A part is what the writer stored as one line: a text line carries its
// head (up to the double quote) and its text, each cut on its own.
void CheckPart(std::string_view part) {
  FUZZ_CHECK(part.size() <= kMaxLineBytes);
  // A cut at the limit never splits a character; shorter parts are as read.
  FUZZ_CHECK(part.size() < kMaxLineBytes || !EndsInsideDoubleByteChar(part));
}

bool IsTextLine(std::string_view line) {
  return line.size() > 2 && line[0] == 'c' && line[1] != 'n' && line.find('"') != line.npos;
}

void CheckNumbers(std::string_view numbers) {
  std::string lower(numbers);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  FUZZ_CHECK(lower.find("nan") == std::string::npos);
  FUZZ_CHECK(lower.find("inf") == std::string::npos);
}

void CheckOutput(std::string_view output) {
  FUZZ_CHECK(output.substr(0, 4) == "hd\r\n");
  std::size_t start = 0;
  while (start < output.size()) {
    std::size_t end = output.find("\r\n", start);
    // Only a text at the very end may go without a line end.
    if (end == std::string_view::npos) end = output.size();
    const std::string_view line = output.substr(start, end - start);
    FUZZ_CHECK(line.find('\n') == std::string_view::npos);
    FUZZ_CHECK(line.find('\r') == std::string_view::npos);
    if (IsTextLine(line)) {
      const std::size_t quote = line.find('"');
      CheckPart(line.substr(0, quote + 1));
      CheckPart(line.substr(quote + 1));
      CheckNumbers(line.substr(0, quote));
    } else {
      CheckPart(line);
      if (line.find('"') == std::string_view::npos) CheckNumbers(line);
    }
    start = end + 2;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const TRendered output = ConvertAndRender(input, EveryLayerPreset());
  CheckOutput(output.Bytes);
  FUZZ_CHECK(ConvertAndRender(output.Bytes, TPreset{}).Bytes == output.Bytes);
  CheckConsoleWritesTheSame(input, EveryLayerPreset(), output);
  return 0;
}
