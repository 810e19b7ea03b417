// The console's conversion, a part at a time, and the dialog's, the whole
// drawing in two halves on two threads: both write what one pass over the
// whole drawing writes, byte for byte, whatever the file states late.

#include "app/convert/file_conversion.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "app/convert/conversion.h"
#include "exchange/element_sequence.h"
#include "exchange/reader.h"
#include "exchange/write_elements.h"
#include "exchange/writer.h"
#include "tests/app/sample_exchange.h"
#include "tests/exchange/temp_folder.h"

namespace kx27 {
namespace {

using testing::TTempFolder;

// Answers Escape at one poll, or never.
class TEscapeAt final : public TWriteProgress {
 public:
  explicit TEscapeAt(int poll) : poll_(poll) {}
  void Show(std::int32_t, std::int32_t) override {}
  bool EscapeDown() override { return ++polls_ == poll_; }

 private:
  int poll_;
  int polls_ = 0;
};

// Elements of every kind the writer treats apart: curves that run across
// parts and halves, attribute changes, texts, dimensions, degenerate lines.
std::string Elements(int count, unsigned seed) {
  std::mt19937 random(seed);
  const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  std::string out;
  for (int i = 0; i < count; ++i) {
    if (pick(30) == 0) out += "lg" + std::to_string(pick(16)) + "\r\n";
    if (pick(10) == 0) out += "ly" + std::to_string(pick(10)) + "\r\n";
    if (pick(6) == 0) out += "lc" + std::to_string(1 + pick(9)) + "\r\n";
    const std::string xy =
        std::to_string(pick(1000)) + " " + std::to_string(pick(1000) - 500) + ".25";
    switch (pick(8)) {
      case 0:
        out += "pl\r\n";
        for (int n = pick(40); n >= 0; --n) out += xy + " " + std::to_string(n) + " 1\r\n";
        out += "#\r\n";
        break;
      case 1: out += "ci " + xy + " " + std::to_string(pick(3)) + "\r\n"; break;
      case 2: out += "ch " + xy + " 1 0 \"t" + std::to_string(i) + "\r\n"; break;
      case 3: out += "msg\r\n" + xy + " 5 5\r\ncs " + xy + " 1 0 \"\r\n"; break;
      case 4: out += "cn" + std::to_string(pick(11)) + "\r\nch " + xy + " 0 1 \"x\r\n"; break;
      default: out += xy + " " + xy + "\r\n"; break;
    }
  }
  return out;
}

std::string Repeated(std::string_view line, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += line;
  return out;
}

std::string OnePass(TDrawing drawing, const TPreset& preset) {
  ApplyLineTypes(drawing, preset, true);
  TWriter writer(drawing.State);
  writer.Output().AppendLine("hd");
  TElementSequence sequence(writer);
  sequence.Start();
  sequence.Write(drawing.Store, 0, drawing.Store.OrderList.size());
  sequence.Finish();
  return std::string(writer.Output().FileBytes());
}

// Commands and attribute lines of an output: "hd", "hq", "bz", "lg", "ly",
// "lc", "lt", "lw", "cn", "cc", "pn" and "z1".."z5".
bool IsCommand(std::string_view line) {
  static constexpr std::string_view kCommands[] = {"hd", "hq", "bz", "lg", "ly", "lc", "lt", "lw",
                                                   "cn", "cc", "pn", "z1", "z2", "z3", "z4", "z5"};
  for (const std::string_view command : kCommands)
    if (line.starts_with(command)) return true;
  return false;
}

// The elements the host reads back from an output, found in its lines: every
// line that is not a command or an attribute, a dimension ("msg" and its two
// lines) once.
std::int64_t ElementLinesIn(std::string_view file) {
  std::int64_t count = 0;
  int lines_to_skip = 0;
  while (!file.empty()) {
    const std::size_t end = file.find("\r\n");
    const std::string_view line = file.substr(0, end);
    file.remove_prefix(end == std::string_view::npos ? file.size() : end + 2);
    if (lines_to_skip > 0) {
      --lines_to_skip;
    } else if (line == "msg") {
      ++count;
      lines_to_skip = 2;
    } else if (!line.empty() && !IsCommand(line)) {
      ++count;
    }
  }
  return count;
}

TPreset EveryLayerTo(std::int32_t line_type) {
  TPreset preset;
  preset.Values.fill(line_type);
  return preset;
}

TEST(FileConversion, WritesWhatOnePassWritesWhateverTheFileStatesLate) {
  const std::string elements = Elements(30000, 1);
  const struct {
    const char* name;
    std::string file;
  } cases[] = {
      {"plain", "hq\r\nlg2\r\nly3\r\n" + elements},
      {"no attributes at all", "hq\r\n" + Elements(20000, 2)},
      {"bz at the end", "hq\r\n" + elements + "bz\r\n"},
      {"widths from the end on", "hq\r\n" + elements + "lw5\r\n"},
      {"first group after the first part",
       "hq\r\n" + Repeated("1 2 3 4\r\n", 60000) + "lg7\r\nly9\r\n" + elements},
      {"first font and text type late", "hq\r\n" + elements + "cn\"$Late\r\ncn0 1 2 3 4\r\n"},
      {"few elements", "hq\r\nlg1\r\n1 2 3 4\r\n"},
      {"no elements", "hq\r\n"},
  };
  const TPreset preset = EveryLayerTo(3);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TTempFolder folder;
    const auto path = folder.Write("JWC_TEMP.TXT", c.file);
    TExchangeRead read = ReadExchangeFile(path);
    const std::size_t count = read.Drawing.Store.OrderList.size();
    const std::string expected = OnePass(read.Drawing, preset);

    TEscapeAt never(0);
    TWriter writer(read.Drawing.State);
    ConvertAndWrite(read.Drawing, preset, true, writer, never);
    // Compared whole: a diff of outputs this long would not help.
    EXPECT_TRUE(writer.Output().FileBytes() == expected);
    EXPECT_EQ(writer.Output().ElementLines(), ElementLinesIn(expected));

    const TFileConversion conversion = ConvertExchangeFile(path, preset, true);
    EXPECT_EQ(conversion.Problem, TWriteBackProblem::kNone);
    EXPECT_EQ(conversion.ElementsRead, static_cast<std::int64_t>(count));
    EXPECT_TRUE(conversion.Output.FileBytes() == expected);
    EXPECT_EQ(conversion.Output.ElementLines(), ElementLinesIn(expected));
  }
}

TEST(FileConversion, CountsTheElementLinesItWrites) {
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "lg1\r\nmsg\r\n0 0 3 4\r\ncs 1 2 1 0 \"5\r\n1 2 3 4\r\n";
  const std::pair<std::string, std::int64_t> cases[] = {
      {"hq\r\n", 0},
      {"hq\r\nbz\r\nlg0\r\nly3\r\nlc10 255\r\nlt2\r\nlw3\r\ncn0 2 2 0 1\r\ncc1\r\npn2\r\n", 0},
      {"hq\r\ncn\"$<font>\r\nz1\r\nz5\r\n\r\n", 0},
      {"hq\r\n0 0 1 0\r\n-1 -2 3 4\r\nci 1 1 1\r\npt 1 2\r\nsl 0 0 1 1\r\n"
       "sc 1 2 3 4 5 6 7 0\r\n",
       6},
      {"hq\r\nch 0 0 1 0 \"lg0 text\r\ncs 0 0 1 0 \"z1\r\nc2 0 0 1 0 \"x", 3},
      {"hq\r\nmsg\r\n0 0 3 4\r\ncs 1 2 1 0 \"5\r\nmsg\r\n0 0 1 0\r\ncs 1 2 1 0 \"1\r\n", 2},
      // "pl", its segments and "#"; degenerate elements are not written.
      {"hq\r\npl\r\n0 0 1 0\r\n1 0 2 0\r\n#\r\n0 0 0 0\r\nci 1 1 0\r\n", 4},
      {std::string(testing::kExchangeIn), 7},
      // Runs across the console's parts and the dialog's two halves.
      {"hq\r\n" + many, 200000},
  };
  const TPreset preset = EveryLayerTo(3);
  for (const auto& [file, count] : cases) {
    SCOPED_TRACE(file.substr(0, 80));
    TTempFolder folder;
    const auto path = folder.Write("JWC_TEMP.TXT", file);
    const TFileConversion conversion = ConvertExchangeFile(path, preset, true);
    EXPECT_EQ(conversion.Output.ElementLines(), count);
    EXPECT_EQ(ElementLinesIn(conversion.Output.FileBytes()), count);

    TExchangeRead read = ReadExchangeFile(path);
    TEscapeAt never(0);
    TWriter writer(read.Drawing.State);
    ConvertAndWrite(read.Drawing, preset, true, writer, never);
    EXPECT_EQ(writer.Output().ElementLines(), count);
  }
}

TEST(FileConversion, ReportsWhatForbidsWritingBack) {
  const struct {
    const char* name;
    std::string file;
    TReadStatus status;
    TWriteBackProblem problem;
  } cases[] = {
      {"block late", "hq\r\n" + Elements(20000, 4) + "BL 1 2 name\r\n", TReadStatus::kComplete,
       TWriteBackProblem::kBlockFigures},
      {"block first", "hq\r\nBL 1 2 name\r\n" + Elements(100, 5), TReadStatus::kComplete,
       TWriteBackProblem::kBlockFigures},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TTempFolder folder;
    const TFileConversion conversion =
        ConvertExchangeFile(folder.Write("JWC_TEMP.TXT", c.file), TPreset{}, true);
    EXPECT_EQ(conversion.Status, c.status);
    EXPECT_EQ(conversion.Problem, c.problem);
  }
  TTempFolder folder;
  EXPECT_EQ(ConvertExchangeFile(folder / "none.txt", TPreset{}, true).Status,
            TReadStatus::kMissing);
}

TEST(WriteElements, EscapeInEitherHalfLeavesOnlyTheClosingLines) {
  TTempFolder folder;
  TExchangeRead read =
      ReadExchangeFile(folder.Write("JWC_TEMP.TXT", "hq\r\nlg2\r\nly3\r\n" + Elements(30000, 6)));
  // Polls 1 and 20 fall in the first half. The first poll after it comes
  // while the second half may still be written, or may be done: either way
  // the output is whole or holds the closing lines only.
  const std::size_t elements = read.Drawing.Store.OrderList.size();
  const int first_late_poll = static_cast<int>((elements / 2 + elements / 32) / 100) + 1;
  for (const int poll : {1, 20, first_late_poll}) {
    SCOPED_TRACE(poll);
    TEscapeAt escape(poll);
    TWriter writer(read.Drawing.State);
    writer.Output().AppendLine("hd");
    ASSERT_TRUE(WriteElements(read.Drawing, writer, escape));
    const std::string_view bytes = writer.Output().FileBytes();
    if (poll == first_late_poll && bytes.starts_with("hd\r\n")) continue;
    EXPECT_FALSE(bytes.starts_with("hd")) << bytes.substr(0, 40);
    EXPECT_LE(bytes.size(), 12u) << bytes.substr(0, 40);
  }
}

}  // namespace
}  // namespace kx27
