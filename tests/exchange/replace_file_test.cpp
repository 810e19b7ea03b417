#include "exchange/replace_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <thread>

#include "exchange/file_lock.h"
#include "tests/exchange/failing_file_system.h"
#include "tests/exchange/temp_folder.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kx27::testing {
namespace {

using namespace std::chrono_literals;

std::set<std::string> Names(const TTempFolder& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    names.insert(entry.path().filename().string());
  return names;
}

std::string OwnTempName(int n) {
  return "JWC_TEMP.TXT.kx27-" + std::to_string(CurrentProcessId()) + "-" + std::to_string(n) +
         ".tmp";
}

TEST(ReplaceFile, EveryFailedOperationLeavesTheFileAndNoTemporaryFile) {
  TTempFolder folder;
  const auto file = folder.Write("JWC_TEMP.TXT", "hq\r\n");
  const std::string bytes(100000, 'x');
  std::set<std::string> failed;
  for (int n = 1;; ++n) {
    TFailingFileSystem files(n);
    const TReplaceResult result = ReplaceFile(file, bytes, files);
    if (n > files.Reached()) {
      EXPECT_EQ(result, TReplaceResult::kReplaced);
      EXPECT_EQ(TTempFolder::Read(file), bytes);
      break;
    }
    failed.insert(files.Failed());
    // The reason is the failed operation's, not one of the clean-up after it.
    const TReplaceResult reason = files.Failed() == "create"   ? TReplaceResult::kFailed
                                  : files.Failed() == "rename" ? TReplaceResult::kInUse
                                                               : TReplaceResult::kDiskFull;
    EXPECT_EQ(result, reason) << files.Failed();
    EXPECT_EQ(TTempFolder::Read(file), "hq\r\n") << files.Failed();
    EXPECT_EQ(Names(folder), std::set<std::string>{"JWC_TEMP.TXT"}) << files.Failed();
  }
  EXPECT_EQ(failed, (std::set<std::string>{"create", "write", "flush", "close", "rename"}));
}

TEST(ReplaceFile, NeverWritesIntoAnotherRunsTemporaryFile) {
  TTempFolder folder;
  const auto file = folder.Write("JWC_TEMP.TXT", "hq\r\n");
  // Left by an earlier process that had the same id, a moment ago.
  folder.Write(OwnTempName(0), "another run");
  ASSERT_EQ(ReplaceFile(file, "hd\r\n"), TReplaceResult::kReplaced);
  EXPECT_EQ(TTempFolder::Read(file), "hd\r\n");
  EXPECT_EQ(TTempFolder::Read(folder / OwnTempName(0)), "another run");
  EXPECT_EQ(folder.Entries(), 2);
}

TEST(ReplaceFile, RemovesOnlyItsOwnTemporaryFilesOlderThanAnHour) {
  TTempFolder folder;
  const auto file = folder.Write("JWC_TEMP.TXT", "hq\r\n");
  const auto now = std::filesystem::file_time_type::clock::now();
  const struct {
    std::string_view name;
    std::chrono::minutes age;
    bool kept;
  } cases[] = {
      {"JWC_TEMP.TXT.kx27-123-0.tmp", 61min, false},
      {"JWC_TEMP.TXT.~7", 600min, false},  // an earlier version's name
      {"JWC_TEMP.TXT.kx27-123-1.tmp", 59min, true},
      {"JWC_TEMP.TXT.~7x", 600min, true},
      {"JWC_TEMP.TXT.kx27-123-2.txt", 600min, true},
      {"OTHER.TXT.kx27-123-0.tmp", 600min, true},
      {"JWC_TEMP.TXT.lock", 600min, true},
  };
  for (const auto& c : cases)
    std::filesystem::last_write_time(folder.Write(c.name, "x"), now - c.age);
  ASSERT_EQ(ReplaceFile(file, "hd\r\n"), TReplaceResult::kReplaced);
  for (const auto& c : cases) EXPECT_EQ(std::filesystem::exists(folder / c.name), c.kept) << c.name;
}

TEST(ReplaceFile, RefusesAReadOnlyFileAndKeepsPermissions) {
  using std::filesystem::perms;
  TTempFolder folder;
  const auto file = folder.Write("JWC_TEMP.TXT", "hq\r\n");
  const perms writable = perms::owner_write | perms::group_write | perms::others_write;
  std::filesystem::permissions(file, writable, std::filesystem::perm_options::remove);
  EXPECT_EQ(ReplaceFile(file, "hd\r\n"), TReplaceResult::kReadOnly);
  EXPECT_EQ(TTempFolder::Read(file), "hq\r\n");
  EXPECT_EQ(folder.Entries(), 1);
  std::filesystem::permissions(file, perms::owner_write, std::filesystem::perm_options::add);
#ifndef _WIN32
  std::filesystem::permissions(file, perms::owner_read | perms::owner_write | perms::group_read);
  ASSERT_EQ(ReplaceFile(file, "hd\r\n"), TReplaceResult::kReplaced);
  EXPECT_EQ(std::filesystem::status(file).permissions(),
            perms::owner_read | perms::owner_write | perms::group_read);
#endif
}

TEST(FileLock, SecondHolderWaitsThenFailsUntilTheFirstLetsGo) {
  TTempFolder folder;
  const auto file = folder / "JWC_TEMP.TXT";
  {
    const TFileLock first(file, 0ms);
    ASSERT_EQ(first.Result(), TFileSystem::TLock::kLocked);
    const auto start = std::chrono::steady_clock::now();
    const TFileLock second(file, 300ms);
    EXPECT_EQ(second.Result(), TFileSystem::TLock::kBusy);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
  }
  EXPECT_EQ(folder.Entries(), 0) << "the lock file is removed with the lock";
  {
    // A holder that lets go while the other waits.
    std::optional<TFileLock> first(std::in_place, file, 0ms);
    std::thread release([&first] {
      std::this_thread::sleep_for(100ms);
      first.reset();
    });
    const TFileLock second(file, 5000ms);
    release.join();
    EXPECT_EQ(second.Result(), TFileSystem::TLock::kLocked);
  }
  EXPECT_EQ(TFileLock(folder / "missing" / "JWC_TEMP.TXT", 0ms).Result(),
            TFileSystem::TLock::kFailed);
}

#ifndef _WIN32
TEST(FileLock, EndsWithAKilledRun) {
  TTempFolder folder;
  const auto file = folder / "JWC_TEMP.TXT";
  const pid_t child = fork();
  if (child == 0) {
    const TFileLock lock(file, 0ms);
    raise(SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_TRUE(std::filesystem::exists(folder / "JWC_TEMP.TXT.lock"));
  EXPECT_EQ(TFileLock(file, 0ms).Result(), TFileSystem::TLock::kLocked);
}
#endif

}  // namespace
}  // namespace kx27::testing
