#include "settings/config_file.h"

#include <cstdint>
#include <utility>

#include "platform/files.h"
#include "settings/conversions.h"
#include "settings/mdini.h"

namespace quorvel {

std::string configPathIn(const Files& files, const std::string& directory) {
  return directory + files.pathSeparator() + "config.ini";
}

std::string portableConfigPath(const Files& files) {
  return configPathIn(files, files.executableDirectory());
}

std::optional<ConfigLocation> chooseConfigDirectory(Files& files) {
  const std::string beside = files.executableDirectory();
  switch (files.fileExists(configPathIn(files, beside))) {
    case FileCheck::failed:
      return std::nullopt;
    case FileCheck::exists:
      return ConfigLocation{beside, {}};
    case FileCheck::missing:
      break;
  }
  if (files.folderTakesNewFiles(beside)) return ConfigLocation{beside, {}};
  SettingsFolder own = files.userSettingsDirectory();
  if (own.fault == FolderFault::none) return ConfigLocation{own.path, {}};
  // Without a folder of its own the user still gets the window: reads give "0" and Save says why it failed.
  return ConfigLocation{beside, std::move(own)};
}

std::string slotSection(int slot) { return "no" + std::to_string(slot); }

void defaultconfig(Files& files, const std::string& path) {
  writeini(files, path, "screen", "x", "0");
  writeini(files, path, "screen", "y", "0");
  for (int i = 1; i <= kSlotCount; ++i) {
    for (const char* key : {"x", "y", "t", "f"}) writeini(files, path, slotSection(i), key, "0");
  }
}

IniWriteResult writeconfig(Files& files, const std::string& path, const std::string& section,
                           const SlotFields& fields, float windowLeft, float windowTop) {
  // One replace for all six: a crash leaves the old Save or the new one, never half of it.
  const std::string f = std::to_string(fields.f);
  const std::string left = formatFloat32(windowLeft);
  const std::string top = formatFloat32(windowTop);
  const IniAssignment changes[] = {{section, "x", fields.x}, {section, "y", fields.y},
                                   {section, "t", fields.t}, {section, "f", f},
                                   {"screen", "x", left},    {"screen", "y", top}};
  return writeiniAll(files, path, changes);
}

void removeLeftovers(Files& files, const std::string& directory) {
  constexpr std::string_view kStem = "config.ini.";
  constexpr std::int64_t kOldEnough = 60'000;  // ms; a younger one may be another copy's Save in progress
  for (const std::string& name : files.fileNames(directory)) {
    if (name.size() <= kStem.size() + kTemporaryFileEnding.size() || !name.starts_with(kStem) ||
        !name.ends_with(kTemporaryFileEnding)) {
      continue;
    }
    const std::string path = directory + files.pathSeparator() + name;
    const auto stamp = files.stamp(path);
    if (stamp && stamp->ageMilliseconds > kOldEnough) files.removeFile(path);
  }
}

}  // namespace quorvel
