#include "platform/fake/fake_files.h"

namespace quorvel {

FakeFiles::FakeFiles(std::string executableDirectory) : executableDirectory_(std::move(executableDirectory)) {}

std::string FakeFiles::executableDirectory() const { return executableDirectory_; }

char FakeFiles::pathSeparator() const { return native_.pathSeparator(); }

FileCheck FakeFiles::fileExists(const std::string& path) {
  if (failingChecks_ > 0) {
    --failingChecks_;
    return FileCheck::failed;
  }
  if (memoryFiles_) return memoryFiles_->contains(path) ? FileCheck::exists : FileCheck::missing;
  return native_.fileExists(path);
}

std::optional<std::string> FakeFiles::readFile(const std::string& path) {
  if (memoryFiles_) {
    const auto file = memoryFiles_->find(path);
    return file == memoryFiles_->end() ? std::nullopt : std::optional<std::string>(file->second);
  }
  return native_.readFile(path);
}

bool FakeFiles::replaceFile(const std::string& path, std::string_view contents) {
  ++fileWrites_;
  if (writesBeforeFailing_ > 0) {
    --writesBeforeFailing_;
  } else if (failingWrites_ > 0) {
    --failingWrites_;
    return false;
  }
  if (memoryFiles_) {
    (*memoryFiles_)[path] = contents;
    return true;
  }
  return native_.replaceFile(path, contents);
}

std::string_view FakeFiles::nativeLineEnd() const { return native_.nativeLineEnd(); }

}  // namespace quorvel
