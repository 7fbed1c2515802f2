#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <pwd.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/native_files.h"
#include "platform/native_files/in_place_write.h"

namespace quorvel {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now so that a failing close (delayed write error) can be seen.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string directoryOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Where the bytes really go: a symlink (also a chain of them, also a dangling one) is followed.
std::string resolveTarget(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::string link(static_cast<std::size_t>(PATH_MAX), '\0');
    const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
    if (n < 0) return current;
    link.resize(static_cast<std::size_t>(n));
    current = link.starts_with('/') ? link : directoryOf(current) + "/" + link;
  }
  return current;
}

// Why a write failed, from the error the system gave.
FileFault writeFault(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return FileFault::diskFull;
    case EROFS:
      return FileFault::readOnlyFolder;
    default:
      return FileFault::other;
  }
}

// Opens what stands under the name only if it is a regular file. NOTE: O_NONBLOCK, because a FIFO put
// there after the check would otherwise wait for a writer for ever; the type is checked again on what was
// opened. O_NOCTTY keeps a terminal from becoming ours.
int openRegular(const std::string& path, int access, FileFault& fault) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    fault = FileFault::notAFile;
    return -1;
  }
  const int fd = ::open(path.c_str(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    fault = errno == ENOENT || errno == ENOTDIR ? FileFault::missing
            : errno == ENXIO                    ? FileFault::notAFile  // a socket
                                                : FileFault::other;
    return -1;
  }
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    fault = FileFault::notAFile;
    return -1;
  }
  fault = FileFault::none;
  return fd;
}

// A new file "<target>.<random>.quorvel-tmp" beside the target; its name is left in `name`.
int createTemporary(const std::string& target, std::string& name) {
  name = target + ".XXXXXX" + std::string(kTemporaryFileEnding);
  return ::mkostemps(name.data(), static_cast<int>(kTemporaryFileEnding.size()), O_CLOEXEC);
}

// The open file as the in-place writer drives it.
class DescriptorInPlace final : public InPlaceFile {
 public:
  explicit DescriptorInPlace(int fd) : fd_(fd) {}
  std::optional<std::uint64_t> size() override {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
  }
  // A file system that cannot claim space ahead meets a full disk in the write instead.
  bool reserve(std::uint64_t size) override {
    return ::fallocate(fd_, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0 || errno == EOPNOTSUPP;
  }
  bool writeFromStart(std::string_view bytes) override {
    return ::lseek(fd_, 0, SEEK_SET) == 0 && writeAll(fd_, bytes);
  }
  bool truncate(std::uint64_t size) override { return ::ftruncate(fd_, static_cast<off_t>(size)) == 0; }
  bool flush() override { return ::fsync(fd_) == 0; }

 private:
  int fd_;
};

// The whole text written over the file itself, for a folder that refuses a temporary file.
FileFault rewriteInPlace(const std::string& target, std::string_view contents) {
  FileFault fault = FileFault::none;
  FileDescriptor fd(openRegular(target, O_WRONLY, fault));
  if (fd.get() < 0) return fault == FileFault::other ? FileFault::readOnlyFile : fault;
  DescriptorInPlace file(fd.get());
  return writeInPlace(file, contents) && fd.close() ? FileFault::none : writeFault(errno);
}

// The temporary file filled, synced and renamed over the target; the error of the step that failed.
FileFault fillAndRename(FileDescriptor& fd, mode_t mode, std::string_view contents,
                        const std::string& temporary, const std::string& target) {
  const bool written = ::fchmod(fd.get(), mode) == 0 && writeAll(fd.get(), contents) &&
                       ::fsync(fd.get()) == 0 && fd.close() &&
                       ::rename(temporary.c_str(), target.c_str()) == 0;
  return written ? FileFault::none : writeFault(errno);
}

std::string inFolder(const std::string& folder, const std::string& name) {
  return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

// What keeps one folder on the way from being used; a missing one is made first, when `make` allows it.
FolderFault folderFault(const std::string& folder, bool make) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) == 0)
    return S_ISDIR(st.st_mode) ? FolderFault::none : FolderFault::notAFolder;
  if (errno != ENOENT) return FolderFault::other;
  if (!make) return FolderFault::missing;
  if (::mkdir(folder.c_str(), 0700) == 0) return FolderFault::none;
  return errno == EACCES || errno == EPERM || errno == EROFS ? FolderFault::readOnly : FolderFault::other;
}

// The folder, with every missing folder below `base` made, as XDG asks, for this user alone; `base`
// itself must be there. Else the first folder on the way that could not be had, or the one that refused it.
SettingsFolder madeFolder(const std::string& path, const std::string& base) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    const FolderFault fault = folderFault(folder, folder.size() > base.size());
    if (fault != FolderFault::none) {
      return SettingsFolder{path, fault, fault == FolderFault::readOnly ? directoryOf(folder) : folder};
    }
    if (slash == std::string::npos) return SettingsFolder{path, FolderFault::none, ""};
  }
}

