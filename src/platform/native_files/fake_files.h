// Files for tests: real files in a folder the test chooses (or kept in memory), and single operations
// that can be made to fail.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/native_files.h"

namespace quorvel {

// The operations a write of settings goes through, each of which can be made to fail.
enum class FileStep { check, read, encode, write };

class FakeFiles final : public Files {
 public:
  explicit FakeFiles(std::string executableDirectory);

  // Keeps files in memory instead of the folder, for runs that read the file hundreds of thousands of
  // times and test something else.
  void keepFilesInMemory() { memoryFiles_.emplace(); }

  // Failure injection: after `after` more calls of the step that work, the next `count` ones fail, a read
  // or a write with `fault`.
  void failStep(FileStep step, int count, int after = 0, FileFault fault = FileFault::other);
  void failFileChecks(int count) { failStep(FileStep::check, count); }
  void failFileWrites(int count, int after = 0) { failStep(FileStep::write, count, after); }
  int fileWrites() const { return fileWrites_; }
  int fileReads() const { return fileReads_; }

  // An installed program: the folder takes no new file, as a folder of programs refuses its users.
  void refuseNewFiles(const std::string& folder) { closedFolders_.insert(folder); }
  // The user's settings folder that userSettingsDirectory() gives, made when asked for; by default there
  // is none, for want of a home folder.
  void setUserSettingsDirectory(std::string folder) {
    userSettingsDirectory_ = SettingsFolder{std::move(folder), FolderFault::none, ""};
  }
  // The user's settings folder cannot be had, for the reason given.
  void refuseUserSettingsDirectory(SettingsFolder why) { userSettingsDirectory_ = std::move(why); }
  // Characters that the file's encoding lacks, as a code page lacks most of Unicode.
  void lackCharacters(std::string utf8) { lacking_ = std::move(utf8); }
  // Runs before every stamp and read of a file: another program changing it between two looks.
  void beforeEachLook(std::function<void()> hook) { beforeEachLook_ = std::move(hook); }

  std::string executableDirectory() const override;
  SettingsFolder userSettingsDirectory() override;
  bool folderTakesNewFiles(const std::string& directory) override;
  char pathSeparator() const override;
  FileCheck fileExists(const std::string& path) override;
  std::optional<FileStamp> stamp(const std::string& path) override;
  FileFault readFile(const std::string& path, const std::function<void(std::string_view)>& piece) override;
  FileFault replaceFile(const std::string& path, std::string_view contents) override;
  std::vector<std::string> fileNames(const std::string& directory) override;
  bool removeFile(const std::string& path) override;
  std::string_view nativeLineEnd() const override;
  std::string valueFromFile(std::string_view bytes) const override;
  std::optional<std::string> valueToFile(std::string_view utf8) const override;

 private:
  struct Failures {
    int count = 0;
    int after = 0;
    FileFault fault = FileFault::other;
  };
  struct MemoryFile {
    std::string contents;
    std::uint64_t index = 0;  // a new one for every replace, as a rename gives the name a new inode
  };
  bool failsNow(FileStep step) const;
  void look() const;
  bool inClosedFolder(const std::string& path) const;

  NativeFiles native_;
  std::string executableDirectory_;
  mutable std::array<Failures, 4> failures_{};
  int fileWrites_ = 0;
  int fileReads_ = 0;
  std::optional<std::map<std::string, MemoryFile>> memoryFiles_;
  std::set<std::string> closedFolders_;
  SettingsFolder userSettingsDirectory_{"", FolderFault::noHome, ""};
  std::string lacking_;
  std::function<void()> beforeEachLook_;
};

}  // namespace quorvel
