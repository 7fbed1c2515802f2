// File operations of the operating system the program runs on. One implementation is linked:
// posix/posix_files.cpp or win32/win32_files.cpp.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace quorvel {

class NativeFiles final : public Files {
 public:
  std::string executableDirectory() const override;
  SettingsFolder userSettingsDirectory() override;
  bool folderTakesNewFiles(const std::string& directory) override;
  char pathSeparator() const override;
  FileCheck fileExists(const std::string& path) override;
  std::optional<FileStamp> stamp(const std::string& path) override;
  FileFault readFile(const std::string& path, const std::function<void(std::string_view)>& piece) override;
  // Writes "<target>.<random>.quorvel-tmp" beside the target (a symlink is followed to its target), flushes
  // it to the disk and renames it over the target, keeping the target's permissions; on any failure the
  // target is left untouched and the temporary file removed. A target with several hard links is replaced
  // too: the other names keep the old text. When the folder refuses the temporary file, the target is
  // rewritten in place and synced, in an order that leaves it reading as the old text or the new.
  FileFault replaceFile(const std::string& path, std::string_view contents) override;
  std::vector<std::string> fileNames(const std::string& directory) override;
  bool removeFile(const std::string& path) override;
  std::string_view nativeLineEnd() const override;
  std::string valueFromFile(std::string_view bytes) const override;
  std::optional<std::string> valueToFile(std::string_view utf8) const override;
};

}  // namespace quorvel
