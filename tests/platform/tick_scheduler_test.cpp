#include "platform/shared/tick_scheduler.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/fake_platform.h"

namespace quorvel {
namespace {

using std::chrono::milliseconds;

constexpr Duration kSecond = milliseconds(1000);

class TickSchedulerTest : public ::testing::Test {
 protected:
  FakePlatform fake;
  std::vector<long long> ticksOf(const std::vector<Duration>& times) {
    std::vector<long long> ms;
    for (Duration t : times) ms.push_back(std::chrono::duration_cast<milliseconds>(t).count());
    return ms;
  }
};

TEST_F(TickSchedulerTest, FirstTickComesOneIntervalAfterEnabling) {
  std::vector<Duration> ticks;
  const TimerId timer = fake.createTimer(kSecond, [&] { ticks.push_back(fake.now()); });
  EXPECT_FALSE(fake.timerEnabled(timer));
  fake.advance(milliseconds(300));
  fake.setTimerEnabled(timer, true);
  fake.advance(milliseconds(3000));
  EXPECT_EQ(ticksOf(ticks), (std::vector<long long>{1300, 2300, 3300}));
}

TEST_F(TickSchedulerTest, EnablingAnEnabledTimerKeepsItsPhase) {
  std::vector<Duration> ticks;
  const TimerId timer = fake.createTimer(kSecond, [&] { ticks.push_back(fake.now()); });
  fake.setTimerEnabled(timer, true);
  fake.advance(milliseconds(700));
  fake.setTimerEnabled(timer, true);
  fake.advance(milliseconds(1500));
  EXPECT_EQ(ticksOf(ticks), (std::vector<long long>{1000, 2000}));
}

TEST_F(TickSchedulerTest, AStallDeliversOneTickAndStaysOnTheGrid) {
  std::vector<Duration> ticks;
  bool stallOnce = true;
  const TimerId timer = fake.createTimer(kSecond, [&] {
    ticks.push_back(fake.now());
    if (stallOnce) {
      stallOnce = false;
      fake.setHandlerLateness(milliseconds(3500));  // the next handler starts 3.5 s late
    } else {
      fake.setHandlerLateness(Duration::zero());
    }
  });
  fake.setTimerEnabled(timer, true);
  fake.advance(milliseconds(7000));
  // Deadlines 2 s, 3 s, 4 s and 5 s were missed; one tick at 5.5 s, then back on the grid at 6 s, 7 s.
  EXPECT_EQ(ticksOf(ticks), (std::vector<long long>{1000, 5500, 6000, 7000}));
}

TEST_F(TickSchedulerTest, TimerEnabledInATickCountsFromTheScheduledTime) {
  std::vector<Duration> secondTicks;
  TimerId second{};
  const TimerId first = fake.createTimer(kSecond, [&] {
    fake.setTimerEnabled(first, false);
    fake.setTimerEnabled(second, true);
  });
  second = fake.createTimer(kSecond, [&] { secondTicks.push_back(fake.now()); });
  fake.setHandlerLateness(milliseconds(400));
  fake.setTimerEnabled(first, true);
  fake.advance(milliseconds(3000));
  // The first tick ran at 1.4 s; the second timer still ticks at 2 s and 3 s (each handler 0.4 s late).
  EXPECT_EQ(ticksOf(secondTicks), (std::vector<long long>{2400, 3400}));
}

TEST_F(TickSchedulerTest, EqualDeadlinesRunInTheOrderTheyWereArmed) {
  std::vector<int> order;
  const TimerId a = fake.createTimer(kSecond, [&] { order.push_back(1); });
  const TimerId b = fake.createTimer(kSecond, [&] { order.push_back(2); });
  fake.setTimerEnabled(b, true);
  fake.setTimerEnabled(a, true);
  fake.advance(kSecond);
  EXPECT_EQ(order, (std::vector<int>{2, 1}));
}

TEST_F(TickSchedulerTest, DisabledTimerNeverTicks) {
  int ticks = 0;
  const TimerId timer = fake.createTimer(kSecond, [&] { ++ticks; });
  fake.setTimerEnabled(timer, true);
  fake.advance(milliseconds(999));
  fake.setTimerEnabled(timer, false);
  fake.advance(milliseconds(5000));
  EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace quorvel
