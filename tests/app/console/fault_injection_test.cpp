// Every file operation that a conversion or a settings save reaches fails
// once: the files stay byte for byte as they were, and nothing is left
// beside them.

#include <gtest/gtest.h>

#include <set>

#include "app/console/run.h"
#include "app/presets/settings_file.h"
#include "tests/app/sample_exchange.h"
#include "tests/exchange/failing_file_system.h"
#include "tests/exchange/temp_folder.h"

namespace kx27::testing {
namespace {

std::set<std::string> Names(const TTempFolder& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    names.insert(entry.path().filename().string());
  return names;
}

TEST(FaultInjection, ConsoleRunFailsWholeOrSucceeds) {
  TTempFolder folder;
  TSettings settings;
  settings.PresetNo = 2;
  settings.Presets[1] = SamplePreset();
  settings.Dimensions = true;
  const std::string settings_bytes = RenderSettings(settings);
  TConsoleOptions options;
  options.ExchangeFile = folder.Write("JWC_TEMP.TXT", kExchangeIn);
  options.SettingsFile = folder.Write("kx27.dat", settings_bytes);
  options.Quiet = true;

  std::set<std::string> failed;
  for (int n = 1;; ++n) {
    TFailingFileSystem files(n);
    const TConsoleOutcome outcome = RunConsole(options, files);
    EXPECT_EQ(TTempFolder::Read(folder / "kx27.dat"), settings_bytes);
    EXPECT_EQ(Names(folder), (std::set<std::string>{"JWC_TEMP.TXT", "kx27.dat"}));
    if (n > files.Reached()) {
      EXPECT_EQ(outcome.ExitCode, 0) << outcome.Message;
      EXPECT_EQ(TTempFolder::Read(folder / "JWC_TEMP.TXT"), kExchangeOutWithDimensions);
      break;
    }
    failed.insert(files.Failed());
    EXPECT_EQ(outcome.ExitCode, 1) << files.Failed();
    EXPECT_NE(outcome.Message.find("JWC_TEMP.TXT"), std::string::npos) << outcome.Message;
    EXPECT_EQ(TTempFolder::Read(folder / "JWC_TEMP.TXT"), kExchangeIn) << files.Failed();
  }
  EXPECT_EQ(failed, (std::set<std::string>{"lock", "create", "write", "flush", "close", "rename"}));
}

TEST(FaultInjection, SettingsSaveFailsWholeOrSucceeds) {
  TTempFolder folder;
  TSettings old_settings;
  old_settings.Presets[0].Comment = "old";
  const auto file = folder.Write("kx27.dat", RenderSettings(old_settings));
  TSettings new_settings;
  new_settings.Presets[0].Comment = "new";
  for (int n = 1;; ++n) {
    TFailingFileSystem files(n);
    const bool saved = SaveSettings(file, new_settings, files) == TReplaceResult::kReplaced;
    EXPECT_EQ(Names(folder), std::set<std::string>{"kx27.dat"});
    if (n > files.Reached()) {
      EXPECT_TRUE(saved);
      EXPECT_EQ(TTempFolder::Read(file), RenderSettings(new_settings));
      break;
    }
    EXPECT_FALSE(saved) << files.Failed();
    EXPECT_EQ(TTempFolder::Read(file), RenderSettings(old_settings)) << files.Failed();
  }
}

}  // namespace
}  // namespace kx27::testing
