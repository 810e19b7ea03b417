// OK's answer as the dialog gets it: written, or the exchange file left as
// the host wrote it, with the reason the user is told.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "app/convert/selection.h"
#include "app/form/failure_messages.h"
#include "tests/exchange/temp_folder.h"

namespace kx27::testing {
namespace {

class TSilentProgress final : public TWriteBackProgress {
 public:
  void Show(std::int32_t, std::int32_t) override {}
  bool EscapeDown() override { return false; }
  void WritingFile() override {}
};

constexpr std::string_view kSelection = "hq\r\nlg0\r\nly1\r\n0 0 10 0\r\n";

TEST(WriteBack, AnswersOrLeavesTheHostsFileAndSaysWhy) {
  TTempFolder folder;
  TPreset preset;
  preset.Values[1] = 5;
  const struct {
    const char* name;
    void (*prepare)(const std::filesystem::path& file);
    TAnswer answer;
  } cases[] = {
      {"writable", [](const std::filesystem::path&) {}, TAnswer::kWritten},
      {"read-only",
       [](const std::filesystem::path& file) {
         std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                      std::filesystem::perm_options::remove);
       },
       TAnswer::kReadOnly},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::filesystem::path file = folder.Write(std::string(c.name) + ".txt", kSelection);
    TSelection selection = ReadSelection(file);
    c.prepare(file);
    TSilentProgress progress;
    const TWriteBack result = WriteBack(selection, preset, false, progress, file);
    EXPECT_EQ(result.Answer, c.answer);
    EXPECT_EQ(result.Changed, 1);
    if (c.answer == TAnswer::kWritten) {
      EXPECT_EQ(TTempFolder::Read(file), "hd\r\nlg0\r\nly1\r\nlc1\r\nlt5\r\n0 0 10 0\r\n");
    } else {
      EXPECT_EQ(TTempFolder::Read(file), kSelection);
    }
  }
}

TEST(FailureMessages, NameTheFileAndADifferentReasonEach) {
  std::set<std::u16string> said;
  for (const TAnswer answer : {TAnswer::kOutOfMemory, TAnswer::kBusy, TAnswer::kReadOnly,
                               TAnswer::kInUse, TAnswer::kDiskFull, TAnswer::kFailed}) {
    const std::u16string message = AnswerFailureMessage(answer, u"JWC_TEMP.TXT");
    EXPECT_TRUE(message.starts_with(u"線種を変換できませんでした。図面は変更しません。"));
    said.insert(message);
  }
  EXPECT_EQ(said.size(), 6u) << "two failures read alike";
  for (const TReplaceResult result :
       {TReplaceResult::kReadOnly, TReplaceResult::kInUse, TReplaceResult::kFailed}) {
    EXPECT_NE(SettingsSaveFailureMessage(result, u"kx27.dat").find(u"「kx27.dat」"),
              std::u16string::npos);
  }
  EXPECT_TRUE(WriteBackRefusalStatus(TWriteBackProblem::kNone).empty());
  EXPECT_FALSE(WriteBackRefusalStatus(TWriteBackProblem::kBlockFigures).empty());
}

}  // namespace
}  // namespace kx27::testing
