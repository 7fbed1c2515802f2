// A run: the Start command, loading the slot table from config.ini, and the twenty one-second slot
// timers that walk the slots, place the pointer and click.
#pragma once

#include <array>
#include <string>

#include "platform/files.h"
#include "platform/platform.h"
#include "sequencer/pointer.h"
#include "sequencer/slot_table.h"

namespace quorvel {

inline constexpr Duration kSlotTick = std::chrono::milliseconds(1000);

class Sequencer {
 public:
  // `configPath`: the config.ini that start-up chose.
  Sequencer(Platform& platform, Files& files, std::string configPath, Pointer& pointer);

  // The Start command: clears every tick count, reloads all slots and enables the first slot timer.
  // A value that does not fit its field stops the command and is reported to the user.
  void Start();

  // Reads x, y, t, f of slots 1..20 in this order, all from one version of config.ini: a file replaced
  // meanwhile is seen whole at the next cycle. Throws OverflowError at a t or f out of range; the fields
  // read before it keep their new values.
  void LoadSlots();

  const SlotTable& table() const { return table_; }
  TimerId timer(int slot) const { return timers_.at(slot); }

 private:
  void startCycle();
  void Timer_Timer(int slot);
  void tick(int slot);

  Platform& platform_;
  Files& files_;
  const std::string configPath_;
  Pointer& pointer_;
  SlotTable table_;
  std::array<TimerId, kSlotElements> timers_{};  // element 0 unused
};

}  // namespace quorvel
