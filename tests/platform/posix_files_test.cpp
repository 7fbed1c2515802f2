// What only a POSIX file system can show: links, modes and folders we may not write.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>

#include "platform/native_files.h"
#include "support/temp_dir.h"

namespace quorvel {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

namespace fs = std::filesystem;

TEST(PosixFiles, ReplaceFollowsASymlinkAndKeepsIt) {
  TempDir dir;
  fs::create_directory(dir.path() / "real");
  writeBytes(dir.file("real/settings.ini"), "old");
  fs::create_symlink("real/settings.ini", dir.path() / "config.ini");
  ASSERT_TRUE(NativeFiles().replaceFile(dir.file("config.ini"), "new"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "config.ini"));
  EXPECT_EQ(readBytes(dir.file("real/settings.ini")), "new");
}

TEST(PosixFiles, ReplaceKeepsThePermissions) {
  TempDir dir;
  writeBytes(dir.file("config.ini"), "old");
  ::chmod(dir.file("config.ini").c_str(), 0640);
  ASSERT_TRUE(NativeFiles().replaceFile(dir.file("config.ini"), "new"));
  struct stat st {};
  ASSERT_EQ(::stat(dir.file("config.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(readBytes(dir.file("config.ini")), "new");
}

// A full disk, made with a file-size limit so that it works for root too.
TEST(PosixFiles, WriteThatRunsOutOfSpaceLeavesTheOriginalAndNoTemporaryFile) {
  TempDir dir;
  const std::string original = "[screen]\nx=0\n";
  writeBytes(dir.file("config.ini"), original);
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit tiny = saved;
  tiny.rlim_cur = 8;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
  const bool replaced = NativeFiles().replaceFile(dir.file("config.ini"), std::string(4096, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(replaced);
  EXPECT_EQ(readBytes(dir.file("config.ini")), original);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(PosixFiles, FileWeMayNotWriteIsNotReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
  TempDir dir;
  writeBytes(dir.file("config.ini"), "keep me");
  ::chmod(dir.file("config.ini").c_str(), 0444);
  EXPECT_FALSE(NativeFiles().replaceFile(dir.file("config.ini"), "new"));
  EXPECT_EQ(readBytes(dir.file("config.ini")), "keep me");
}

TEST(PosixFiles, ExistenceCheckThatCannotLookIsAFailure) {
  TempDir dir;
  writeBytes(dir.file("plain"), "");
  EXPECT_EQ(NativeFiles().fileExists(dir.file("plain")), FileCheck::exists);
  EXPECT_EQ(NativeFiles().fileExists(dir.file("absent")), FileCheck::missing);
  // A path through a regular file cannot be examined.
  EXPECT_EQ(NativeFiles().fileExists(dir.file("plain") + "/config.ini"), FileCheck::failed);
}

}  // namespace
}  // namespace quorvel
