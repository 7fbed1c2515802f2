#include "platform/native_files/fake_files.h"

#include <filesystem>

#include "base/utf.h"

namespace quorvel {
namespace {

// Process-wide, so that no two files kept in memory, in any fake, ever look like the same file.
std::uint64_t nextMemoryIndex() {
  static std::uint64_t last = 0;
  return ++last;
}

}  // namespace

FakeFiles::FakeFiles(std::string executableDirectory)
    : executableDirectory_(std::move(executableDirectory)) {}

void FakeFiles::failStep(FileStep step, int count, int after, FileFault fault) {
  failures_[static_cast<std::size_t>(step)] = Failures{count, after, fault};
}

bool FakeFiles::failsNow(FileStep step) const {
  Failures& f = failures_[static_cast<std::size_t>(step)];
  if (f.after > 0) {
    --f.after;
    return false;
  }
  if (f.count == 0) return false;
  --f.count;
  return true;
}

void FakeFiles::look() const {
  if (beforeEachLook_) beforeEachLook_();
}

bool FakeFiles::inClosedFolder(const std::string& path) const {
  const auto separator = path.find_last_of(pathSeparator());
  return separator != std::string::npos && closedFolders_.contains(path.substr(0, separator));
}

std::string FakeFiles::executableDirectory() const { return executableDirectory_; }

SettingsFolder FakeFiles::userSettingsDirectory() {
  if (userSettingsDirectory_.fault == FolderFault::none && !memoryFiles_) {
    std::filesystem::create_directories(userSettingsDirectory_.path);
  }
  return userSettingsDirectory_;
}

bool FakeFiles::folderTakesNewFiles(const std::string& directory) {
  if (closedFolders_.contains(directory)) return false;
  return memoryFiles_ || native_.folderTakesNewFiles(directory);
}

char FakeFiles::pathSeparator() const { return native_.pathSeparator(); }

FileCheck FakeFiles::fileExists(const std::string& path) {
  if (failsNow(FileStep::check)) return FileCheck::failed;
  if (memoryFiles_) return memoryFiles_->contains(path) ? FileCheck::exists : FileCheck::missing;
  return native_.fileExists(path);
}

std::optional<FileStamp> FakeFiles::stamp(const std::string& path) {
  look();
  if (!memoryFiles_) return native_.stamp(path);
  const auto file = memoryFiles_->find(path);
  if (file == memoryFiles_->end()) return std::nullopt;
  FileStamp result;
  result.index = file->second.index;
  result.size = file->second.contents.size();
  result.ageMilliseconds = 3'600'000;  // long settled: nothing else writes these files
  return result;
}

FileFault FakeFiles::readFile(const std::string& path, const std::function<void(std::string_view)>& piece) {
  look();
  ++fileReads_;
  if (failsNow(FileStep::read)) return failures_[static_cast<std::size_t>(FileStep::read)].fault;
  if (!memoryFiles_) return native_.readFile(path, piece);
  const auto file = memoryFiles_->find(path);
  if (file == memoryFiles_->end()) return FileFault::missing;
  piece(file->second.contents);
  return FileFault::none;
}

FileFault FakeFiles::replaceFile(const std::string& path, std::string_view contents) {
  ++fileWrites_;
  if (failsNow(FileStep::write)) return failures_[static_cast<std::size_t>(FileStep::write)].fault;
  const bool missing =
      memoryFiles_ ? !memoryFiles_->contains(path) : native_.fileExists(path) == FileCheck::missing;
  if (missing && inClosedFolder(path)) return FileFault::readOnlyFolder;
  if (!memoryFiles_) return native_.replaceFile(path, contents);
  (*memoryFiles_)[path] = MemoryFile{std::string(contents), nextMemoryIndex()};
  return FileFault::none;
}

std::vector<std::string> FakeFiles::fileNames(const std::string& directory) {
  if (!memoryFiles_) return native_.fileNames(directory);
  std::vector<std::string> names;
  const std::string prefix = directory + pathSeparator();
  for (const auto& [path, file] : *memoryFiles_) {
    if (path.starts_with(prefix) && path.find(pathSeparator(), prefix.size()) == std::string::npos) {
      names.push_back(path.substr(prefix.size()));
    }
  }
  return names;
}

bool FakeFiles::removeFile(const std::string& path) {
  if (!memoryFiles_) return native_.removeFile(path);
  return memoryFiles_->erase(path) == 1;
}

std::string_view FakeFiles::nativeLineEnd() const { return native_.nativeLineEnd(); }

std::string FakeFiles::valueFromFile(std::string_view bytes) const { return native_.valueFromFile(bytes); }

std::optional<std::string> FakeFiles::valueToFile(std::string_view utf8) const {
  if (failsNow(FileStep::encode)) return std::nullopt;
  for (const char32_t c : codePoints(utf8)) {
    if (lacking_.find(toUtf8(c)) != std::string::npos) return std::nullopt;
  }
  return native_.valueToFile(utf8);
}

}  // namespace quorvel
