// Timers on the performance counter through the shared tick scheduler. One system timer is armed, for
// the earliest deadline, rounded up to the millisecond; its messages are dispatched by every modal loop
// (message boxes, moving the window), so slots keep ticking there.
#include <windows.h>
// The system's other headers need it first.
#include <mmsystem.h>

#include <algorithm>

#include "platform/win32/win32_classes.h"
#include "platform/win32/win32_platform.h"

namespace quorvel {
namespace {

constexpr UINT_PTR kTimerId = 1;
// The system timer waits at least this long (USER_TIMER_MINIMUM): a shorter wait is slept through.
constexpr Duration kShortestTimer = std::chrono::milliseconds(10);

UINT millisecondsUpTo(Duration wait) {
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(std::max(wait, Duration::zero())).count();
  return static_cast<UINT>(std::min<long long>(ms, USER_TIMER_MAXIMUM));
}

}  // namespace

Duration Win32Platform::now() const {
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  const long long ticks = counter.QuadPart - epoch_.QuadPart;
  const long long frequency = frequency_.QuadPart;
  // In two parts, so that a long uptime cannot overflow.
  return Duration{ticks / frequency * 1'000'000'000LL + ticks % frequency * 1'000'000'000LL / frequency};
}

// The system's timer runs at millisecond resolution only while a timer is enabled: an idle program does
// not keep the whole system's clock fast.
void Win32Platform::holdFastClock(bool hold) {
  if (hold == fastClock_) return;
  fastClock_ = hold;
  if (hold) {
    timeBeginPeriod(1);
  } else {
    timeEndPeriod(1);
  }
}

void Win32Platform::wakeAt(std::optional<Duration> deadline) {
  holdFastClock(deadline.has_value());
  if (!deadline) {
    KillTimer(messageWindow_, kTimerId);
    return;
  }
  SetTimer(messageWindow_, kTimerId, millisecondsUpTo(*deadline - now()), nullptr);
}

// Sooner than the system timer can wake us: two chains a few milliseconds apart would make the second
// late by the rest of the minimum.
bool Win32Platform::waitForSoonDeadline(Duration deadline) {
  const Duration wait = deadline - now();
  if (wait >= kShortestTimer) return false;
  if (wait > Duration::zero()) Sleep(millisecondsUpTo(wait));
  return true;
}

// The message window hears the timer and the stop key.
LRESULT Win32Platform::handleTimerMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    ticksDue();
    return 0;
  }
  if (message == WM_HOTKEY && wParam == kStopKeyId) {
    stopKeyPressed();
    return 0;
  }
  return DefWindowProcW(messageWindow_, message, wParam, lParam);
}

}  // namespace quorvel
