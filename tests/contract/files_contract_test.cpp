// What the settings code relies on from the file layer, stated once and run on every implementation:
// a replace that fails changes nothing, a replace keeps what the file was (its permissions, a symlink),
// read-only and unreadable files are never overwritten, and a read sees any change made since the last.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <utility>

#include "contract/file_faults.h"
#include "platform/native_files.h"
#include "settings/ini_profile.h"
#include "settings/mdini.h"
#include "support/temp_dir.h"

namespace quorvel {
namespace {

using testing::readBytes;
using testing::writeBytes;
namespace fs = std::filesystem;

template <class FilesType>
class FilesContract : public ::testing::Test {
 protected:
  testing::TempDir dir;
  FilesType files;
  std::string path = dir.file("config.ini");

  std::size_t entriesInFolder() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()));
  }
};

using Implementations = ::testing::Types<NativeFiles>;
TYPED_TEST_SUITE(FilesContract, Implementations);

TYPED_TEST(FilesContract, ReplaceThatFailsLeavesTheFileAndNoTemporaryFile) {
  const std::string original = "[screen]\nx=0\n";
  writeBytes(this->path, original);
  const FileFault replaced = [&] {
    testing::ReplaceFailure failure(this->path);
    return this->files.replaceFile(this->path, std::string(4096, 'x'));
  }();
  EXPECT_NE(replaced, FileFault::none);
  EXPECT_EQ(readBytes(this->path), original);
  EXPECT_EQ(this->entriesInFolder(), 1u);
}

// Killed as it enters any of its system calls, through a temporary file or in place: the file reads as the
// old text or the new, never as the new text with the old one's tail.
TYPED_TEST(FilesContract, ReplaceKilledAtAnyMomentLeavesTheOldTextOrTheNew) {
  const std::string oldText = "[no1]\nx=1\n[no2]\nx=2\n";
  const std::string newText = "[no1]\nx=3\n";
  const auto reading = [](const std::string& text) {
    return std::pair(iniLookup(text, "no1", "x"), iniLookup(text, "no2", "x"));
  };
  constexpr int kCallsAtMost = 1000;
  for (const bool inPlace : {false, true}) {
    SCOPED_TRACE(inPlace ? "in place" : "through a temporary file");
    writeBytes(this->path, oldText);
    std::optional<testing::ClosedFolder> closed;
    if (inPlace && !closed.emplace(this->dir.str(), this->path).made()) continue;
    int call = 1;
    for (; call < kCallsAtMost; ++call) {
      writeBytes(this->path, oldText);
      const auto replace = [&] { this->files.replaceFile(this->path, newText); };
      const auto killed = testing::runKilledAtSystemCall(replace, call);
      if (!killed) GTEST_SKIP() << "no process can be stopped at its system calls here";
      const std::string left = readBytes(this->path);
      EXPECT_TRUE(reading(left) == reading(oldText) || reading(left) == reading(newText))
          << "killed at system call " << call << ", the file holds:\n"
          << left;
      if (!*killed) break;
    }
    EXPECT_LT(call, kCallsAtMost) << "the replace never ended";
    EXPECT_EQ(readBytes(this->path), newText);
  }
}