std::optional<std::string> homeDirectory() {
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home);
  const passwd* user = ::getpwuid(::getuid());
  if (user && user->pw_dir && user->pw_dir[0] == '/') return std::string(user->pw_dir);
  return std::nullopt;
}

mode_t creationMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

FileCheck NativeFiles::fileExists(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return FileCheck::exists;
  if (errno == ENOENT) return FileCheck::missing;
  return FileCheck::failed;
}

std::optional<FileStamp> NativeFiles::stamp(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  struct timespec now {};
  ::clock_gettime(CLOCK_REALTIME, &now);
  FileStamp result;
  result.volume = static_cast<std::uint64_t>(st.st_dev);
  result.index = static_cast<std::uint64_t>(st.st_ino);
  result.size = static_cast<std::uint64_t>(st.st_size);
  result.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
  result.ageMilliseconds = static_cast<std::int64_t>(now.tv_sec - st.st_mtim.tv_sec) * 1000 +
                           (now.tv_nsec - st.st_mtim.tv_nsec) / 1'000'000;
  result.wholeSecond = st.st_mtim.tv_nsec == 0;
  return result;
}

FileFault NativeFiles::readFile(const std::string& path, const std::function<void(std::string_view)>& piece) {
  FileFault fault = FileFault::none;
  FileDescriptor fd(openRegular(path, O_RDONLY, fault));
  if (fd.get() < 0) return fault == FileFault::other ? FileFault::unreadable : fault;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return FileFault::unreadable;
    }
    if (n == 0) return FileFault::none;
    piece(std::string_view(buffer, static_cast<std::size_t>(n)));
  }
}

FileFault NativeFiles::replaceFile(const std::string& path, std::string_view contents) {
  const std::string target = resolveTarget(path);
  const std::string directory = directoryOf(target);

  mode_t mode = creationMode();
  struct stat st {};
  const bool existed = ::stat(target.c_str(), &st) == 0;
  if (existed) {
    if (!S_ISREG(st.st_mode)) return FileFault::notAFile;
    // Without a write permission bit the file is read-only for everyone: root too, whom the kernel would
    // let write it. A file only others may write stays as it is, though the folder would let us replace it.
    if ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) return FileFault::readOnlyFile;
    mode = st.st_mode & 07777;
  } else if (errno != ENOENT) {
    return FileFault::other;
  }

  // NOTE: O_TMPFILE with linkat would leave no name behind a crash, but linkat cannot replace an existing
  // file, so a named step before the rename would remain. The name below is ours alone; start-up removes
  // old ones.
  std::string temporary;
  FileDescriptor fd(createTemporary(target, temporary));
  if (fd.get() < 0) {
    const int error = errno;
    const bool folderRefused = error == EACCES || error == EPERM;
    if (existed && folderRefused) return rewriteInPlace(target, contents);
    return folderRefused ? FileFault::readOnlyFolder : writeFault(error);
  }
  // Keeping the owner is best effort: only a privileged user can give a file away.
  if (existed && ::fchown(fd.get(), st.st_uid, st.st_gid) != 0 && errno != EPERM) {
    ::unlink(temporary.c_str());
    return FileFault::other;
  }
  const FileFault fault = fillAndRename(fd, mode, contents, temporary, target);
  if (fault != FileFault::none) {
    ::unlink(temporary.c_str());
    return fault;
  }
  // The rename itself must reach the disk too.
  FileDescriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return FileFault::none;
}

std::vector<std::string> NativeFiles::fileNames(const std::string& directory) {
  std::vector<std::string> names;
  DIR* folder = ::opendir(directory.c_str());
  if (!folder) return names;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(folder);
  return names;
}

bool NativeFiles::removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::string NativeFiles::executableDirectory() const {
  std::string exe(static_cast<std::size_t>(PATH_MAX), '\0');
  const ssize_t n = ::readlink("/proc/self/exe", exe.data(), exe.size());
  if (n <= 0) return ".";
  exe.resize(static_cast<std::size_t>(n));
  return directoryOf(exe);
}

SettingsFolder NativeFiles::userSettingsDirectory() {
  // A relative XDG_CONFIG_HOME is to be ignored, as an empty one is. The home folder is the user's, never
  // made here.
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  if (configHome && configHome[0] == '/') return madeFolder(inFolder(configHome, "quorvel"), "/");
  const auto home = homeDirectory();
  if (!home) return SettingsFolder{"", FolderFault::noHome, ""};
  return madeFolder(inFolder(*home, ".config/quorvel"), *home);
}

bool NativeFiles::folderTakesNewFiles(const std::string& directory) {
  std::string probe;
  const int fd = createTemporary(directory + "/config.ini", probe);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

char NativeFiles::pathSeparator() const { return '/'; }

std::string_view NativeFiles::nativeLineEnd() const { return "\n"; }

// The file holds UTF-8 here, as everything else does.
std::string NativeFiles::valueFromFile(std::string_view bytes) const { return std::string(bytes); }

std::optional<std::string> NativeFiles::valueToFile(std::string_view utf8) const { return std::string(utf8); }

}  // namespace quorvel
