#include "platform/shared/tick_scheduler.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/fake_platform.h"

// Where these cases hold exactly, on the fake's clock. Keeping the phase when enabled again, counting from a
// tick's scheduled time and stopping when disabled are the backend contract's cases, the fake's included.
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

TEST_F(TickSchedulerTest, EqualDeadlinesRunInTheOrderTheyWereArmed) {
  std::vector<int> order;
  const TimerId a = fake.createTimer(kSecond, [&] { order.push_back(1); });
  const TimerId b = fake.createTimer(kSecond, [&] { order.push_back(2); });
  fake.setTimerEnabled(b, true);
  fake.setTimerEnabled(a, true);
  fake.advance(kSecond);
  EXPECT_EQ(order, (std::vector<int>{2, 1}));
}

}  // namespace
}  // namespace quorvel
