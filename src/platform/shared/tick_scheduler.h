// Drift-free periodic timers shared by every backend: deadlines sit on a fixed grid, a timer enabled
// inside a tick takes that tick's scheduled time as its reference, and a stall delivers one tick only.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "platform/platform.h"

namespace quorvel {

class TickScheduler {
 public:
  struct DueTick {
    TimerId timer;
    Duration scheduled;
  };

  TimerId create(Duration interval, std::function<void()> onTick);
  // `now` is the backend's clock; it is only used when no tick is being handled.
  void setEnabled(TimerId timer, bool enabled, Duration now);
  bool enabled(TimerId timer) const;

  // The earliest deadline of an enabled timer, if any.
  std::optional<Duration> nextDeadline() const;

  // Takes the earliest tick due at `now` and moves its timer to the next grid point after `now`.
  std::optional<DueTick> takeDue(Duration now);
  // Runs the tick's handler with the tick's scheduled time as the reference for timers it enables.
  void run(const DueTick& tick);

 private:
  struct Entry {
    Duration interval{};
    std::function<void()> onTick;
    bool enabled = false;
    Duration deadline{};
    unsigned long long armedOrder = 0;  // breaks ties between equal deadlines: first armed runs first
  };

  Entry& entry(TimerId timer);
  const Entry& entry(TimerId timer) const;

  std::vector<Entry> entries_;
  std::vector<Duration> references_;  // scheduled times of the ticks being handled, innermost last
  unsigned long long nextArmedOrder_ = 0;
};

}  // namespace quorvel
