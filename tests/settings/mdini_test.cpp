#include "settings/mdini.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/native_files/fake_files.h"
#include "support/temp_dir.h"

namespace quorvel {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

class MdiniTest : public ::testing::Test {
 protected:
  TempDir dir;
  FakeFiles files{dir.str()};
  std::string path = dir.file("config.ini");

  std::string read(const char* section, const char* key) { return readini(files, path, section, key, "0"); }
  std::string write(const char* section, const char* key, std::string_view value) {
    return writeini(files, path, section, key, value);
  }
  // Only config.ini itself may remain: no temporary file is left behind.
  void expectOnlyConfigInFolder() {
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      ++entries;
      EXPECT_EQ(entry.path().filename(), "config.ini");
    }
    EXPECT_LE(entries, 1);
  }
};

TEST_F(MdiniTest, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(read("no1", "x"), "0");
  writeBytes(path, "[no1]\nx=\n");
  EXPECT_EQ(read("no1", "x"), "");
  EXPECT_EQ(read("no1", "y"), "0");
  EXPECT_EQ(read("no2", "x"), "0");
}

TEST_F(MdiniTest, ValuesAreCutAtNulAndAfter253Bytes) {
  writeBytes(path, "[a]\nlong=" + std::string(300, 'z') + "\nnul=12" + std::string(1, '\0') + "34\n");
  EXPECT_EQ(read("a", "long"), std::string(253, 'z'));
  EXPECT_EQ(read("a", "nul"), "12");
}

TEST_F(MdiniTest, EveryCallSeesTheFileAsItIsNow) {
  EXPECT_EQ(write("no1", "x", "5"), "1");
  EXPECT_EQ(read("no1", "x"), "5");
  writeBytes(path, "[no1]\r\nx=7\r\n");
  EXPECT_EQ(read("no1", "x"), "7");
  EXPECT_EQ(write("no1", "y", "8"), "1");
  EXPECT_EQ(readBytes(path), "[no1]\r\nx=7\r\ny=8\r\n");
}

TEST_F(MdiniTest, FailedWriteReportsZeroAndLeavesTheFileByteForByte) {
  const std::string original = "\xEF\xBB\xBF[no1]\r\nx = 1 \r\n\r\n";
  writeBytes(path, original);
  files.failFileWrites(1);
  EXPECT_EQ(write("no1", "x", "2"), "0");
  EXPECT_EQ(readBytes(path), original);
  EXPECT_EQ(write("no1", "x", "2"), "1");
  EXPECT_EQ(read("no1", "x"), "2");
  expectOnlyConfigInFolder();
}

TEST_F(MdiniTest, FailedExistenceCheckWritesNothing) {
  writeBytes(path, "[no1]\nx=1\n");
  files.failFileChecks(1);
  EXPECT_EQ(write("no1", "x", "2"), "0");
  EXPECT_EQ(readBytes(path), "[no1]\nx=1\n");
}

TEST_F(MdiniTest, ValuesThatWouldAddLinesAreRefused) {
  writeBytes(path, "[no1]\nx=1\n");
  for (const std::string& bad :
       {std::string("2\r\n[no2]"), std::string("2\ny=3"), std::string("2\rz"), std::string("2\0003", 3)}) {
    EXPECT_EQ(write("no1", "x", bad), "0");
    EXPECT_EQ(readBytes(path), "[no1]\nx=1\n");
  }
  EXPECT_EQ(files.fileWrites(), 0);
}

TEST_F(MdiniTest, BlankEdgedAndQuotedValuesRoundTrip) {
  for (const char* value : {" 12", "12 ", "\t1\t", "\"5\"", "'5'", " "}) {
    ASSERT_EQ(write("no3", "t", value), "1");
    EXPECT_EQ(read("no3", "t"), value);
  }
}

TEST_F(MdiniTest, ReadsOfAnUnchangedFileReadItOnceAndSeeEveryWrite) {
  FakeFiles memory(dir.str());
  memory.keepFilesInMemory();
  ASSERT_EQ(writeini(memory, path, "no1", "x", "5"), "1");
  for (int i = 0; i < 80; ++i) ASSERT_EQ(readini(memory, path, "NO1", "X", "0"), "5");
  EXPECT_EQ(memory.fileReads(), 1) << "eighty reads, one parse";
  ASSERT_EQ(writeini(memory, path, "no1", "x", "6"), "1");
  EXPECT_EQ(readini(memory, path, "no1", "x", "0"), "6");
}

TEST_F(MdiniTest, ValueTheFileCannotHoldIsRefused) {
  writeBytes(path, "[no1]\nx=1\n");
  files.failStep(FileStep::encode, 1);
  EXPECT_EQ(write("no1", "x", "2"), "0");
  EXPECT_EQ(readBytes(path), "[no1]\nx=1\n");
  EXPECT_EQ(files.fileWrites(), 0);
}

TEST_F(MdiniTest, UnwritableTargetReportsZero) {
  const std::string inMissingFolder = dir.file("no-such-folder") + files.pathSeparator() + "config.ini";
  EXPECT_EQ(writeini(files, inMissingFolder, "no1", "x", "1"), "0");
  EXPECT_EQ(readini(files, inMissingFolder, "no1", "x", "d"), "d");
}

}  // namespace
}  // namespace quorvel
