// The tick loop's clock and wake-up: the monotonic clock, and one kernel timer armed at the earliest
// deadline, so an idle program sleeps in the event loop and uses no processor time.
#include <FL/Fl.H>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include "platform/fltk/fltk_platform.h"

namespace quorvel {

Duration FltkPlatform::now() const { return std::chrono::steady_clock::now() - epoch_; }

// NOTE: FLTK's own timeouts run on the wall clock and wait out the redraw before they sleep, so they
// fire up to a few milliseconds late. A timerfd armed at an absolute time on the monotonic clock (the
// clock of steady_clock on Linux) wakes the event loop at the deadline itself, also in the nested loop
// of a message box.
void FltkPlatform::openTickTimer() {
  tickTimer_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  if (tickTimer_ >= 0) Fl::add_fd(tickTimer_, FL_READ, timeoutExpired, this);
}

void FltkPlatform::closeTickTimer() {
  if (tickTimer_ < 0) return;
  Fl::remove_fd(tickTimer_);
  close(tickTimer_);
  tickTimer_ = -1;
}

void FltkPlatform::wakeAt(std::optional<Duration> deadline) {
  if (tickTimer_ < 0) return;
  itimerspec when{};  // all zero: disarmed
  if (deadline) {
    const auto since =
        std::chrono::duration_cast<std::chrono::nanoseconds>((epoch_ + *deadline).time_since_epoch());
    // A zero time would disarm the timer; the clock is far past it anyway.
    const std::int64_t ns = std::max<std::int64_t>(since.count(), 1);
    when.it_value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
    when.it_value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
  }
  timerfd_settime(tickTimer_, TFD_TIMER_ABSTIME, &when, nullptr);
}

void FltkPlatform::timeoutExpired(int fd, void* platform) {
  // Emptied, or the loop would wake again at once. Nothing to read means the deadline moved meanwhile.
  std::uint64_t expirations = 0;
  const ssize_t got = read(fd, &expirations, sizeof expirations);
  static_cast<void>(got);
  static_cast<FltkPlatform*>(platform)->ticksDue();
}

}  // namespace quorvel