TYPED_TEST(FilesContract, ReplaceKeepsThePermissions) {
  writeBytes(this->path, "old");
  fs::permissions(this->path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::perms before = fs::status(this->path).permissions();
  ASSERT_EQ(this->files.replaceFile(this->path, "new"), FileFault::none);
  EXPECT_EQ(fs::status(this->path).permissions(), before);
  EXPECT_EQ(readBytes(this->path), "new");
  EXPECT_EQ(this->entriesInFolder(), 1u);
}

TYPED_TEST(FilesContract, ReplaceFollowsASymlinkAndKeepsIt) {
  fs::create_directory(this->dir.path() / "real");
  writeBytes(this->dir.file("real/settings.ini"), "old");
  if (!testing::makeSymlink("real/settings.ini", this->path)) GTEST_SKIP() << "no symlink can be made here";
  ASSERT_EQ(this->files.replaceFile(this->path, "new"), FileFault::none);
  EXPECT_TRUE(testing::isSymlink(this->path));
  EXPECT_EQ(readBytes(this->dir.file("real/settings.ini")), "new");
}

// Refused for every user: root, or an administrator, would otherwise be let through.
TYPED_TEST(FilesContract, ReadOnlyFileIsRefused) {
  writeBytes(this->path, "keep me");
  fs::permissions(this->path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(this->files.replaceFile(this->path, "new"), FileFault::readOnlyFile);
  EXPECT_EQ(writeini(this->files, this->path, "a", "b", "c"), "0");
  fs::permissions(this->path, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(readBytes(this->path), "keep me");
}

TYPED_TEST(FilesContract, UnreadableFileIsNeverOverwritten) {
  writeBytes(this->path, "[no1]\nx=1\n");
  {
    testing::UnreadableFile unreadable(this->dir.str(), this->path);
    if (!unreadable.made()) GTEST_SKIP() << "no file can be made unreadable here";
    EXPECT_EQ(writeini(this->files, this->path, "no1", "y", "2"), "0");
    EXPECT_EQ(readini(this->files, this->path, "no1", "x", "d"), "d");
  }
  EXPECT_EQ(readBytes(this->path), "[no1]\nx=1\n");
}

// As the profile functions do, when the folder takes no temporary file: the whole text, then synced, and a
// shorter text cut to its length. A file that is not there yet is refused, for the folder's sake.
TYPED_TEST(FilesContract, FolderThatTakesNoNewFileIsWrittenInPlace) {
  writeBytes(this->path, "[no1]\r\nx=1\r\n");
  EXPECT_TRUE(this->files.folderTakesNewFiles(this->dir.str()));
  {
    testing::ClosedFolder closed(this->dir.str(), this->path);
    if (!closed.made()) GTEST_SKIP() << "no folder can be closed to new files here";
    EXPECT_FALSE(this->files.folderTakesNewFiles(this->dir.str()));
    EXPECT_EQ(this->files.replaceFile(this->dir.file("new.ini"), "x"), FileFault::readOnlyFolder);
    EXPECT_EQ(writeini(this->files, this->path, "no1", "x", "22"), "1");
    EXPECT_EQ(readBytes(this->path), "[no1]\r\nx=22\r\n");
    EXPECT_EQ(writeini(this->files, this->path, "no1", "x", "3"), "1");
  }
  EXPECT_EQ(readBytes(this->path), "[no1]\r\nx=3\r\n");
  EXPECT_EQ(this->entriesInFolder(), 1u);
}

// A folder, a FIFO or a socket named config.ini: refused at once, never waited on, and left standing.
TYPED_TEST(FilesContract, WhatIsNotAFileIsNeitherReadNorReplaced) {
  using testing::NotAFile;
  int made = 0;
  for (const NotAFile kind : {NotAFile::folder, NotAFile::fifo, NotAFile::socket}) {
    const std::string name = this->dir.file("config" + std::to_string(static_cast<int>(kind)) + ".ini");
    if (!testing::makeNotAFile(name, kind)) continue;
    ++made;
    EXPECT_EQ(this->files.readFile(name, [](std::string_view) {}), FileFault::notAFile) << name;
    EXPECT_EQ(readini(this->files, name, "no1", "x", "d"), "d") << name;
    EXPECT_EQ(this->files.replaceFile(name, "[no1]\nx=1\n"), FileFault::notAFile) << name;
    EXPECT_EQ(writeiniAll(this->files, name, {{{"no1", "x", "1"}}}).fault, FileFault::notAFile) << name;
    EXPECT_EQ(this->files.fileExists(name), FileCheck::exists) << name;
    EXPECT_FALSE(fs::is_regular_file(fs::u8path(name))) << name;
  }
  EXPECT_GT(made, 0);
}

TYPED_TEST(FilesContract, UserSettingsFolderIsMadeWhereTheSystemSays) {
  testing::SettingsHomeIn home(this->dir.str());
  const SettingsFolder own = this->files.userSettingsDirectory();
  ASSERT_EQ(own.fault, FolderFault::none);
  if (home.expected) {
    EXPECT_EQ(own.path, *home.expected);
  }
  EXPECT_TRUE(fs::is_directory(fs::u8path(own.path)));
  EXPECT_TRUE(this->files.folderTakesNewFiles(own.path));
  EXPECT_EQ(this->files.userSettingsDirectory(), own);
}

// A settings folder that cannot be made names the folder in its way: a file where XDG_CONFIG_HOME points,
// or a home folder that is not there, which is the user's and never made.
TYPED_TEST(FilesContract, UserSettingsFolderThatCannotBeMadeNamesWhatIsInTheWay) {
  for (const auto base : {testing::SettingsBase::configHome, testing::SettingsBase::home}) {
    testing::SettingsHomeIn home(this->dir.str(), base);
    if (!home.expected) GTEST_SKIP() << "the system alone decides where the settings folder is";
    const bool fileInTheWay = base == testing::SettingsBase::configHome;
    if (fileInTheWay) writeBytes(*home.base, "");
    const SettingsFolder expected{*home.expected,
                                  fileInTheWay ? FolderFault::notAFolder : FolderFault::missing, *home.base};
    EXPECT_EQ(this->files.userSettingsDirectory(), expected);
    EXPECT_EQ(fs::exists(*home.base), fileInTheWay);
    fs::remove(*home.base);
  }
}

// The change keeps the size; only the modification time tells. (A change that also puts the old time
// back is not seen while the parse is reused, and is not tested.)
TYPED_TEST(FilesContract, OutsideEditOfTheSameSizeIsSeenByTheNextRead) {
  writeBytes(this->path, "[no1]\nx=1\n");
  fs::last_write_time(this->path, fs::file_time_type::clock::now() - std::chrono::seconds(10));
  ASSERT_EQ(readini(this->files, this->path, "no1", "x", "0"), "1");
  ASSERT_EQ(readini(this->files, this->path, "no1", "x", "0"), "1");
  writeBytes(this->path, "[no1]\nx=2\n");
  EXPECT_EQ(readini(this->files, this->path, "no1", "x", "0"), "2");
}

// Two changes within one tick of the file system's clock get the same time: a fresh file is not trusted.
TYPED_TEST(FilesContract, EditWithinTheTickOfTheLastChangeIsSeen) {
  const auto began = std::chrono::steady_clock::now();
  writeBytes(this->path, "[no1]\nx=1\n");
  const auto written = fs::last_write_time(this->path);
  ASSERT_EQ(readini(this->files, this->path, "no1", "x", "0"), "1");
  writeBytes(this->path, "[no1]\nx=2\n");
  fs::last_write_time(this->path, written);
  const std::string read = readini(this->files, this->path, "no1", "x", "0");
  // Only a file changed within the last 100 ms is parsed again whatever its stamp says.
  if (std::chrono::steady_clock::now() - began > std::chrono::milliseconds(80))
    GTEST_SKIP() << "the machine was too slow to stay within one tick of the change";
  EXPECT_EQ(read, "2");
}

TYPED_TEST(FilesContract, ExistenceCheckThatCannotLookIsAFailure) {
  writeBytes(this->dir.file("plain"), "");
  EXPECT_EQ(this->files.fileExists(this->dir.file("plain")), FileCheck::exists);
  EXPECT_EQ(this->files.fileExists(this->dir.file("absent")), FileCheck::missing);
  EXPECT_EQ(this->files.fileExists(testing::unexaminablePath(this->dir.str())), FileCheck::failed);
}

// A value reaches the file in the system's encoding and comes back as it was, or is refused: never '?'.
TYPED_TEST(FilesContract, ValuesRoundTripThroughTheFileEncodingOrAreRefused) {
  for (const std::string value : {"12a", "宋体", "é", "Ω≈"}) {
    const auto bytes = this->files.valueToFile(value);
    EXPECT_EQ(writeini(this->files, this->path, "no1", "x", value), bytes ? "1" : "0") << value;
    if (!bytes) continue;
    EXPECT_EQ(this->files.valueFromFile(*bytes), value);
    EXPECT_EQ(readini(this->files, this->path, "no1", "x", "0"), value);
  }
  EXPECT_TRUE(this->files.valueToFile("12a").has_value());
}

}  // namespace
}  // namespace quorvel
