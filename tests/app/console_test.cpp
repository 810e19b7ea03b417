#include <gtest/gtest.h>

#include <regex>
#include <vector>

#include "app/console_options.h"
#include "app/element_count.h"
#include "app/settings_file.h"
#include "kx27_version.h"
#include "tests/app/sample_exchange.h"
#include "tests/app/temp_folder.h"

#ifdef KX27C_PATH
#include <sys/wait.h>

#include <cstdlib>
#endif

namespace kx27 {
namespace {

using namespace testing;

// The options as one line, or "error: ..." for a usage error.
std::string ParsedLine(const std::vector<std::string>& words) {
  std::vector<TArgument> args;
  for (const std::string& word : words) args.push_back(std::filesystem::path(word).native());
  TConsoleOptions o;
  const std::string error = ParseConsoleOptions(args, o);
  if (!error.empty()) return "error";
  std::string line;
  if (o.PresetNo) line += " p" + std::to_string(*o.PresetNo);
  if (o.SettingsFile) line += " s=" + o.SettingsFile->string();
  if (o.Dimensions) line += *o.Dimensions ? " dim" : " nodim";
  if (o.OutputFile) line += " o=" + o.OutputFile->string();
  if (o.ExchangeFile) line += " x=" + o.ExchangeFile->string();
  if (o.Quiet) line += " quiet";
  if (o.Help) line += " help";
  if (o.Version) line += " version";
  return line;
}

TEST(ParseConsoleOptions, ReadsEveryOptionAndRefusesMistakes) {
  struct Case {
    std::vector<std::string> args;
    std::string_view parsed;
  };
  const Case cases[] = {
      {{}, ""},
      {{"-p", "3"}, " p3"},
      {{"--preset", "20"}, " p20"},
      {{"-p", "1", "-p", "2"}, " p2"},
      {{"-s", "a.dat", "--dimensions", "-o", "out.txt", "-q", "in.txt"},
       " s=a.dat dim o=out.txt x=in.txt quiet"},
      {{"--settings", "b.dat", "--output", "o", "--quiet", "--no-dimensions"},
       " s=b.dat nodim o=o quiet"},
      {{"--dimensions", "--no-dimensions"}, " nodim"},
      {{"--", "-odd name"}, " x=-odd name"},
      {{"-"}, " x=-"},
      {{"--help"}, " help"},
      {{"-h"}, " help"},
      {{"--version"}, " version"},
      {{"-p", "0"}, "error"},
      {{"-p", "21"}, "error"},
      {{"-p", "x"}, "error"},
      {{"-p", "+3"}, "error"},
      {{"-p", " 3"}, "error"},
      {{"-p"}, "error"},
      {{"-o"}, "error"},
      {{"in.txt", "-s"}, "error"},
      {{"a.txt", "b.txt"}, "error"},
      {{"--bogus"}, "error"},
      {{"-P", "3"}, "error"},
  };
  for (const Case& c : cases) {
    std::string joined;
    for (const std::string& a : c.args) joined += a + " ";
    EXPECT_EQ(ParsedLine(c.args), c.parsed) << joined;
  }
}

TEST(CountElementLines, CountsElementsNotCommands) {
  struct Case {
    std::string_view text;
    std::int64_t count;
  };
  const Case cases[] = {
      {"", 0},
      {"hq\r\n", 0},
      {"hd\r\nbz\r\nlg0\r\nly3\r\nlc10 255\r\nlt2\r\nlw3\r\ncn0 2 2 0 1\r\ncc1\r\npn2\r\n", 0},
      {"cn\"$<font>\r\nz1\r\nz2\r\nz3\r\nz4\r\nz5\r\n\r\n", 0},
      {"0 0 1 0\r\n-1 -2 3 4\r\nci 1 1 1\r\nci 0 0 3 0 1.5 1 0\r\n", 4},
      {"pt 1 2\r\npt 1 2 1 0 3\r\nsl 0 0 1 1\r\nsc 1 2 3 4 5 6 7 0\r\n", 4},
      {"se 1 2 3 4 5 6 7 0\r\nso 1 2 3 4 5 6 7 1\r\nsg 1 2 3 4 5 6 7 1\r\n", 3},
      {"ch 0 0 1 0 \"lg0 text\r\ncs 0 0 1 0 \"z1\r\nc2 0 0 1 0 \"x", 3},
      {"msg\r\n0 0 3 4\r\ncs 1 2 1 0 \"5\r\nmsg\r\n0 0 1 0\r\ncs 1 2 1 0 \"1\r\n", 2},
      {kExchangeOutWithDimensions, 7},
  };
  for (const Case& c : cases) EXPECT_EQ(CountElementLines(c.text), c.count) << c.text;
}

#ifdef KX27C_PATH

// The folder of one run: the sample exchange file and a settings file whose
// current preset 2 holds the sample preset, with the dimension box ticked.
class Kx27c : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("JWC_TEMP.TXT", kExchangeIn);
    TSettings settings;
    settings.PresetNo = 2;
    settings.Presets[1] = SamplePreset();
    settings.Dimensions = true;
    settings_text_ = RenderSettings(settings);
    folder_.Write("set.dat", settings_text_);
  }

