// config.ini: where it lives and the two writers, the default file and one slot with the window position.
#pragma once

#include <optional>
#include <string>

#include "platform/files.h"
#include "settings/mdini.h"

namespace quorvel {

inline constexpr int kSlotCount = 20;

// config.ini in the given folder.
std::string configPathIn(const Files& files, const std::string& directory);
// config.ini beside the executable, where it lives in the portable use.
std::string portableConfigPath(const Files& files);

// Where config.ini lives for this run. When the program's folder takes no new file and the user's settings
// folder cannot be had either, it can live nowhere: `directory` is then the program's folder, where reads
// give "0" and Save fails, and `userFolder` is the settings folder that was tried, with why it failed.
struct ConfigLocation {
  std::string directory;
  SettingsFolder userFolder;  // fault `none` unless tried in vain
};

// The folder of config.ini for this run, chosen at start-up: beside the executable when the file is there
// or the folder takes new files, else the user's settings folder, made when missing (a program installed
// where its user cannot write). Nothing when the existence check itself fails.
std::optional<ConfigLocation> chooseConfigDirectory(Files& files);

// Section of slot n: "no" and n in decimal (no1 ... no20).
std::string slotSection(int slot);

// Writes "screen" x, y and then x, y, t, f of every slot, all "0". Creates the file.
void defaultconfig(Files& files, const std::string& path);

// What the editor stores for one slot: its three field texts verbatim and the check state.
struct SlotFields {
  std::string x;
  std::string y;
  std::string t;
  int f = 0;
};

// Writes the slot's four keys, then the window position in twips under "screen", in one replace of the
// file. On failure the file is left as it was and the result says why.
IniWriteResult writeconfig(Files& files, const std::string& path, const std::string& section,
                           const SlotFields& fields, float windowLeft, float windowTop);

// Removes temporary files of replaces that a crash interrupted ("config.ini.<random>.quorvel-tmp") from
// the folder of config.ini, when they are older than a minute.
void removeLeftovers(Files& files, const std::string& directory);

}  // namespace quorvel
