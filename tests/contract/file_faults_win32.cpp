#include <windows.h>

#include <filesystem>
#include <functional>

#include "contract/file_faults.h"

namespace quorvel::testing {
namespace {

std::wstring wide(const std::string& path) { return std::filesystem::u8path(path).wstring(); }

HANDLE openHolding(const std::string& file, DWORD share) {
  return ::CreateFileW(wide(file).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

// Lets go of a file held open, if it was.
std::function<void()> closing(HANDLE held) {
  return [held] {
    if (held != INVALID_HANDLE_VALUE) ::CloseHandle(held);
  };
}

// Under Wine, the Unix name of a Windows path; empty on Windows itself.
std::wstring unixName(const std::string& path) {
  using UnixFileName = char*(__cdecl*)(const wchar_t*);
  const auto function = reinterpret_cast<UnixFileName>(reinterpret_cast<void (*)()>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  char* name = function ? function(wide(path).c_str()) : nullptr;
  if (!name) return {};
  const std::wstring result = std::filesystem::path(name).wstring();
  ::HeapFree(::GetProcessHeap(), 0, name);
  return result;
}

// NOTE: Wine starts a Unix program named by its Z: path, but reports neither its end nor its exit
// status: the caller waits for the effect it wants.
void runUnix(const wchar_t* program, std::wstring arguments) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = std::filesystem::path(program).filename().wstring() + L" " + arguments;
  if (!::CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
    return;
  }
  if (process.hThread) ::CloseHandle(process.hThread);
  if (process.hProcess) ::CloseHandle(process.hProcess);
}

bool waitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 100 && !done(); ++i) ::Sleep(50);
  return done();
}

std::wstring inQuotes(const std::wstring& text) { return L"\"" + text + L"\""; }

// A new file in the folder is refused (and removed again where it was not).
bool refusesNewFiles(const std::string& folder) {
  const std::wstring probe = wide(folder) + L"\\probe";
  const HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_ACCESS_DENIED;
  ::CloseHandle(file);
  ::DeleteFileW(probe.c_str());
  return false;
}

bool writable(const std::string& file) {
  const HANDLE handle = ::CreateFileW(wide(file).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(handle);
  return true;
}

}  // namespace

// Another program holds the file open without letting it be deleted or renamed over.
ReplaceFailure::ReplaceFailure(const std::string& file) {
  undo_ = closing(openHolding(file, FILE_SHARE_READ | FILE_SHARE_WRITE));
}

// NOTE: Windows stops a process at its debug events, not at its system calls.
std::optional<bool> runKilledAtSystemCall(const std::function<void()>&, int) { return std::nullopt; }

// Another program holds the file open and shares it with no one.
UnreadableFile::UnreadableFile(const std::string&, const std::string& file) {
  const HANDLE held = openHolding(file, 0);
  made_ = held != INVALID_HANDLE_VALUE;
  undo_ = closing(held);
}

// On Windows a folder refuses new files through its access control list, which Wine does not enforce;
// Wine does keep to the Unix folder's permissions, and root, who passes those, to its immutable flag.
ClosedFolder::ClosedFolder(const std::string& folder, const std::string& file) {
  const std::wstring unixFolder = unixName(folder);
  if (unixFolder.empty()) return;
  const std::wstring quoted = inQuotes(unixFolder);
  runUnix(L"Z:\\usr\\bin\\chmod", L"555 " + quoted);
  runUnix(L"Z:\\usr\\bin\\chattr", L"+i " + quoted);  // refused to all but root
  made_ = waitFor([&] { return refusesNewFiles(folder); }) && writable(file);
  undo_ = [folder, quoted] {
    runUnix(L"Z:\\usr\\bin\\chattr", L"-i " + quoted);
    runUnix(L"Z:\\usr\\bin\\chmod", L"755 " + quoted);
    waitFor([&] { return !refusesNewFiles(folder); });
  };
}

// Windows makes a link where the user may (developer mode, or an administrator); under Wine, whose
// CreateSymbolicLinkW makes nothing, a Unix link does, reached through drive Z:.
bool makeSymlink(const std::string& target, const std::string& link) {
  std::wstring windowsTarget = wide(target);
  for (wchar_t& c : windowsTarget) c = c == L'/' ? L'\\' : c;
  const auto exists = [&] { return ::GetFileAttributesW(wide(link).c_str()) != INVALID_FILE_ATTRIBUTES; };
  ::CreateSymbolicLinkW(wide(link).c_str(), windowsTarget.c_str(),
                        SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
  if (exists()) return true;
  const std::wstring unixLink = unixName(link);
  if (unixLink.empty()) return false;
  runUnix(L"Z:\\usr\\bin\\ln", L"-s " + inQuotes(wide(target)) + L" " + inQuotes(unixLink));
  return waitFor(exists);
}

// A reparse point on Windows; under Wine, where a Unix link looks like a plain file, the path the system
// finally opens has another name.
bool isSymlink(const std::string& link) {
  const std::wstring path = wide(link);
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return true;
  const HANDLE file = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  wchar_t final[MAX_PATH * 4] = {};
  const DWORD n = ::GetFinalPathNameByHandleW(file, final, MAX_PATH * 4, FILE_NAME_NORMALIZED);
  ::CloseHandle(file);
  if (n == 0 || n >= MAX_PATH * 4) return false;
  const std::wstring finalName = std::filesystem::path(final).filename().wstring();
  const std::wstring linkName = std::filesystem::path(path).filename().wstring();
  return ::CompareStringOrdinal(finalName.c_str(), -1, linkName.c_str(), -1, TRUE) != CSTR_EQUAL;
}

// Wildcards are no part of a file name.
std::string unexaminablePath(const std::string& folder) { return folder + "\\config*.ini"; }

// NOTE: pipes live in their own namespace and devices have reserved names: neither can stand in a folder.
bool makeNotAFile(const std::string& path, NotAFile kind) {
  return kind == NotAFile::folder &&
         ::CreateDirectoryW(std::filesystem::u8path(path).wstring().c_str(), nullptr);
}

// %APPDATA% comes from the user's profile; a program cannot point it elsewhere.
SettingsHomeIn::SettingsHomeIn(const std::string&, SettingsBase) {}

}  // namespace quorvel::testing
