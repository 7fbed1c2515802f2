// File operations, apart from the window system: what settings/ needs of the disk. The native
// implementation (POSIX or Win32) is linked into the program; tests use a fake with failure injection.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Outcome of asking whether a file exists: the question itself can fail.
enum class FileCheck { exists, missing, failed };

// Why a file could not be read or written; `none` when it could. `notAFile` is a folder, a FIFO, a device
// or a socket under the file's name; `unencodable`, a value that the file's encoding cannot hold.
enum class FileFault {
  none,
  missing,
  notAFile,
  unreadable,
  readOnlyFile,
  readOnlyFolder,
  diskFull,
  unencodable,
  other
};

// What keeps a folder from being used: `noHome`, no home folder to put it in; `readOnly`, a folder that
// refused the new folder inside it.
enum class FolderFault { none, noHome, missing, readOnly, notAFolder, other };

// This user's folder for the program's settings, or the folder that was tried and what stood in its way.
struct SettingsFolder {
  std::string path;  // empty when there was no home to put it in
  FolderFault fault = FolderFault::none;
  std::string faultAt;  // the folder the fault is at: `path` or one on the way to it
  bool operator==(const SettingsFolder&) const = default;
};

// Ending of the temporary files that a replace makes beside its target ("config.ini.<random>.quorvel-tmp").
inline constexpr std::string_view kTemporaryFileEnding = ".quorvel-tmp";

// One state of a file, as the system describes it without reading it.
struct FileStamp {
  std::uint64_t volume = 0;  // device, or volume serial number
  std::uint64_t index = 0;   // inode, or file index on the volume
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // in the system's own unit at full precision: compared, never converted
  // How long ago the modification was by the system clock (negative: in the future), and whether its time
  // falls on a whole second, as on file systems that keep only seconds or two.
  std::int64_t ageMilliseconds = 0;
  bool wholeSecond = false;

  // Same file, same size, same modification time.
  bool sameState(const FileStamp& other) const {
    return volume == other.volume && index == other.index && size == other.size && modified == other.modified;
  }
};

class Files {
 public:
  virtual ~Files() = default;

  // Paths are UTF-8. The directory comes without a trailing separator.
  virtual std::string executableDirectory() const = 0;
  // This user's folder for this program's settings ($XDG_CONFIG_HOME/quorvel, %APPDATA%\Quorvel), made
  // when missing; or why there is none.
  virtual SettingsFolder userSettingsDirectory() = 0;
  // Whether a new file can be made in the folder: tried, not guessed from permissions, and undone.
  virtual bool folderTakesNewFiles(const std::string& directory) = 0;
  virtual char pathSeparator() const = 0;
  virtual FileCheck fileExists(const std::string& path) = 0;
  // The state of the file a path leads to (symlinks followed), or nothing when it cannot be examined.
  virtual std::optional<FileStamp> stamp(const std::string& path) = 0;
  // Hands the file's bytes to `piece` in order, a bounded piece at a time. Only a regular file is read, and
  // nothing else under its name ever makes this wait. On a fault, `piece` may have seen part of the file.
  virtual FileFault readFile(const std::string& path, const std::function<void(std::string_view)>& piece) = 0;
  // Replaces the file's contents. Where a temporary file can be made beside the target, atomically: on
  // failure the old file is left exactly as it was. Where the folder refuses one but the file itself is
  // writable, in place. A file without write permission (POSIX) or with the read-only attribute (Windows)
  // is refused whoever runs the program, and so is anything under the name that is not a regular file.
  virtual FileFault replaceFile(const std::string& path, std::string_view contents) = 0;
  // Names of the entries of a folder (no "." or ".."); empty when it cannot be listed.
  virtual std::vector<std::string> fileNames(const std::string& directory) = 0;
  virtual bool removeFile(const std::string& path) = 0;
  // The line end that a new text file gets on this system.
  virtual std::string_view nativeLineEnd() const = 0;
  // INI values are stored in the system's own text encoding and handled as UTF-8 by the program. A value
  // that the file's encoding cannot hold gives nothing, so that it is refused rather than mangled.
  virtual std::string valueFromFile(std::string_view bytes) const = 0;
  virtual std::optional<std::string> valueToFile(std::string_view utf8) const = 0;
};

// The whole file, or nothing when it is missing or cannot be read.
inline std::optional<std::string> readWholeFile(Files& files, const std::string& path) {
  std::string contents;
  if (files.readFile(path, [&contents](std::string_view piece) { contents += piece; }) != FileFault::none) {
    return std::nullopt;
  }
  return contents;
}

}  // namespace quorvel