  // Runs the program in the folder; the exit status.
  int Run(std::string_view args, const std::filesystem::path& program = KX27C_PATH) {
    const std::string command = "cd '" + folder_.Path().string() + "' && '" +
                                program.string() + "' " + std::string(args) +
                                " >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string File(std::string_view name) const { return TTempFolder::Read(folder_ / name); }

  TTempFolder folder_;
  std::string settings_text_;
};

TEST_F(Kx27c, ConvertsByTheChosenPresetAndSwitch) {
  struct Case {
    std::string_view args;
    std::string_view expected;
  };
  const Case cases[] = {
      {"-q -s set.dat JWC_TEMP.TXT", kExchangeOutWithDimensions},
      {"-q -s set.dat --no-dimensions JWC_TEMP.TXT", kExchangeOutWithoutDimensions},
      {"--quiet --preset 1 --settings set.dat JWC_TEMP.TXT", kExchangeOutUnchanged},
      {"-q -s set.dat -p 2 --dimensions JWC_TEMP.TXT", kExchangeOutWithDimensions},
  };
  for (const Case& c : cases) {
    folder_.Write("JWC_TEMP.TXT", kExchangeIn);
    EXPECT_EQ(Run(c.args), 0) << c.args;
    EXPECT_EQ(File("JWC_TEMP.TXT"), c.expected) << c.args;
    EXPECT_EQ(File("stderr.txt"), "") << c.args;
  }
  EXPECT_EQ(File("set.dat"), settings_text_) << "the settings file is never written";
}

TEST_F(Kx27c, OutputOptionLeavesTheExchangeFileAndReports) {
  EXPECT_EQ(Run("-s set.dat -o out.txt JWC_TEMP.TXT"), 0);
  EXPECT_EQ(File("out.txt"), kExchangeOutWithDimensions);
  EXPECT_EQ(File("JWC_TEMP.TXT"), kExchangeIn);
  EXPECT_TRUE(std::regex_match(
      File("stderr.txt"),
      std::regex("kx27c: 7 elements read, 4 line types changed, 7 elements written, [0-9]+ ms\n")))
      << File("stderr.txt");
}

TEST_F(Kx27c, DefaultsToTheFilesBesideTheProgram) {
  const auto bin = folder_ / "bin";
  std::filesystem::create_directory(bin);
  std::filesystem::copy_file(KX27C_PATH, bin / "kx27c");
  folder_.Write("bin/JWC_TEMP.TXT", kExchangeIn);

  // Without kx27.dat every preset is empty: the elements come back as read.
  EXPECT_EQ(Run("-q", bin / "kx27c"), 0);
  EXPECT_EQ(File("bin/JWC_TEMP.TXT"), kExchangeOutUnchanged);
  EXPECT_FALSE(std::filesystem::exists(bin / "kx27.dat"));

  std::filesystem::copy_file(folder_ / "set.dat", bin / "kx27.dat");
  folder_.Write("bin/JWC_TEMP.TXT", kExchangeIn);
  EXPECT_EQ(Run("-q", bin / "kx27c"), 0);
  EXPECT_EQ(File("bin/JWC_TEMP.TXT"), kExchangeOutWithDimensions);
}

TEST_F(Kx27c, ErrorsChangeNoFile) {
  std::filesystem::create_directory(folder_ / "a folder");
  struct Case {
    std::string_view args;
    int status;
    std::string_view named;  // in the message
  };
  const Case cases[] = {
      {"--bogus JWC_TEMP.TXT", 2, "--bogus"},
      {"-p 21 JWC_TEMP.TXT", 2, "21"},
      {"-p x JWC_TEMP.TXT", 2, "x"},
      {"JWC_TEMP.TXT -s", 2, "-s"},
      {"JWC_TEMP.TXT other.txt", 2, "exchange"},
      {"-s set.dat missing.txt", 1, "missing.txt"},
      {"-s set.dat 'a folder'", 1, "a folder"},
      {"-s missing.dat JWC_TEMP.TXT", 1, "missing.dat"},
      {"-s 'a folder' JWC_TEMP.TXT", 1, "a folder"},
      {"-s set.dat -o no/such/folder.txt JWC_TEMP.TXT", 1, "folder.txt"},
      {"-s set.dat -o 'a folder' JWC_TEMP.TXT", 1, "a folder"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.args), c.status) << c.args;
    const std::string message = File("stderr.txt");
    EXPECT_NE(message.find(c.named), std::string::npos) << c.args << ": " << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << c.args << ": one line";
    EXPECT_EQ(File("JWC_TEMP.TXT"), kExchangeIn) << c.args;
  }
}

TEST_F(Kx27c, HelpAndVersion) {
  EXPECT_EQ(Run("--help"), 0);
  EXPECT_EQ(File("stdout.txt").rfind("Usage: kx27c", 0), 0u);
  EXPECT_EQ(Run("--version"), 0);
  EXPECT_EQ(File("stdout.txt"), "kx27c " KX27_VERSION "\n");
  EXPECT_EQ(File("JWC_TEMP.TXT"), kExchangeIn);
}

#endif  // KX27C_PATH

}  // namespace
}  // namespace kx27
