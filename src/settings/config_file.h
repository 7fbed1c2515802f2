// config.ini: where it lives and the two writers, the default file and one slot with the window position.
#pragma once

#include <string>

namespace quorvel {

class Files;

inline constexpr int kSlotCount = 20;

// Path of config.ini in the executable's directory, formed anew for every access.
std::string configPath(const Files& files);

// Section of slot n: "no" and n in decimal (no1 ... no20).
std::string slotSection(int slot);

// Writes "screen" x, y and then x, y, t, f of every slot, all "0". Creates the file.
void defaultconfig(Files& files);

// What the editor stores for one slot: its three field texts verbatim and the check state.
struct SlotFields {
  std::string x;
  std::string y;
  std::string t;
  int f = 0;
};

// Writes the slot's four keys, then the window position in twips under "screen", in one replace of the
// file. True when it reached the file; on failure the file is left as it was.
bool writeconfig(Files& files, const std::string& section, const SlotFields& fields, float windowLeft,
                 float windowTop);

// Removes temporary files of replaces that a crash interrupted ("config.ini.<random>.quorvel-tmp") from
// the executable's directory, when they are older than a minute.
void removeLeftovers(Files& files);

}  // namespace quorvel
