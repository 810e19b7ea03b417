#include <gtest/gtest.h>

#include <regex>

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

TEST(CountElementLines, CountsElementsNotCommands) {
  const std::pair<std::string_view, std::int64_t> cases[] = {
      {"hq\r\n", 0},
      {"hd\r\nbz\r\nlg0\r\nly3\r\nlc10 255\r\nlt2\r\nlw3\r\ncn0 2 2 0 1\r\ncc1\r\npn2\r\n", 0},
      {"cn\"$<font>\r\nz1\r\nz5\r\n\r\n", 0},
      {"0 0 1 0\r\n-1 -2 3 4\r\nci 1 1 1\r\npt 1 2\r\nsl 0 0 1 1\r\nsc 1 2 3 4 5 6 7 0\r\n", 6},
      {"ch 0 0 1 0 \"lg0 text\r\ncs 0 0 1 0 \"z1\r\nc2 0 0 1 0 \"x", 3},
      {"msg\r\n0 0 3 4\r\ncs 1 2 1 0 \"5\r\nmsg\r\n0 0 1 0\r\ncs 1 2 1 0 \"1\r\n", 2},
      {kExchangeOutWithDimensions, 7},
  };
  for (const auto& [text, count] : cases) EXPECT_EQ(CountElementLines(text), count) << text;

  // A file is read in blocks: lines and dimensions run across them.
  std::string big;
  for (int i = 0; i < 100000; ++i) big += "lg1\r\nmsg\r\n0 0 3 4\r\ncs 1 2 1 0 \"5\r\n1 2 3 4\r\n";
  TTempFolder folder;
  EXPECT_EQ(CountElementLinesInFile(folder.Write("big.txt", big)), 200000);
}

#ifdef KX27C_PATH

// A folder with the sample exchange file and a settings file whose current
// preset 2 is the sample preset, with the dimension box ticked.
class Kx27c : public ::testing::Test {
 protected:
  void SetUp() override {
    TSettings settings;
    settings.PresetNo = 2;
    settings.Presets[1] = SamplePreset();
    settings.Dimensions = true;
    folder_.Write("set.dat", settings_ = RenderSettings(settings));
  }

  int Run(std::string_view args, const std::filesystem::path& program = KX27C_PATH) {
    const std::string command = "cd '" + folder_.Path().string() + "' && '" + program.string() +
                                "' " + std::string(args) + " >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string File(std::string_view name) const { return TTempFolder::Read(folder_ / name); }

  TTempFolder folder_;
  std::string settings_;
};

TEST_F(Kx27c, ConvertsByTheChosenPresetAndSwitch) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"-q -s set.dat JWC_TEMP.TXT", kExchangeOutWithDimensions},
      {"-q -s set.dat --no-dimensions JWC_TEMP.TXT", kExchangeOutWithoutDimensions},
      {"--quiet --preset 1 --settings set.dat JWC_TEMP.TXT", kExchangeOutUnchanged},
      {"-q -p 1 -p 2 -s set.dat --no-dimensions --dimensions -- JWC_TEMP.TXT",
       kExchangeOutWithDimensions},
  };
  for (const auto& [args, expected] : cases) {
    folder_.Write("JWC_TEMP.TXT", kExchangeIn);
    EXPECT_EQ(Run(args), 0) << args;
    EXPECT_EQ(File("JWC_TEMP.TXT"), expected) << args;
    EXPECT_EQ(File("stderr.txt"), "") << args;
  }
  EXPECT_EQ(File("set.dat"), settings_) << "the settings file is never written";

  folder_.Write("JWC_TEMP.TXT", kExchangeIn);
  EXPECT_EQ(Run("-s set.dat --output out.txt JWC_TEMP.TXT"), 0);
  EXPECT_EQ(File("out.txt"), kExchangeOutWithDimensions);
  EXPECT_EQ(File("JWC_TEMP.TXT"), kExchangeIn);
  EXPECT_TRUE(std::regex_match(File("stderr.txt"),
                               std::regex("kx27c: 7 elements read, 4 line types changed, "
                                          "7 elements written, [0-9]+ ms\n")))
      << File("stderr.txt");
}

TEST_F(Kx27c, DefaultsToTheFilesBesideTheProgram) {
  std::filesystem::create_directory(folder_ / "bin");
  std::filesystem::copy_file(KX27C_PATH, folder_ / "bin" / "kx27c");
  // Without kx27.dat every preset is empty; with it, its preset and box count.
  for (const auto expected : {kExchangeOutUnchanged, kExchangeOutWithDimensions}) {
    folder_.Write("bin/JWC_TEMP.TXT", kExchangeIn);
    EXPECT_EQ(Run("-q", folder_ / "bin" / "kx27c"), 0);
    EXPECT_EQ(File("bin/JWC_TEMP.TXT"), expected);
    folder_.Write("bin/kx27.dat", settings_);
  }
}

TEST_F(Kx27c, ErrorsChangeNoFile) {
  folder_.Write("JWC_TEMP.TXT", kExchangeIn);
  std::filesystem::create_directory(folder_ / "dir");
  const std::tuple<std::string_view, int, std::string_view> cases[] = {
      {"--bogus JWC_TEMP.TXT", 2, "--bogus"},
      {"-p 21 JWC_TEMP.TXT", 2, "21"},
      {"--preset +3 JWC_TEMP.TXT", 2, "+3"},
      {"JWC_TEMP.TXT -p", 2, "-p"},
      {"JWC_TEMP.TXT -s", 2, "-s"},
      {"JWC_TEMP.TXT other.txt", 2, "exchange"},
      {"-s set.dat missing.txt", 1, "missing.txt"},
      {"-s missing.dat JWC_TEMP.TXT", 1, "missing.dat"},
      {"-s set.dat -o no/such/folder.txt JWC_TEMP.TXT", 1, "folder.txt"},
      {"-s set.dat -o dir JWC_TEMP.TXT", 1, "dir"},
  };
  for (const auto& [args, status, named] : cases) {
    EXPECT_EQ(Run(args), status) << args;
    const std::string message = File("stderr.txt");
    EXPECT_NE(message.find(named), std::string::npos) << args << ": " << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << args << ": one line";
    EXPECT_EQ(File("JWC_TEMP.TXT"), kExchangeIn) << args;
  }
  EXPECT_EQ(Run("--help"), 0);
  EXPECT_EQ(File("stdout.txt").rfind("Usage: kx27c", 0), 0u);
  EXPECT_EQ(Run("--version"), 0);
  EXPECT_EQ(File("stdout.txt"), "kx27c " KX27_VERSION "\n");
}

#endif  // KX27C_PATH

}  // namespace
}  // namespace kx27
