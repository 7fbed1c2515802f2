// A run: the Start command, loading the slot table from config.ini, and the twenty one-second slot
// timers that walk the slots, place the pointer and click.
#pragma once

#include <array>
#include <functional>
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
  // The window is closing: a run ends with it.
  ~Sequencer();
  Sequencer(const Sequencer&) = delete;
  Sequencer& operator=(const Sequencer&) = delete;

  // The Start command: clears every tick count, reloads all slots and enables the first slot timer.
  // A value that does not fit its field stops the command and is reported to the user.
  void Start();

  // The stop key: the run ends at once, every slot timer disabled, a held slot's too. Nothing else
  // changes; Start begins a new run.
  void Stop();

  // Reads x, y, t, f of slots 1..20 in this order, all from one version of config.ini: a file replaced
  // meanwhile is seen whole at the next cycle. Throws OverflowError at a t or f out of range; the fields
  // read before it keep their new values.
  void LoadSlots();

  const SlotTable& table() const { return table_; }
  TimerId timer(int slot) const { return timers_.at(slot); }

 private:
  void startCycle();
  // Runs one step of a handler: the Start command or a slot's tick (`slot` 0 for Start).
  void handle(int slot, const std::function<void()>& step);
  void Timer_Timer(int slot);
  void tick(int slot);
  // A run lasts while any slot timer is enabled: the stop key is taken when one begins and given back
  // when it ends, however it ends.
  void followRun();

  Platform& platform_;
  Files& files_;
  const std::string configPath_;
  Pointer& pointer_;
  SlotTable table_;
  std::array<TimerId, kSlotElements> timers_{};  // element 0 unused
  bool running_ = false;
};

}  // namespace quorvel
