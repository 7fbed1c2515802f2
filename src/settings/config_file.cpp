#include "settings/config_file.h"

#include "platform/files.h"
#include "settings/conversions.h"
#include "settings/mdini.h"

namespace quorvel {

std::string configPath(const Files& files) {
  return files.executableDirectory() + files.pathSeparator() + "config.ini";
}

std::string slotSection(int slot) { return "no" + std::to_string(slot); }

void defaultconfig(Files& files) {
  writeini(files, configPath(files), "screen", "x", "0");
  writeini(files, configPath(files), "screen", "y", "0");
  for (int i = 1; i <= kSlotCount; ++i) {
    for (const char* key : {"x", "y", "t", "f"}) writeini(files, configPath(files), slotSection(i), key, "0");
  }
}

bool writeconfig(Files& files, const std::string& section, const SlotFields& fields, float windowLeft,
                 float windowTop) {
  // Every write is attempted even after one failed, so that as much as possible is kept.
  bool ok = true;
  auto write = [&](std::string_view sec, std::string_view key, std::string_view value) {
    ok = writeini(files, configPath(files), sec, key, value) == "1" && ok;
  };
  write(section, "x", fields.x);
  write(section, "y", fields.y);
  write(section, "t", fields.t);
  write(section, "f", std::to_string(fields.f));
  write("screen", "x", formatFloat32(windowLeft));
  write("screen", "y", formatFloat32(windowTop));
  return ok;
}

}  // namespace quorvel
