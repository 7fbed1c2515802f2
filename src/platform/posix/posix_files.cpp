#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
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

std::optional<std::string> NativeFiles::readFile(const std::string& path) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return std::nullopt;
  std::string contents;
  char buffer[8192];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) return contents;
    contents.append(buffer, static_cast<std::size_t>(n));
  }
}

bool NativeFiles::replaceFile(const std::string& path, std::string_view contents) {
  const std::string target = resolveTarget(path);
  const std::string directory = directoryOf(target);

  mode_t mode = creationMode();
  struct stat st {};
  const bool existed = ::stat(target.c_str(), &st) == 0;
  if (existed) {
    // A file we may not write stays as it is, even though the folder would let us replace it.
    if (::access(target.c_str(), W_OK) != 0) return false;
    mode = st.st_mode & 07777;
  } else if (errno != ENOENT) {
    return false;
  }

  std::string temporary = target + ".XXXXXX";
  FileDescriptor fd(::mkstemp(temporary.data()));
  if (fd.get() < 0) return false;
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

std::string NativeFiles::executableDirectory() const {
  std::string exe(static_cast<std::size_t>(PATH_MAX), '\0');
  const ssize_t n = ::readlink("/proc/self/exe", exe.data(), exe.size());
  if (n <= 0) return ".";
  exe.resize(static_cast<std::size_t>(n));
  return directoryOf(exe);
}

char NativeFiles::pathSeparator() const { return '/'; }

std::string_view NativeFiles::nativeLineEnd() const { return "\n"; }

}  // namespace quorvel
