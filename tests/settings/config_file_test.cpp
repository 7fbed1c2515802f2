#include "settings/config_file.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_files.h"
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
};

TEST_F(ConfigFileTest, PathIsInTheExecutableDirectory) {
  EXPECT_EQ(configPath(files), dir.str() + files.pathSeparator() + "config.ini");
  EXPECT_EQ(slotSection(1), "no1");
  EXPECT_EQ(slotSection(20), "no20");
}

TEST_F(ConfigFileTest, DefaultFileHoldsAllKeysInOrder) {
  defaultconfig(files);
  const std::string eol(files.nativeLineEnd());
  std::string expected = "[screen]" + eol + "x=0" + eol + "y=0" + eol;
  for (int i = 1; i <= 20; ++i) {
    expected += "[no" + std::to_string(i) + "]" + eol;
    for (const char* key : {"x", "y", "t", "f"}) expected += std::string(key) + "=0" + eol;
  }
  EXPECT_EQ(readBytes(configPath(files)), expected);
  EXPECT_EQ(files.fileWrites(), 82);
}

TEST_F(ConfigFileTest, WriteconfigStoresTheSlotVerbatimAndThePosition) {
  defaultconfig(files);
  ASSERT_TRUE(writeconfig(files, "no7", SlotFields{"12a", "", " 3", 2}, 3000, -120));
  const std::string path = configPath(files);
  EXPECT_EQ(readini(files, path, "no7", "x", "0"), "12a");
  EXPECT_EQ(readini(files, path, "no7", "y", "0"), "");
  EXPECT_EQ(readini(files, path, "no7", "t", "0"), " 3");
  EXPECT_EQ(readini(files, path, "no7", "f", "0"), "2");
  EXPECT_EQ(readini(files, path, "screen", "x", "0"), "3000");
  EXPECT_EQ(readini(files, path, "screen", "y", "0"), "-120");
  EXPECT_EQ(readini(files, path, "no6", "x", "?"), "0");
}

TEST_F(ConfigFileTest, WriteconfigReportsAnyFailedWrite) {
  defaultconfig(files);
  for (int failAt = 0; failAt < 6; ++failAt) {
    const int before = files.fileWrites();
    files.failFileWrites(1, failAt);
    EXPECT_FALSE(writeconfig(files, "no1", SlotFields{"1", "2", "3", 1}, 0, 0)) << "failing write " << failAt;
    EXPECT_EQ(files.fileWrites() - before, 6) << "every write is still attempted";
  }
  EXPECT_TRUE(writeconfig(files, "no1", SlotFields{"1", "2", "3", 1}, 0, 0));
}

TEST_F(ConfigFileTest, WriteconfigRefusesAFieldThatWouldAddLines) {
  defaultconfig(files);
  const std::string before = readBytes(configPath(files));
  EXPECT_FALSE(writeconfig(files, "no1", SlotFields{"1\r\n[no2]", "2", "3", 1}, 0, 0));
  EXPECT_EQ(iniLookup(readBytes(configPath(files)), "no1", "x"), "0");
  EXPECT_EQ(iniLookup(readBytes(configPath(files)), "no2", "x"), "0");
  EXPECT_NE(readBytes(configPath(files)), before) << "the other five writes still happen";
}

}  // namespace
}  // namespace quorvel
