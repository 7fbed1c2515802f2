// The loop that runs the slot timers, the same on every backend: a backend gives it a monotonic clock
// and one wake-up at a time; the loop takes what is due, re-arms the wake-up and runs the handler.
#pragma once

#include <functional>
#include <optional>

#include "platform/platform.h"
#include "platform/shared/tick_scheduler.h"

namespace quorvel {

// What a backend does for the tick loop.
class TickWakeUp {
 public:
  virtual ~TickWakeUp() = default;
  virtual Duration now() const = 0;
  // Wakes the loop at `deadline`, replacing the wake-up asked for before; none: never.
  virtual void wakeAt(std::optional<Duration> deadline) = 0;
  // Where the system cannot wake the loop that soon, waits for `deadline` here and answers true.
  virtual bool waitForSoonDeadline(Duration deadline) = 0;
};

class TickLoop {
 public:
  explicit TickLoop(TickWakeUp& wakeUp) : wakeUp_(wakeUp) {}

  TimerId create(Duration interval, std::function<void()> onTick);
  void setEnabled(TimerId timer, bool enabled);
  bool enabled(TimerId timer) const;

  // Runs the earliest tick due now, if any; true when one ran.
  bool runOneDue();
  // What the backend calls when woken: every tick due, also those that come due meanwhile.
  void runDue();

 private:
  void arm();

  TickWakeUp& wakeUp_;
  TickScheduler scheduler_;
};

}  // namespace quorvel
