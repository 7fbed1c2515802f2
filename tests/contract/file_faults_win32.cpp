#include <windows.h>

#include <filesystem>

#include "contract/file_faults.h"

namespace quorvel::testing {
namespace {

HANDLE openHolding(const std::string& file, DWORD share) {
  return ::CreateFileW(std::filesystem::u8path(file).wstring().c_str(), GENERIC_READ, share, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

// Another program holds the file open without letting it be deleted or renamed over.
struct ReplaceFailure::State {
  HANDLE held = INVALID_HANDLE_VALUE;
};

ReplaceFailure::ReplaceFailure(const std::string& file) : state_(std::make_unique<State>()) {
  state_->held = openHolding(file, FILE_SHARE_READ | FILE_SHARE_WRITE);
}

ReplaceFailure::~ReplaceFailure() {
  if (state_->held != INVALID_HANDLE_VALUE) ::CloseHandle(state_->held);
}

// Another program holds the file open and shares it with no one.
struct UnreadableFile::State {
  HANDLE held = INVALID_HANDLE_VALUE;
};

UnreadableFile::UnreadableFile(const std::string&, const std::string& file) : state_(std::make_unique<State>()) {
  state_->held = openHolding(file, 0);
}

UnreadableFile::~UnreadableFile() {
  if (state_->held != INVALID_HANDLE_VALUE) ::CloseHandle(state_->held);
}

bool UnreadableFile::made() const { return state_->held != INVALID_HANDLE_VALUE; }

// NOTE: a folder that refuses new files takes an access control list, which Wine does not enforce.
struct ClosedFolder::State {};

ClosedFolder::ClosedFolder(const std::string&, const std::string&) : state_(std::make_unique<State>()) {}

ClosedFolder::~ClosedFolder() = default;

bool ClosedFolder::made() const { return false; }

// Wildcards are no part of a file name.
std::string unexaminablePath(const std::string& folder) { return folder + "\\config*.ini"; }

// NOTE: pipes live in their own namespace and devices have reserved names: neither can stand in a folder.
bool makeNotAFile(const std::string& path, NotAFile kind) {
  return kind == NotAFile::folder && ::CreateDirectoryW(std::filesystem::u8path(path).wstring().c_str(), nullptr);
}

// %APPDATA% comes from the user's profile; a program cannot point it elsewhere.
struct SettingsHomeIn::State {
  std::optional<std::string> expected;
};

SettingsHomeIn::SettingsHomeIn(const std::string&) : state_(std::make_unique<State>()) {}

SettingsHomeIn::~SettingsHomeIn() = default;

const std::optional<std::string>& SettingsHomeIn::expected() const { return state_->expected; }

}  // namespace quorvel::testing
