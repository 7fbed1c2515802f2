#include "platform/shared/tick_loop.h"

#include <utility>

namespace quorvel {

TimerId TickLoop::create(Duration interval, std::function<void()> onTick) {
  return scheduler_.create(interval, std::move(onTick));
}

void TickLoop::setEnabled(TimerId timer, bool enabled) {
  scheduler_.setEnabled(timer, enabled, wakeUp_.now());
  arm();
}

bool TickLoop::enabled(TimerId timer) const { return scheduler_.enabled(timer); }

void TickLoop::arm() { wakeUp_.wakeAt(scheduler_.nextDeadline()); }

bool TickLoop::runOneDue() {
  const auto due = scheduler_.takeDue(wakeUp_.now());
  if (!due) return false;
  // Armed before the handler runs: a handler that opens a message box waits in a nested event loop,
  // and the other timers must keep ticking there.
  arm();
  scheduler_.run(*due);
  return true;
}

void TickLoop::runDue() {
  for (;;) {
    while (runOneDue()) {
    }
    const auto deadline = scheduler_.nextDeadline();
    if (!deadline || !wakeUp_.waitForSoonDeadline(*deadline)) break;
  }
  arm();
}

}  // namespace quorvel
