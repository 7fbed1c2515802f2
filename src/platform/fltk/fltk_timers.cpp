// Timers on the monotonic clock through the shared tick scheduler. Exactly one toolkit timeout is armed,
// for the earliest deadline, so an idle program sleeps in the event loop and uses no processor time.
#include <FL/Fl.H>

#include <algorithm>

#include "platform/fltk/fltk_platform.h"

namespace quorvel {

Duration FltkPlatform::now() const { return std::chrono::steady_clock::now() - epoch_; }

TimerId FltkPlatform::createTimer(Duration interval, std::function<void()> onTick) {
  return scheduler_.create(interval, std::move(onTick));
}

void FltkPlatform::setTimerEnabled(TimerId timer, bool enabled) {
  scheduler_.setEnabled(timer, enabled, now());
  armTimeout();
}

bool FltkPlatform::timerEnabled(TimerId timer) const { return scheduler_.enabled(timer); }

void FltkPlatform::armTimeout() {
  Fl::remove_timeout(timeoutExpired, this);
  const auto deadline = scheduler_.nextDeadline();
  if (!deadline) return;
  const auto wait = std::max(*deadline - now(), Duration::zero());
  Fl::add_timeout(std::chrono::duration<double>(wait).count(), timeoutExpired, this);
}

void FltkPlatform::timeoutExpired(void* platform) { static_cast<FltkPlatform*>(platform)->runDueTicks(); }

void FltkPlatform::runDueTicks() {
  while (const auto due = scheduler_.takeDue(now())) {
    // Armed before the handler runs: a handler that opens a message box waits in a nested event loop,
    // and the other timers must keep ticking there.
    armTimeout();
    scheduler_.run(*due);
  }
  armTimeout();
}

}  // namespace quorvel
