// File operations of the operating system the program runs on. One implementation is linked:
// posix/posix_files.cpp or win32/win32_files.cpp. Backends, the fake included, build on these.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace quorvel::native {

FileCheck fileExists(const std::string& path);
std::optional<std::string> readFile(const std::string& path);
// Writes a temporary file beside the target (a symlink is followed to its target), flushes it to the
// disk and renames it over the target, keeping the target's permissions. On any failure the target is
// left untouched and the temporary file removed.
bool replaceFile(const std::string& path, std::string_view contents);
std::string executableDirectory();
char pathSeparator();
std::string_view lineEnd();

}  // namespace quorvel::native
