#include <fcntl.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "contract/file_faults.h"

namespace quorvel::testing {
namespace {

// Root passes every permission check; to meet the checks a user meets, it acts as nobody for a while.
constexpr uid_t kNobody = 65534;

bool actAsNobody(const std::string& folder, const std::string& file) {
  if (::geteuid() != 0) return true;
  return ::chown(folder.c_str(), kNobody, kNobody) == 0 && ::chown(file.c_str(), kNobody, kNobody) == 0 &&
         ::seteuid(kNobody) == 0;
}

void actAsRootAgain() {
  if (::getuid() == 0) (void)!::seteuid(0);
}

std::optional<std::string> variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}

void restore(const char* name, const std::optional<std::string>& value) {
  value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
}

// Lets the traced child run to its next system-call stop, handing it `signal`; the stop's status.
int resumeUntilSystemCall(pid_t child, int signal) {
  ::ptrace(PTRACE_SYSCALL, child, nullptr, reinterpret_cast<void*>(static_cast<std::intptr_t>(signal)));
  int status = 0;
  ::waitpid(child, &status, 0);
  return status;
}

}  // namespace

std::optional<bool> runKilledAtSystemCall(const std::function<void()>& work, int call) {
  const pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
    ::raise(SIGSTOP);
    work();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFSTOPPED(status) || ::ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD) != 0) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return std::nullopt;
  }
  // Stops come in pairs, entering a call and leaving it; other stops are signals the child is handed on.
  bool inCall = false;
  int entered = 0;
  int signal = 0;
  for (;;) {
    status = resumeUntilSystemCall(child, signal);
    if (WIFEXITED(status)) return false;
    if (WIFSIGNALED(status)) return true;
    signal = WSTOPSIG(status) == (SIGTRAP | 0x80) ? 0 : WSTOPSIG(status);
    if (signal == 0 && !inCall && ++entered == call) break;
    if (signal == 0) inCall = !inCall;
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, &status, 0);
  return true;
}

// A file-size limit: a full disk that works for root too.
ReplaceFailure::ReplaceFailure(const std::string&) {
  struct rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit tiny = saved;
  tiny.rlim_cur = 8;
  ::setrlimit(RLIMIT_FSIZE, &tiny);
  undo_ = [saved, previousHandler] {
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
  };
}

UnreadableFile::UnreadableFile(const std::string& folder, const std::string& file) {
  ::chmod(file.c_str(), 0200);
  undo_ = [file] {
    actAsRootAgain();
    ::chmod(file.c_str(), 0600);
  };
  if (!actAsNobody(folder, file)) return;
  const int fd = ::open(file.c_str(), O_RDONLY);
  made_ = fd < 0;
  if (fd >= 0) ::close(fd);
}

ClosedFolder::ClosedFolder(const std::string& folder, const std::string& file) {
  ::chmod(folder.c_str(), 0555);
  undo_ = [folder] {
    actAsRootAgain();
    ::chmod(folder.c_str(), 0755);
  };
  if (!actAsNobody(folder, file)) return;
  const std::string probe = folder + "/probe";
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  made_ = fd < 0 && ::access(file.c_str(), W_OK) == 0;
  if (fd >= 0) {
    ::close(fd);
    ::unlink(probe.c_str());
  }
}

bool makeSymlink(const std::string& target, const std::string& link) {
  return ::symlink(target.c_str(), link.c_str()) == 0;
}

bool isSymlink(const std::string& link) {
  struct stat info {};
  return ::lstat(link.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

std::string unexaminablePath(const std::string& folder) {
  const std::string plain = folder + "/plain";
  ::close(::open(plain.c_str(), O_WRONLY | O_CREAT, 0600));
  return plain + "/config.ini";
}

bool makeNotAFile(const std::string& path, NotAFile kind) {
  switch (kind) {
    case NotAFile::folder:
      return ::mkdir(path.c_str(), 0755) == 0;
    case NotAFile::fifo:
      return ::mkfifo(path.c_str(), 0644) == 0;
    case NotAFile::socket:
      break;
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  if (fd >= 0) ::close(fd);
  return bound;
}

SettingsHomeIn::SettingsHomeIn(const std::string& folder, SettingsBase home) {
  undo_ = [configHome = variable("XDG_CONFIG_HOME"), savedHome = variable("HOME")] {
    restore("XDG_CONFIG_HOME", configHome);
    restore("HOME", savedHome);
  };
  base = folder + "/settings home";
  if (home == SettingsBase::configHome) {
    ::setenv("XDG_CONFIG_HOME", base->c_str(), 1);
    expected = *base + "/quorvel";
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", base->c_str(), 1);
    expected = *base + "/.config/quorvel";
  }
}

}  // namespace quorvel::testing
