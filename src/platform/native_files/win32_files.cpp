#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/native_files.h"
#include "platform/native_files/in_place_write.h"
#include "platform/native_files/win32_text.h"

namespace quorvel {
namespace {

// Text in a code page as UTF-16; with MB_ERR_INVALID_CHARS, nothing for bytes that are not valid text.
std::optional<std::wstring> toWide(UINT codePage, DWORD flags, std::string_view text) {
  if (text.empty()) return std::wstring();
  const int n =
      ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring result(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), result.data(), n);
  return result;
}

std::uint64_t ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (valid()) ::CloseHandle(h_);
  }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }
  bool close() {
    const HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return ::CloseHandle(h) != 0;
  }

 private:
  HANDLE h_;
};

std::wstring directoryOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

// Where the bytes really go: a symbolic link is followed to its final target. NOTE: asked of every
// file, since a Unix link reached through Wine's drive Z: shows no reparse point.
std::wstring resolveTarget(const std::wstring& path) {
  Handle file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return path;
  std::vector<wchar_t> buffer(32768);
  const DWORD n = ::GetFinalPathNameByHandleW(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                              FILE_NAME_NORMALIZED);
  if (n == 0 || n >= buffer.size()) return path;
  return std::wstring(buffer.data(), n);
}

// A new file "<target>.<random>.quorvel-tmp" beside the target, or INVALID_HANDLE_VALUE with the error.
HANDLE createTemporary(const std::wstring& target, std::wstring& name) {
  LARGE_INTEGER counter{};
  ::QueryPerformanceCounter(&counter);
  std::uint64_t seed =
      static_cast<std::uint64_t>(counter.QuadPart) ^ (std::uint64_t{::GetCurrentProcessId()} << 40);
  for (int attempt = 0; attempt < 100; ++attempt) {
    seed = seed * 6364136223846793005u + 1442695040888963407u;
    wchar_t random[17] = {};
    for (int i = 0; i < 16; ++i) random[i] = L"0123456789abcdef"[(seed >> (4 * i)) & 15];
    name = target + L"." + random + wide(std::string(kTemporaryFileEnding));
    const HANDLE file =
        ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

// Why a write failed, from the error the system gave.
FileFault writeFault(DWORD error) {
  switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileFault::diskFull;
    case ERROR_WRITE_PROTECT:
      return FileFault::readOnlyFolder;
    default:
      return FileFault::other;
  }
}

// Opens what stands under the name only if it is a file on a disk: a folder is refused before it is
// opened, and anything else (a pipe, a device) once the handle shows what it is.
HANDLE openRegular(const std::wstring& path, DWORD access, DWORD share, FileFault& fault) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    fault = FileFault::notAFile;
    return INVALID_HANDLE_VALUE;
  }
  const HANDLE file =
      ::CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    fault = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileFault::missing
                                                                           : FileFault::other;
    return file;
  }
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    fault = FileFault::notAFile;
    return INVALID_HANDLE_VALUE;
  }
  fault = FileFault::none;
  return file;
}

bool writeAll(HANDLE file, std::string_view data) {
  while (!data.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file, data.data(), chunk, &written, nullptr) || written == 0) return false;
    data.remove_prefix(written);
  }
  return true;
}

// The open file as the in-place writer drives it.
class HandleInPlace final : public InPlaceFile {
 public:
  explicit HandleInPlace(HANDLE file) : file_(file) {}
  std::optional<std::uint64_t> size() override {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file_, &size)) return std::nullopt;
    return static_cast<std::uint64_t>(size.QuadPart);
  }
  // Only a full disk counts: a file system that cannot claim space ahead meets it in the write instead.
  bool reserve(std::uint64_t size) override {
    FILE_ALLOCATION_INFO allocation{};
    allocation.AllocationSize.QuadPart = static_cast<LONGLONG>(size);
    return ::SetFileInformationByHandle(file_, FileAllocationInfo, &allocation, sizeof allocation) ||
           ::GetLastError() != ERROR_DISK_FULL;
  }
  bool writeFromStart(std::string_view bytes) override { return moveTo(0) && writeAll(file_, bytes); }
  bool truncate(std::uint64_t size) override { return moveTo(size) && ::SetEndOfFile(file_); }
  bool flush() override { return ::FlushFileBuffers(file_) != 0; }

 private:
  bool moveTo(std::uint64_t offset) {
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(offset);
    return ::SetFilePointerEx(file_, to, nullptr, FILE_BEGIN) != 0;
  }

  HANDLE file_;
};

// The whole text written over the file itself, for a folder that refuses a temporary file.
FileFault rewriteInPlace(const std::wstring& target, std::string_view contents) {
  FileFault fault = FileFault::none;
  Handle file(openRegular(target, GENERIC_WRITE, FILE_SHARE_READ, fault));
  if (!file.valid()) return fault == FileFault::other ? FileFault::readOnlyFile : fault;
  HandleInPlace inPlace(file.get());
  return writeInPlace(inPlace, contents) && file.close() ? FileFault::none : writeFault(::GetLastError());
}

// Why no temporary file could be made beside the target, or what writing in place came to instead.
FileFault refusedTemporary(DWORD error, bool existed, const std::wstring& target, std::string_view contents) {
  if (error != ERROR_ACCESS_DENIED) return writeFault(error);
  return existed ? rewriteInPlace(target, contents) : FileFault::readOnlyFolder;
}

}  // namespace

