// File operations, apart from the window system: what settings/ needs of the disk. The native
// implementation (POSIX or Win32) is linked into the program; tests use a fake with failure injection.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Outcome of asking whether a file exists: the question itself can fail.
enum class FileCheck { exists, missing, failed };

class Files {
 public:
  virtual ~Files() = default;

  // Paths are UTF-8. The directory comes without a trailing separator.
  virtual std::string executableDirectory() const = 0;
  virtual char pathSeparator() const = 0;
  virtual FileCheck fileExists(const std::string& path) = 0;
  // The whole file, or nothing when it is missing or cannot be read.
  virtual std::optional<std::string> readFile(const std::string& path) = 0;
  // Replaces the file's contents atomically: on failure the old file is left exactly as it was.
  virtual bool replaceFile(const std::string& path, std::string_view contents) = 0;
  // The line end that a new text file gets on this system.
  virtual std::string_view nativeLineEnd() const = 0;
};

}  // namespace quorvel
