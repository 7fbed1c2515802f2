// Conditions of the disk that only the system itself can set up, for the file contract. Each holds
// while its object lives; made() says whether this system could make it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quorvel::testing {

// The next replace of the file fails part way (a full disk, or the file held open by another program).
class ReplaceFailure {
 public:
  explicit ReplaceFailure(const std::string& file);
  ~ReplaceFailure();
  ReplaceFailure(const ReplaceFailure&) = delete;
  ReplaceFailure& operator=(const ReplaceFailure&) = delete;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Runs `work` in a child process killed (SIGKILL) as it enters its `call`-th system call, counted from 1:
// true when it was killed, false when the work ended first. Nothing where no process can be stopped at its
// system calls.
std::optional<bool> runKilledAtSystemCall(const std::function<void()>& work, int call);

// The file (in `folder`) cannot be read, by this program at least, though it could be written.
class UnreadableFile {
 public:
  UnreadableFile(const std::string& folder, const std::string& file);
  ~UnreadableFile();
  UnreadableFile(const UnreadableFile&) = delete;
  UnreadableFile& operator=(const UnreadableFile&) = delete;
  bool made() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The folder accepts no new file, while the file in it stays writable.
class ClosedFolder {
 public:
  ClosedFolder(const std::string& folder, const std::string& file);
  ~ClosedFolder();
  ClosedFolder(const ClosedFolder&) = delete;
  ClosedFolder& operator=(const ClosedFolder&) = delete;
  bool made() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// A symbolic link `link` to `target`, a '/'-separated path from the link's folder; false where this
// system makes none.
bool makeSymlink(const std::string& target, const std::string& link);
bool isSymlink(const std::string& link);

// A path in `folder` whose existence the system cannot tell: one through a file, or a name it refuses.
std::string unexaminablePath(const std::string& folder);

// Something under a file's name that is not a regular file. False where this system cannot make it here.
enum class NotAFile { folder, fifo, socket };
bool makeNotAFile(const std::string& path, NotAFile kind);

// The user's settings folder pointed into `folder` while this lives, where a program can point it: through
// XDG_CONFIG_HOME, or through HOME with XDG_CONFIG_HOME unset. base() is the folder that variable then
// names, "settings home" in `folder`, and expected() the settings folder that the file layer should give;
// nothing where the system alone decides (%APPDATA%).
enum class SettingsBase { configHome, home };
class SettingsHomeIn {
 public:
  explicit SettingsHomeIn(const std::string& folder, SettingsBase base = SettingsBase::configHome);
  ~SettingsHomeIn();
  SettingsHomeIn(const SettingsHomeIn&) = delete;
  SettingsHomeIn& operator=(const SettingsHomeIn&) = delete;
  const std::optional<std::string>& base() const;
  const std::optional<std::string>& expected() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace quorvel::testing