FileCheck NativeFiles::fileExists(const std::string& path) {
  if (::GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES) return FileCheck::exists;
  const DWORD error = ::GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FileCheck::missing;
  return FileCheck::failed;
}

std::optional<FileStamp> NativeFiles::stamp(const std::string& path) {
  Handle file(::CreateFileW(wide(path).c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file.valid() || !::GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  const std::uint64_t modified = ticks(info.ftLastWriteTime);  // 100 ns units
  FileStamp result;
  result.volume = info.dwVolumeSerialNumber;
  result.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  result.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  result.modified = static_cast<std::int64_t>(modified);
  result.ageMilliseconds = (static_cast<std::int64_t>(ticks(now)) - result.modified) / 10'000;
  result.wholeSecond = modified % 10'000'000 == 0;
  return result;
}

FileFault NativeFiles::readFile(const std::string& path, const std::function<void(std::string_view)>& piece) {
  FileFault fault = FileFault::none;
  Handle file(openRegular(wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, fault));
  if (!file.valid()) return fault == FileFault::other ? FileFault::unreadable : fault;
  std::vector<char> buffer(65536);
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &n, nullptr)) {
      return FileFault::unreadable;
    }
    if (n == 0) return FileFault::none;
    piece(std::string_view(buffer.data(), n));
  }
}

FileFault NativeFiles::replaceFile(const std::string& path, std::string_view contents) {
  const std::wstring target = resolveTarget(wide(path));
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  const bool existed = attributes != INVALID_FILE_ATTRIBUTES;
  if (existed && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return FileFault::notAFile;
  // The read-only attribute stops administrators too.
  if (existed && (attributes & FILE_ATTRIBUTE_READONLY)) return FileFault::readOnlyFile;

  std::wstring temporary;
  bool ok = false;
  {
    Handle file(createTemporary(target, temporary));
    if (!file.valid()) return refusedTemporary(::GetLastError(), existed, target, contents);
    ok = writeAll(file.get(), contents) && ::FlushFileBuffers(file.get()) && file.close();
  }
  if (ok && existed) {
    ok = ::SetFileAttributesW(temporary.c_str(), attributes & ~FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  }
  ok = ok &&
       ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (ok) return FileFault::none;
  const DWORD error = ::GetLastError();
  ::DeleteFileW(temporary.c_str());
  return writeFault(error);
}

std::vector<std::string> NativeFiles::fileNames(const std::string& directory) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((wide(directory) + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(narrow(name));
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

bool NativeFiles::removeFile(const std::string& path) { return ::DeleteFileW(wide(path).c_str()) != 0; }

std::string NativeFiles::executableDirectory() const {
  std::vector<wchar_t> buffer(32768);
  const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n == 0 || n >= buffer.size()) return ".";
  return narrow(directoryOf(std::wstring(buffer.data(), n)));
}

SettingsFolder NativeFiles::userSettingsDirectory() {
  wchar_t appData[MAX_PATH] = {};
  if (::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData) !=
      S_OK) {
    return SettingsFolder{"", FolderFault::noHome, ""};
  }
  const std::wstring directory = std::wstring(appData) + L"\\Quorvel";
  const std::string path = narrow(directory);
  const DWORD error = ::CreateDirectoryW(directory.c_str(), nullptr) ? ERROR_SUCCESS : ::GetLastError();
  const DWORD attributes = ::GetFileAttributesW(directory.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? SettingsFolder{path, FolderFault::none, ""}
                                                   : SettingsFolder{path, FolderFault::notAFolder, path};
  }
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return SettingsFolder{path, FolderFault::readOnly, narrow(appData)};
    case ERROR_PATH_NOT_FOUND:
      return SettingsFolder{path, FolderFault::missing, narrow(appData)};
    default:
      return SettingsFolder{path, FolderFault::other, path};
  }
}

bool NativeFiles::folderTakesNewFiles(const std::string& directory) {
  std::wstring probe;
  const HANDLE file = createTemporary(wide(directory) + L"\\config.ini", probe);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  ::DeleteFileW(probe.c_str());
  return true;
}

char NativeFiles::pathSeparator() const { return '\\'; }

std::string_view NativeFiles::nativeLineEnd() const { return "\r\n"; }

// The profile functions keep values in the ANSI code page; the program works in UTF-8.
std::string NativeFiles::valueFromFile(std::string_view bytes) const {
  return narrow(toWide(CP_ACP, 0, bytes).value_or(std::wstring()));
}

std::optional<std::string> NativeFiles::valueToFile(std::string_view utf8) const {
  const auto wide = toWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
  if (!wide) return std::nullopt;
  if (::GetACP() == CP_UTF8 || wide->empty()) return std::string(utf8);
  // No best fit and no default character: a character the code page lacks refuses the value.
  BOOL lossy = FALSE;
  const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(),
                                      static_cast<int>(wide->size()), nullptr, 0, nullptr, &lossy);
  if (n <= 0 || lossy) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), static_cast<int>(wide->size()),
                        bytes.data(), n, nullptr, &lossy);
  return bytes;
}

}  // namespace quorvel
