// File operations of the operating system the program runs on. One implementation is linked:
// posix/posix_files.cpp or win32/win32_files.cpp.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace quorvel {

class NativeFiles final : public Files {
 public:
  std::string executableDirectory() const override;
  char pathSeparator() const override;
  FileCheck fileExists(const std::string& path) override;
  std::optional<std::string> readFile(const std::string& path) override;
  // Writes a temporary file beside the target (a symlink is followed to its target), flushes it to the
  // disk and renames it over the target, keeping the target's permissions. On any failure the target is
  // left untouched and the temporary file removed.
  bool replaceFile(const std::string& path, std::string_view contents) override;
  std::string_view nativeLineEnd() const override;
};

}  // namespace quorvel
