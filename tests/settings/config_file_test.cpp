#include "settings/config_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <tuple>

#include "platform/files.h"
#include "platform/native_files/fake_files.h"
#include "settings/ini_profile.h"
#include "settings/mdini.h"
#include "support/temp_dir.h"

namespace quorvel {
namespace {

using testing::readBytes;
using testing::TempDir;

class ConfigFileTest : public ::testing::Test {
 protected:
  TempDir dir;
  FakeFiles files{dir.str()};
  const std::string path = portableConfigPath(files);
};

// Beside the program when the file is there or the folder takes new files; else in the user's folder.
TEST_F(ConfigFileTest, ConfigLivesBesideTheProgramWhereItCanElseInTheUsersFolder) {
  EXPECT_EQ(portableConfigPath(files), dir.str() + files.pathSeparator() + "config.ini");
  const std::string own = dir.file("own");
  const struct {
    bool fileBeside;
    bool folderTakesFiles;
    bool userFolder;
    std::string chosen;
  } cases[] = {{false, true, true, dir.str()},
               {true, false, true, dir.str()},
               {false, false, true, own},
               {false, false, false, dir.str()}};  // nothing better: reads give "0", Save says why
  for (const auto& [fileBeside, folderTakesFiles, userFolder, chosen] : cases) {
    FakeFiles one(dir.str());
    one.keepFilesInMemory();
    if (fileBeside) one.replaceFile(portableConfigPath(one), "");
    if (!folderTakesFiles) one.refuseNewFiles(dir.str());
    if (userFolder) one.setUserSettingsDirectory(own);
    EXPECT_EQ(chooseConfigDirectory(one)->directory, chosen) << fileBeside << folderTakesFiles << userFolder;
  }
  files.failFileChecks(1);
  EXPECT_EQ(chooseConfigDirectory(files), std::nullopt);
  EXPECT_EQ(slotSection(1), "no1");
  EXPECT_EQ(slotSection(20), "no20");
}

TEST_F(ConfigFileTest, DefaultFileHoldsAllKeysInOrder) {
  defaultconfig(files, path);
  const std::string eol(files.nativeLineEnd());
  std::string expected = "[screen]" + eol + "x=0" + eol + "y=0" + eol;
  for (int i = 1; i <= 20; ++i) {
    expected += "[no" + std::to_string(i) + "]" + eol;
    for (const char* key : {"x", "y", "t", "f"}) expected += std::string(key) + "=0" + eol;
  }
  EXPECT_EQ(readBytes(path), expected);
  EXPECT_EQ(files.fileWrites(), 82);
}

TEST_F(ConfigFileTest, WriteconfigStoresTheSlotVerbatimAndThePosition) {
  defaultconfig(files, path);
  ASSERT_TRUE(writeconfig(files, path, "no7", SlotFields{"12a", "", " 3", 2}, 3000, -120));
  EXPECT_EQ(readini(files, path, "no7", "x", "0"), "12a");
  EXPECT_EQ(readini(files, path, "no7", "y", "0"), "");
  EXPECT_EQ(readini(files, path, "no7", "t", "0"), " 3");
  EXPECT_EQ(readini(files, path, "no7", "f", "0"), "2");
  EXPECT_EQ(readini(files, path, "screen", "x", "0"), "3000");
  EXPECT_EQ(readini(files, path, "screen", "y", "0"), "-120");
  EXPECT_EQ(readini(files, path, "no6", "x", "?"), "0");
}

// Each step a Save goes through, failing at each of its calls: the file keeps every byte.
TEST_F(ConfigFileTest, SaveThatFailsAtAnyStepLeavesTheFileAsItWas) {
  const std::string original = "\xEF\xBB\xBF[screen]\r\nx = 15\r\n[no1]\r\nx=1\r\n";
  testing::writeBytes(path, original);
  const struct {
    FileStep step;
    int calls;
  } steps[] = {{FileStep::check, 1}, {FileStep::read, 1}, {FileStep::encode, 6}, {FileStep::write, 1}};
  for (const auto& [step, calls] : steps) {
    for (int after = 0; after < calls; ++after) {
      files.failStep(step, 1, after);
      EXPECT_FALSE(writeconfig(files, path, "no1", SlotFields{"7", "8", "9", 1}, 30, 45))
          << int(step) << " " << after;
      EXPECT_EQ(readBytes(path), original) << int(step) << " " << after;
      files.failStep(step, 0);
    }
  }
  EXPECT_TRUE(writeconfig(files, path, "no1", SlotFields{"7", "8", "9", 1}, 30, 45));
  EXPECT_EQ(readini(files, path, "screen", "y", "?"), "45");
}

TEST_F(ConfigFileTest, OneReplaceLeavesTheBytesOfSixSingleWrites) {
  const std::string originals[] = {
      "", "[screen]\r\nx=0\r\ny=0\r\n[no3]\r\nx=1\r\n", "[no3]\nt=4\n\n[screen]\ny=2",
      "\xEF\xBB\xBF[NO3]\r\nX = 1\r\nx=2\r\n[no3]\r\ny=3\r\n", "; comment\n[other]\nk=v\n"};
  for (const std::string& original : originals) {
    FakeFiles once(dir.str()), sixTimes(dir.str());
    once.keepFilesInMemory();
    sixTimes.keepFilesInMemory();
    if (!original.empty()) {
      once.replaceFile(path, original);
      sixTimes.replaceFile(path, original);
    }
    ASSERT_TRUE(writeconfig(once, path, "no3", SlotFields{" 12a", "", "\"5\"", 2}, -120, 3000));
    const std::tuple<const char*, const char*, const char*> singles[] = {
        {"no3", "x", " 12a"}, {"no3", "y", ""},        {"no3", "t", "\"5\""},
        {"no3", "f", "2"},    {"screen", "x", "-120"}, {"screen", "y", "3000"}};
    for (const auto& [section, key, value] : singles)
      ASSERT_EQ(writeini(sixTimes, path, section, key, value), "1");
    EXPECT_EQ(readWholeFile(once, path), readWholeFile(sixTimes, path)) << original;
    EXPECT_EQ(once.fileWrites(), original.empty() ? 1 : 2);
  }
}

TEST_F(ConfigFileTest, WriteconfigRefusesAFieldThatWouldAddLines) {
  defaultconfig(files, path);
  const std::string before = readBytes(path);
  EXPECT_FALSE(writeconfig(files, path, "no1", SlotFields{"1\r\n[no2]", "2", "3", 1}, 0, 0));
  EXPECT_EQ(readBytes(path), before);
}

// A crash between creating the temporary file and the rename leaves it behind; start-up clears old ones.
TEST_F(ConfigFileTest, StartUpRemovesOldLeftoversOnly) {
  namespace fs = std::filesystem;
  const std::string names[] = {"config.ini.Ab12Cd.quorvel-tmp", "config.ini.Zz99Yy.quorvel-tmp",
                               "config.ini.old", "notes.quorvel-tmp"};
  for (const std::string& name : names) testing::writeBytes(dir.file(name), "x");
  const auto longAgo = fs::file_time_type::clock::now() - std::chrono::minutes(2);
  for (const std::string& name : {names[0], names[2], names[3]}) fs::last_write_time(dir.file(name), longAgo);
  removeLeftovers(files, dir.str());
  EXPECT_FALSE(fs::exists(dir.file(names[0]))) << "an old leftover goes";
  EXPECT_TRUE(fs::exists(dir.file(names[1]))) << "a fresh one may be another copy saving now";
  EXPECT_TRUE(fs::exists(dir.file(names[2])));
  EXPECT_TRUE(fs::exists(dir.file(names[3])));
}

}  // namespace
}  // namespace quorvel
