// Files for tests: real files in a folder the test chooses (or kept in memory), and single operations
// that can be made to fail.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/files.h"
#include "platform/native_files.h"

namespace quorvel {

class FakeFiles final : public Files {
 public:
  explicit FakeFiles(std::string executableDirectory);

  // Keeps files in memory instead of the folder, for runs that read the file hundreds of thousands of
  // times and test something else.
  void keepFilesInMemory() { memoryFiles_.emplace(); }

  // Failure injection: after `after` more calls that work, the next `count` calls of the kind fail.
  void failFileChecks(int count) { failingChecks_ = count; }
  void failFileWrites(int count, int after = 0) {
    failingWrites_ = count;
    writesBeforeFailing_ = after;
  }
  int fileWrites() const { return fileWrites_; }

  std::string executableDirectory() const override;
  char pathSeparator() const override;
  FileCheck fileExists(const std::string& path) override;
  std::optional<std::string> readFile(const std::string& path) override;
  bool replaceFile(const std::string& path, std::string_view contents) override;
  std::string_view nativeLineEnd() const override;

 private:
  NativeFiles native_;
  std::string executableDirectory_;
  int failingChecks_ = 0;
  int failingWrites_ = 0;
  int writesBeforeFailing_ = 0;
  int fileWrites_ = 0;
  std::optional<std::map<std::string, std::string>> memoryFiles_;
};

}  // namespace quorvel
