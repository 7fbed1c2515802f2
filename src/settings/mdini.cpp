#include "settings/mdini.h"

#include "platform/files.h"
#include "settings/ini_profile.h"

namespace quorvel {

std::string readini(Files& files, const std::string& file, std::string_view section, std::string_view key,
                    std::string_view fallback) {
  const auto text = files.readFile(file);
  const auto value = text ? iniLookup(*text, section, key) : std::nullopt;
  std::string result = value ? *value : std::string(fallback);
  if (const auto nul = result.find('\0'); nul != std::string::npos) result.resize(nul);
  if (result.size() > kIniValueLimit) result.resize(kIniValueLimit);
  return result;
}

std::string writeini(Files& files, const std::string& file, std::string_view section, std::string_view key,
                     std::string_view value) {
  if (!iniNameIsWritable(section) || !iniNameIsWritable(key) || !iniValueIsWritable(value)) return "0";
  std::string text;
  switch (files.fileExists(file)) {
    case FileCheck::failed:
      return "0";
    case FileCheck::exists: {
      auto current = files.readFile(file);
      if (!current) return "0";  // never overwrite what could not be read
      text = std::move(*current);
      break;
    }
    case FileCheck::missing:
      break;
  }
  const std::string updated = iniAssign(text, section, key, value, files.nativeLineEnd());
  return files.replaceFile(file, updated) ? "1" : "0";
}

}  // namespace quorvel
