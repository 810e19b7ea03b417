#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <regex>
#include <set>

#include "app/console/run.h"
#include "app/presets/settings_file.h"
#include "exchange/file_lock.h"
#include "kx27_version.h"
#include "tests/app/sample_exchange.h"
#include "tests/exchange/temp_folder.h"

#ifdef KX27C_PATH
#include <sys/wait.h>

#include <cstdlib>
#endif

namespace kx27 {
namespace {

using namespace testing;

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

  int Run(std::string_view args, const std::filesystem::path& program = KX27C_PATH,
          std::string_view prefix = "") {
    const std::string command = "cd '" + folder_.Path().string() + "' && (" + std::string(prefix) +
                                " '" + program.string() + "' " + std::string(args) +
                                ") >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string File(std::string_view name) const { return TTempFolder::Read(folder_ / name); }

  TTempFolder folder_;
  std::string settings_;
};

TEST_F(Kx27c, OptionsAndErrors) {
  std::filesystem::create_directory(folder_ / "dir");
  // The exchange file after the run, and what the one-line error message
  // names; no message when the run succeeds.
  const struct {
    std::string_view args;
    int status;
    std::string_view file, named;
  } cases[] = {
      {"-q -s set.dat JWC_TEMP.TXT", 0, kExchangeOutWithDimensions, ""},
      {"-q -s set.dat --no-dimensions JWC_TEMP.TXT", 0, kExchangeOutWithoutDimensions, ""},
      {"--quiet --preset 1 --settings set.dat JWC_TEMP.TXT", 0, kExchangeOutUnchanged, ""},
      {"-q -p 1 -p 2 -s set.dat --no-dimensions --dimensions -- JWC_TEMP.TXT", 0,
       kExchangeOutWithDimensions, ""},
      {"--bogus JWC_TEMP.TXT", 2, kExchangeIn, "--bogus"},
      {"-p 21 JWC_TEMP.TXT", 2, kExchangeIn, "21"},
      {"--preset +3 JWC_TEMP.TXT", 2, kExchangeIn, "+3"},
      {"JWC_TEMP.TXT -p", 2, kExchangeIn, "-p"},
      {"JWC_TEMP.TXT -s", 2, kExchangeIn, "-s"},
      {"JWC_TEMP.TXT other.txt", 2, kExchangeIn, "exchange"},
      {"-s set.dat missing.txt", 1, kExchangeIn, "missing.txt"},
      {"-s missing.dat JWC_TEMP.TXT", 1, kExchangeIn, "missing.dat"},
      {"-s set.dat -o no/such/folder.txt JWC_TEMP.TXT", 1, kExchangeIn, "folder.txt"},
      {"-s set.dat -o dir JWC_TEMP.TXT", 1, kExchangeIn, "dir"},
  };
  for (const auto& c : cases) {
    folder_.Write("JWC_TEMP.TXT", kExchangeIn);
    EXPECT_EQ(Run(c.args), c.status) << c.args;
    EXPECT_EQ(File("JWC_TEMP.TXT"), c.file) << c.args;
    const std::string message = File("stderr.txt");
    EXPECT_EQ(message.empty(), c.named.empty()) << c.args << ": " << message;
    EXPECT_NE(message.find(c.named), std::string::npos) << c.args << ": " << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << c.args << ": one line";
  }
  EXPECT_EQ(File("set.dat"), settings_) << "the settings file is never written";

  // Block figures cannot come back, and "hd" would delete them.
  const std::string with_block = std::string(kExchangeIn) + "BL 1 2 block\r\n";
  folder_.Write("JWC_TEMP.TXT", with_block);
  EXPECT_EQ(Run("-q -s set.dat JWC_TEMP.TXT"), 1);
  EXPECT_EQ(File("JWC_TEMP.TXT"), with_block);
  EXPECT_NE(File("stderr.txt").find("block figures"), std::string::npos) << File("stderr.txt");
  folder_.Write("JWC_TEMP.TXT", kExchangeIn);

  EXPECT_EQ(Run("-s set.dat --output out.txt JWC_TEMP.TXT"), 0);
  EXPECT_EQ(File("out.txt"), kExchangeOutWithDimensions);
  EXPECT_EQ(File("JWC_TEMP.TXT"), kExchangeIn);
  EXPECT_TRUE(std::regex_match(File("stderr.txt"),
                               std::regex("kx27c: 7 elements read, 4 line types changed, "
                                          "7 elements written, [0-9]+ ms\n")))
      << File("stderr.txt");
  EXPECT_EQ(Run("--help"), 0);
  EXPECT_EQ(File("stdout.txt").rfind("Usage: kx27c", 0), 0u);
  EXPECT_EQ(Run("--version"), 0);
  EXPECT_EQ(File("stdout.txt"), "kx27c " KX27_VERSION "\n");
}

// A dry run writes nothing and reports, per layer, what the real run then
// changes; --show-preset prints a preset with the names of a named drawing.
TEST_F(Kx27c, DryRunAndShowPreset) {
  // The sample drawing with names: group 0 "建具", its layer 3 "窓".
  const std::string named = "hq\r\nlg0\r\nlgn\x8c\x9a\x8b\xef\r\nly3\r\nlyn\x91\x8b\r\n" +
                            std::string(kExchangeIn.substr(4));
  const struct {
    std::string_view args;
    std::string_view output;
  } cases[] = {
      {"--dry-run -s set.dat JWC_TEMP.TXT",
       "0 \x8c\x9a\x8b\xef / 3 \x91\x8b: 4 -> 7 \x93\xf1\x93\x5f\x8d\xbd"
       "1\n"  // 二点鎖1
       "total: 4 elements would change (dimension lines included)\n"},
      {"--dry-run --no-dimensions -s set.dat JWC_TEMP.TXT",
       "0 \x8c\x9a\x8b\xef / 3 \x91\x8b: 3 -> 7 \x93\xf1\x93\x5f\x8d\xbd"
       "1\n"
       "total: 3 elements would change (dimension lines left as they are)\n"},
      {"--dry-run -p 1 -s set.dat JWC_TEMP.TXT",
       "total: 0 elements would change (dimension lines included)\n"},
  };
  for (const auto& c : cases) {
    folder_.Write("JWC_TEMP.TXT", named);
    EXPECT_EQ(Run(c.args), 0) << c.args;
    EXPECT_EQ(File("stdout.txt"), c.output) << c.args;
    EXPECT_EQ(File("stderr.txt"), "") << c.args;
    EXPECT_EQ(File("JWC_TEMP.TXT"), named) << c.args << ": nothing written";
  }
  EXPECT_EQ(Run("-s set.dat JWC_TEMP.TXT"), 0);
  EXPECT_NE(File("stderr.txt").find(" 4 line types changed"), std::string::npos);

  const std::string row0 = "0  0  0  0  7  0  0  0  0  0  0  0  0  0  0  0  0";
  EXPECT_EQ(Run("--show-preset 2 -s set.dat"), 0);
  const std::string shown = File("stdout.txt");
  EXPECT_EQ(shown.substr(0, shown.find('\n', shown.find('\n', shown.find('\n') + 1) + 1) + 1),
            "preset 2: \n   0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F\n" + row0 + "\n");
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 18);
  folder_.Write("JWC_TEMP.TXT", named);
  EXPECT_EQ(Run("--show-preset 2 -s set.dat JWC_TEMP.TXT"), 0);
  const std::string with_names = File("stdout.txt");
  EXPECT_NE(with_names.find(row0 + "  \x8c\x9a\x8b\xef\n"), std::string::npos) << with_names;
  EXPECT_TRUE(with_names.ends_with("layers of group 0 \x8c\x9a\x8b\xef: 3 \x91\x8b\n"))
      << with_names;
  EXPECT_EQ(File("JWC_TEMP.TXT"), named);
  EXPECT_EQ(Run("--show-preset 0 -s set.dat"), 2);
  EXPECT_EQ(Run("--show-preset 3 -s missing.dat"), 1);
}

TEST_F(Kx27c, DefaultsToTheFilesBesideTheProgram) {
  std::filesystem::create_directory(folder_ / "bin");
  std::filesystem::copy_file(KX27C_PATH, folder_ / "bin" / "kx27c");
  // Without kx27.dat every preset is empty, and it says so; with it, its
  // preset and box count.
  for (const auto& expected : {kExchangeOutUnchanged, kExchangeOutWithDimensions}) {
    folder_.Write("bin/JWC_TEMP.TXT", kExchangeIn);
    EXPECT_EQ(Run("-q", folder_ / "bin" / "kx27c"), 0);
    EXPECT_EQ(File("bin/JWC_TEMP.TXT"), expected);
    EXPECT_EQ(File("stderr.txt").find("kx27.dat: no such file") != std::string::npos,
              expected == kExchangeOutUnchanged)
        << File("stderr.txt");
    folder_.Write("bin/kx27.dat", settings_);
  }
}

TEST_F(Kx27c, RefusesWithOneLineAndChangesNothing) {
  const auto read_only = folder_.Write("READONLY.TXT", kExchangeIn);
  std::filesystem::permissions(
      read_only, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  folder_.Write("short.dat", settings_.substr(0, settings_.size() - 3));  // no check-box line
  std::filesystem::create_directory(folder_ / "bin");
  std::filesystem::copy_file(KX27C_PATH, folder_ / "bin" / "kx27c");
  folder_.Write("bin/kx27.dat", "0\r\n0\r\n");
  const struct {
    std::string_view args, file, named;
    std::filesystem::path program;
  } cases[] = {
      {"-s set.dat READONLY.TXT", "READONLY.TXT", "READONLY.TXT: read-only", KX27C_PATH},
      {"-s short.dat JWC_TEMP.TXT", "JWC_TEMP.TXT", "short.dat: cut short", KX27C_PATH},
      {"JWC_TEMP.TXT", "JWC_TEMP.TXT", "kx27.dat: cut short", folder_ / "bin" / "kx27c"},
  };
  for (const auto& c : cases) {
    folder_.Write("JWC_TEMP.TXT", kExchangeIn);
    EXPECT_EQ(Run(c.args, c.program), 1) << c.args;
    EXPECT_EQ(File(c.file), kExchangeIn) << c.args;
    const std::string message = File("stderr.txt");
    EXPECT_NE(message.find(c.named), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
  }
  EXPECT_EQ(folder_.Entries(), 7) << "no temporary or lock file is left";
}

TEST_F(Kx27c, SecondRunOnALockedFileFails) {
  const auto file = folder_.Write("JWC_TEMP.TXT", kExchangeIn);
  const TFileLock lock(file, std::chrono::milliseconds(0));
  ASSERT_EQ(lock.Result(), TFileSystem::TLock::kLocked);
  TConsoleOptions options;
  options.ExchangeFile = file;
  options.SettingsFile = folder_ / "set.dat";
  options.LockWait = std::chrono::milliseconds(50);
  const TConsoleOutcome outcome = RunConsole(options);
  EXPECT_EQ(outcome.ExitCode, 1);
  EXPECT_EQ(File("JWC_TEMP.TXT"), kExchangeIn);
  EXPECT_NE(outcome.Message.find("JWC_TEMP.TXT: in use"), std::string::npos) << outcome.Message;
}

// Runs started together take turns: each converts what the one before left.
TEST_F(Kx27c, SimultaneousRunsTakeTurns) {
  std::string big = "hq\r\n";
  for (int i = 0; i < 50000; ++i) big += kExchangeIn.substr(4);
  folder_.Write("JWC_TEMP.TXT", big);
  ASSERT_EQ(Run("-q -s set.dat JWC_TEMP.TXT"), 0);
  ASSERT_EQ(Run("-q -s set.dat JWC_TEMP.TXT"), 0);
  const std::string twice = File("JWC_TEMP.TXT");
  const std::string program = KX27C_PATH;
  for (int trial = 0; trial < 3; ++trial) {
    folder_.Write("JWC_TEMP.TXT", big);
    EXPECT_EQ(
        Run("-q -s set.dat JWC_TEMP.TXT & '" + program + "' -q -s set.dat JWC_TEMP.TXT & wait"), 0);
    EXPECT_EQ(File("JWC_TEMP.TXT"), twice);
    EXPECT_EQ(File("stderr.txt"), "");
  }
}

// Whatever the memory limit, the run converts the whole file or changes nothing.
TEST_F(Kx27c, OutOfMemoryChangesNothing) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than any limit here";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "the address sanitizer needs more address space than any limit here";
#endif
#endif
  std::string big = "hq\r\n";
  for (int i = 0; i < 50000; ++i) big += kExchangeIn.substr(4);
  folder_.Write("JWC_TEMP.TXT", big);
  ASSERT_EQ(Run("-q -s set.dat JWC_TEMP.TXT"), 0);
  const std::string converted = File("JWC_TEMP.TXT");
  std::set<int> statuses;
  for (int megabytes = 8; megabytes <= 120; megabytes += 4) {
    folder_.Write("JWC_TEMP.TXT", big);
    const std::string limit = "ulimit -v " + std::to_string(megabytes * 1024) + "; exec";
    const int status = Run("-q -s set.dat JWC_TEMP.TXT", KX27C_PATH, limit);
    statuses.insert(status);
    if (status == 0) {
      EXPECT_EQ(File("JWC_TEMP.TXT"), converted) << megabytes << " MB";
    } else {
      EXPECT_EQ(status, 1) << megabytes << " MB";
      EXPECT_EQ(File("JWC_TEMP.TXT"), big) << megabytes << " MB";
      EXPECT_EQ(File("stderr.txt").find('\n'), File("stderr.txt").size() - 1);
    }
    EXPECT_EQ(folder_.Entries(), 4) << megabytes << " MB";
  }
  EXPECT_EQ(statuses, (std::set<int>{0, 1})) << "the limits reach neither outcome";
}

#endif  // KX27C_PATH

}  // namespace
}  // namespace kx27
