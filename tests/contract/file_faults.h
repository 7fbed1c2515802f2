// Conditions of the disk that only the system itself can set up, for the file contract. Each holds
// while its object lives; made() says whether this system could make it.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quorvel::testing {

// Undoes the condition when it goes.
class DiskCondition {
 public:
  DiskCondition() = default;
  ~DiskCondition() {
    if (undo_) undo_();
  }
  DiskCondition(const DiskCondition&) = delete;
  DiskCondition& operator=(const DiskCondition&) = delete;
  bool made() const { return made_; }

 protected:
  bool made_ = false;
  std::function<void()> undo_;
};

// The next replace of the file fails part way (a full disk, or the file held open by another program).
struct ReplaceFailure : DiskCondition {
  explicit ReplaceFailure(const std::string& file);
};

// Runs `work` in a child process killed (SIGKILL) as it enters its `call`-th system call, counted from 1:
// true when it was killed, false when the work ended first. Nothing where no process can be stopped at its
// system calls.
std::optional<bool> runKilledAtSystemCall(const std::function<void()>& work, int call);

// The file (in `folder`) cannot be read, by this program at least, though it could be written.
struct UnreadableFile : DiskCondition {
  UnreadableFile(const std::string& folder, const std::string& file);
};

// The folder accepts no new file, while the file in it stays writable.
struct ClosedFolder : DiskCondition {
  ClosedFolder(const std::string& folder, const std::string& file);
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
// XDG_CONFIG_HOME, or through HOME with XDG_CONFIG_HOME unset. `base` is the folder that variable then
// names, "settings home" in `folder`, and `expected` the settings folder that the file layer should give;
// nothing where the system alone decides (%APPDATA%).
enum class SettingsBase { configHome, home };
struct SettingsHomeIn : DiskCondition {
  explicit SettingsHomeIn(const std::string& folder, SettingsBase base = SettingsBase::configHome);
  std::optional<std::string> base;
  std::optional<std::string> expected;
};

}  // namespace quorvel::testing
