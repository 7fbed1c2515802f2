#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/native_files.h"

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

// The whole text written over the file itself, for a folder that refuses a temporary file. Space for a
// longer text is claimed first, so that a full disk stops the write before the first byte changes.
bool rewriteInPlace(const std::string& target, std::string_view contents, off_t oldSize) {
  FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
  if (fd.get() < 0) return false;
  const auto newSize = static_cast<off_t>(contents.size());
  if (newSize > oldSize && ::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, oldSize, newSize - oldSize) != 0 &&
      errno != EOPNOTSUPP) {
    return false;
  }
  return writeAll(fd.get(), contents) && ::ftruncate(fd.get(), newSize) == 0 && ::fsync(fd.get()) == 0 &&
         fd.close();
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

bool NativeFiles::readFile(const std::string& path, const std::function<void(std::string_view)>& piece) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return false;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    piece(std::string_view(buffer, static_cast<std::size_t>(n)));
  }
}

bool NativeFiles::replaceFile(const std::string& path, std::string_view contents) {
  const std::string target = resolveTarget(path);
  const std::string directory = directoryOf(target);

  mode_t mode = creationMode();
  struct stat st {};
  const bool existed = ::stat(target.c_str(), &st) == 0;
  if (existed) {
    // Without a write permission bit the file is read-only for everyone: root too, whom the kernel would
    // let write it. A file only others may write stays as it is, though the folder would let us replace it.
    if ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) return false;
    mode = st.st_mode & 07777;
  } else if (errno != ENOENT) {
    return false;
  }

  // NOTE: O_TMPFILE with linkat would leave no name behind a crash, but linkat cannot replace an existing
  // file, so a named step before the rename would remain. The name below is ours alone; start-up removes
  // old ones.
  std::string temporary = target + ".XXXXXX" + std::string(kTemporaryFileEnding);
  FileDescriptor fd(::mkostemps(temporary.data(), static_cast<int>(kTemporaryFileEnding.size()), O_CLOEXEC));
  if (fd.get() < 0) {
    const bool folderRefused = errno == EACCES || errno == EPERM;
    return existed && folderRefused && rewriteInPlace(target, contents, st.st_size);
  }
  // Keeping the owner is best effort: only a privileged user can give a file away.
  if (existed && ::fchown(fd.get(), st.st_uid, st.st_gid) != 0 && errno != EPERM) {
    ::unlink(temporary.c_str());
    return false;
  }
  const bool written = ::fchmod(fd.get(), mode) == 0 && writeAll(fd.get(), contents) &&
                       ::fsync(fd.get()) == 0 && fd.close() &&
                       ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!written) {
    ::unlink(temporary.c_str());
    return false;
  }
  // The rename itself must reach the disk too.
  FileDescriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return true;
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

char NativeFiles::pathSeparator() const { return '/'; }

std::string_view NativeFiles::nativeLineEnd() const { return "\n"; }

// The file holds UTF-8 here, as everything else does.
std::string NativeFiles::valueFromFile(std::string_view bytes) const { return std::string(bytes); }

std::optional<std::string> NativeFiles::valueToFile(std::string_view utf8) const { return std::string(utf8); }

}  // namespace quorvel
