#ifdef KX27C_PATH

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "app/presets/settings_file.h"
#include "tests/app/picture/picture_drawing.h"
#include "tests/exchange/temp_folder.h"

namespace kx27 {
namespace {

using namespace testing;

// kx27c run in a folder holding the drawing and a settings file whose
// current preset 3 converts group 0 layer 2.
class Kx27cPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    TSettings settings;
    settings.PresetNo = 3;
    settings.Presets[2].Values[0 * 16 + 2] = 5;
    folder_.Write("set.dat", settings_ = RenderSettings(settings));
    folder_.Write("JWC_TEMP.TXT", kPictureDrawing);
  }

  int Run(std::string_view args) {
    const std::string command = "cd '" + folder_.Path().string() + "' && '" + KX27C_PATH + "' " +
                                std::string(args) + " >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string File(std::string_view name) const { return TTempFolder::Read(folder_ / name); }

  TTempFolder folder_;
  std::string settings_;
};

TEST_F(Kx27cPicture, DrawsTheSelectionAndTouchesNothingElse) {
  ASSERT_EQ(Run("--picture after.svg -s set.dat JWC_TEMP.TXT"), 0) << File("stderr.txt");
  ASSERT_EQ(Run("--picture before.svg --before -s set.dat JWC_TEMP.TXT"), 0) << File("stderr.txt");
  ASSERT_EQ(Run("--picture other.svg -p 1 -s set.dat JWC_TEMP.TXT"), 0) << File("stderr.txt");
  EXPECT_EQ(File("stderr.txt"), "");
  EXPECT_EQ(File("stdout.txt"), "");
  const std::string after = File("after.svg");
  EXPECT_TRUE(after.starts_with("<?xml")) << after.substr(0, 40);
  EXPECT_NE(after.find("stroke-dasharray=\"14 3 2 3\""), std::string::npos);
  EXPECT_EQ(File("before.svg").find("stroke-dasharray=\"14 3 2 3\""), std::string::npos);
  // Preset 1 is empty: as the drawing is now.
  EXPECT_EQ(File("other.svg").find("stroke-dasharray=\"14 3 2 3\""), std::string::npos);
  EXPECT_EQ(File("JWC_TEMP.TXT"), kPictureDrawing);
  EXPECT_EQ(File("set.dat"), settings_);
  // Drawing, settings, three pictures, the two outputs: no lock, no temporary file.
  EXPECT_EQ(folder_.Entries(), 7);
}

TEST_F(Kx27cPicture, FailsInOneLine) {
  const std::tuple<std::string_view, int, std::string_view> cases[] = {
      {"--picture out.svg -s set.dat missing.txt", 1, "kx27c: missing.txt: no such file\n"},
      {"--picture out.svg -s none.dat JWC_TEMP.TXT", 1, "kx27c: none.dat: no such file\n"},
      {"--picture no/such/folder/out.svg -s set.dat JWC_TEMP.TXT", 1,
       "kx27c: no/such/folder/out.svg: cannot be written\n"},
      {"--before -s set.dat JWC_TEMP.TXT", 2, "kx27c: --before goes with --picture\n"},
      {"--picture out.svg --dry-run JWC_TEMP.TXT", 2,
       "kx27c: --picture goes with neither --dry-run, --show-preset nor -o\n"},
      {"--picture", 2, "kx27c: option '--picture' needs a value\n"},
  };
  for (const auto& [args, code, message] : cases) {
    EXPECT_EQ(Run(args), code) << args;
    EXPECT_EQ(File("stderr.txt"), message) << args;
    EXPECT_FALSE(std::filesystem::exists(folder_ / "out.svg")) << args;
  }
  EXPECT_EQ(File("JWC_TEMP.TXT"), kPictureDrawing);
}

}  // namespace
}  // namespace kx27

#endif
