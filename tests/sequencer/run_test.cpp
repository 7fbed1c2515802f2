// Whole runs on the virtual clock: when and where the clicks land.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "platform/native_files/fake_files.h"
#include "sequencer/sequencer.h"
#include "settings/config_file.h"
#include "settings/mdini.h"
#include "support/temp_dir.h"

namespace quorvel {
namespace {

using std::chrono::milliseconds;

struct Click {
  long long ms;
  Point at;
  friend bool operator==(const Click&, const Click&) = default;
};

std::ostream& operator<<(std::ostream& out, const Click& c) {
  return out << "{" << c.ms << " ms, " << c.at.x << "," << c.at.y << "}";
}

using Clicks = std::vector<Click>;

constexpr Point kClientOrigin{100, 50};

class RunTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  FakePlatform fake;
  FakeFiles files{dir.str()};
  WindowHandle window = fake.addWindow(kClientOrigin);
  Pointer pointer{fake, window};
  Sequencer sequencer{fake, files, portableConfigPath(files), pointer};

  // Slots n, n + 1, ... as x, y, t and f.
  void setSlots(std::initializer_list<std::array<std::string, 4>> slots, int n = 1) {
    for (const auto& [x, y, t, f] : slots) {
      for (const auto& [key, value] : {std::pair{"x", x}, {"y", y}, {"t", t}, {"f", f}})
        setKey(n, key, value);
      ++n;
    }
  }
  void setKey(int n, const char* key, const std::string& value) {
    ASSERT_EQ(writeini(files, portableConfigPath(files), slotSection(n), key, value), "1");
  }
  void advanceTo(long long ms) { fake.advance(milliseconds(ms) - fake.now()); }

  // Every click so far; each must be a press and a release injected together at one point.
  std::vector<Click> clicks() {
    std::vector<Click> result;
    const auto& events = fake.injected();
    EXPECT_EQ(events.size() % 2, 0u);
    for (std::size_t i = 0; i + 1 < events.size(); i += 2) {
      EXPECT_EQ(events[i].record.dwFlags, kMouseLeftDown);
      EXPECT_EQ(events[i + 1].record.dwFlags, kMouseLeftUp);
      EXPECT_EQ(events[i].batch, events[i + 1].batch);
      EXPECT_EQ(events[i].position, events[i + 1].position);
      result.push_back(
          Click{std::chrono::duration_cast<milliseconds>(events[i].time).count(), events[i].position});
    }
    return result;
  }
  static Point client(int x, int y) { return Point{kClientOrigin.x + x, kClientOrigin.y + y}; }
  bool anyTimerEnabled() const {
    for (int k = 1; k <= 20; ++k)
      if (fake.timerEnabled(sequencer.timer(k))) return true;
    return false;
  }
};

// Another program replaces config.ini while a cycle reads it, at each look the cycle takes at the file:
// the cycle reads one version whole, never x from one and y from the next.
TEST_F(RunTest, OneCycleReadsOneVersionOfTheFile) {
  files.keepFilesInMemory();
  const std::string path = portableConfigPath(files);
  auto version = [](int base) {
    std::string text;
    for (int i = 1; i <= 20; ++i) {
      const std::string v = std::to_string(base + i);
      text += "[no" + std::to_string(i) + "]\nx=" + v + "\ny=" + v + "\nt=1\nf=1\n";
    }
    return text;
  };
  for (int replaceAt = 1; replaceAt <= 100; ++replaceAt) {
    files.replaceFile(path, version(0));
    int looks = 0;
    files.beforeEachLook([&] {
      if (++looks == replaceAt) files.replaceFile(path, version(1000));
    });
    sequencer.LoadSlots();
    files.beforeEachLook(nullptr);
    const float base = sequencer.table().x[1] - 1;
    ASSERT_TRUE(base == 0 || base == 1000) << replaceAt;
    for (int i = 1; i <= 20; ++i) {
      ASSERT_EQ(sequencer.table().x[i], base + i) << "replaced at look " << replaceAt << ", slot " << i;
      ASSERT_EQ(sequencer.table().y[i], base + i) << "replaced at look " << replaceAt << ", slot " << i;
    }
  }
}

TEST_F(RunTest, WithoutAFileTheRunEndsAtTheFirstTickWithoutAClick) {
  sequencer.Start();
  EXPECT_TRUE(fake.timerEnabled(sequencer.timer(1)));
  advanceTo(1000);
  EXPECT_FALSE(anyTimerEnabled());
  advanceTo(10000);
  EXPECT_TRUE(clicks().empty());
  EXPECT_TRUE(fake.messages().empty());
}

TEST_F(RunTest, SlotsClickOnTheSumsOfTheirDelaysAndTheEndMarkerCostsOneTick) {
  setSlots({{"10", "10", "1", "1"}, {"20", "20", "2", "1"}, {"30", "30", "0", "0"}});
  sequencer.Start();
  advanceTo(7500);
  const Clicks expected = {
      {1000, client(10, 10)}, {3000, client(20, 20)}, {5000, client(10, 10)}, {7000, client(20, 20)}};
  EXPECT_EQ(clicks(), expected);
}

TEST_F(RunTest, ShortLoopClicksEveryTwoSeconds) {
  setSlots({{"5", "6", "1", "1"}});
  sequencer.Start();
  advanceTo(6000);
  EXPECT_EQ(clicks(), (Clicks{{1000, client(5, 6)}, {3000, client(5, 6)}, {5000, client(5, 6)}}));
}

TEST_F(RunTest, TwentySlotsThenSlotOneAgain) {
  for (int n = 1; n <= 20; ++n) setSlots({{std::to_string(n), "0", "1", "1"}}, n);
  sequencer.Start();
  advanceTo(22000);
  const auto all = clicks();
  ASSERT_EQ(all.size(), 22u);
  for (int i = 0; i < 22; ++i) {
    const int slot = i % 20 + 1;
    EXPECT_EQ(all[i], (Click{1000LL * (i + 1), client(slot, 0)}));
  }
}

TEST_F(RunTest, HeldSlotNeverClicksAndKeepsItsTimer) {
  setSlots({{"1", "1", "1", "1"}, {"2", "2", "5", "0"}});
  sequencer.Start();
  advanceTo(60000);
  EXPECT_EQ(clicks(), (Clicks{{1000, client(1, 1)}}));
  EXPECT_TRUE(fake.timerEnabled(sequencer.timer(2)));
  EXPECT_EQ(sequencer.table().ticks[2], 59);
}

TEST_F(RunTest, RoundedValuesDecideDelayAndFlag) {
  // Slot 1: t 2, f 1, point (100, 102); slot 2: f 2, held.
  setSlots({{"100.5", "101.5", "2.5", "1.4"}, {"0", "0", "1", "1.5"}});
  sequencer.Start();
  advanceTo(10000);
  EXPECT_EQ(clicks(), (Clicks{{2000, client(100, 102)}}));
  EXPECT_EQ(sequencer.table().f[2], 2);
  EXPECT_EQ(sequencer.table().t[0], 0);
}

TEST_F(RunTest, EditsTakeEffectAtTheNextCycleOnly) {
  setSlots({{"1", "1", "2", "1"}});
  sequencer.Start();
  advanceTo(1000);
  setKey(1, "x", "77");  // mid-cycle
  advanceTo(2000);
  advanceTo(3500);
  setKey(1, "t", "0");  // the next cycle (from 3 s) ends at its first tick
  advanceTo(20000);
  EXPECT_EQ(clicks(), (Clicks{{2000, client(1, 1)}, {5000, client(77, 1)}}));
  EXPECT_FALSE(anyTimerEnabled());
}

TEST_F(RunTest, StartDuringARunRestartsTheCountsAndRunsASecondChain) {
  setSlots({{"1", "0", "1", "1"}, {"2", "0", "3", "1"}});
  sequencer.Start();
  advanceTo(2500);
  sequencer.Start();
  advanceTo(12000);
  const Clicks expected = {{1000, client(1, 0)}, {3500, client(1, 0)},  {5000, client(2, 0)},
                           {7000, client(1, 0)}, {10000, client(2, 0)}, {12000, client(1, 0)}};
  EXPECT_EQ(clicks(), expected);
}

TEST_F(RunTest, StartWhileHeldReleasesTheSlotWhenItsFlagWasSet) {
  setSlots({{"1", "0", "1", "1"}, {"2", "0", "2", "0"}});
  sequencer.Start();
  advanceTo(10000);
  setKey(2, "f", "1");
  sequencer.Start();
  advanceTo(16000);
  const Clicks expected = {{1000, client(1, 0)},
                           {11000, client(1, 0)},
                           {12000, client(2, 0)},
                           {14000, client(1, 0)},
                           {16000, client(2, 0)}};
  EXPECT_EQ(clicks(), expected);
}

TEST_F(RunTest, OverflowAtStartStopsTheCommandAndSaysWhere) {
  setSlots({{"1", "1", "1", "1"}, {"1", "1", "2", "1"}, {"1", "1", "7", "1"}}, 2);
  sequencer.Start();
  advanceTo(500);
  setKey(2, "x", "55");
  setKey(3, "t", "99999");
  setKey(4, "t", "9");
  sequencer.Start();
  ASSERT_EQ(fake.messages().size(), 1u);
  const auto& message = fake.messages()[0];
  EXPECT_EQ(message.title, "提示：");
  EXPECT_EQ(message.icon, MessageIcon::exclamation);
  EXPECT_NE(message.text.find("no3"), std::string::npos) << message.text;
  EXPECT_NE(message.text.find(" t "), std::string::npos) << message.text;
  EXPECT_NE(message.text.find("99999"), std::string::npos) << message.text;
  // Fields read before the faulty key hold their new values; it and the later ones keep the old.
  EXPECT_EQ(sequencer.table().x[2], 55.0f);
  EXPECT_EQ(sequencer.table().t[3], 2);
  EXPECT_EQ(sequencer.table().t[4], 7);
}

TEST_F(RunTest, OverflowAtANewCycleStopsTheRun) {
  setSlots({{"1", "1", "1", "1"}});
  sequencer.Start();
  advanceTo(1500);
  setKey(1, "f", "255.5");
  advanceTo(30000);
  EXPECT_EQ(clicks(), (Clicks{{1000, client(1, 1)}}));
  EXPECT_FALSE(anyTimerEnabled());
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].time, milliseconds(2000));
  EXPECT_NE(fake.messages()[0].text.find("255.5"), std::string::npos);
}

TEST_F(RunTest, PointThatCannotBePlacedStopsTheRunAtThatSlot) {
  setSlots({{"1", "1", "1", "1"}, {"9e9", "1", "1", "1"}, {"3", "3", "1", "1"}});
  sequencer.Start();
  advanceTo(30000);
  EXPECT_EQ(clicks(), (Clicks{{1000, client(1, 1)}}));
  EXPECT_FALSE(anyTimerEnabled());
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_NE(fake.messages()[0].text.find("no2"), std::string::npos) << fake.messages()[0].text;
  EXPECT_NE(fake.messages()[0].text.find(" x "), std::string::npos) << fake.messages()[0].text;
}

TEST_F(RunTest, OtherChainsCarryOnAfterAnOverflow) {
  setSlots(
      {{"1", "0", "1", "1"}, {"2", "0", "1", "1"}, {"3", "0", "30", "0"}});  // 3 held: its timer stays on
  sequencer.Start();
  advanceTo(2500);
  setKey(1, "t", "40000");
  setKey(3, "f", "1");
  sequencer.Start();  // refused: the held chain goes on with the table loaded up to the faulty key
  EXPECT_EQ(fake.messages().size(), 1u);
  advanceTo(40000);
  EXPECT_EQ(clicks(), (Clicks{{1000, client(1, 0)}, {2000, client(2, 0)}}));
  EXPECT_TRUE(fake.timerEnabled(sequencer.timer(3)));
}

TEST_F(RunTest, ClicksFollowTheWindow) {
  setSlots({{"10", "20", "1", "1"}, {"10", "20", "1", "1"}, {"0", "0", "0", "0"}});
  sequencer.Start();
  advanceTo(1500);
  fake.setClientOrigin(window, Point{400, 300});
  advanceTo(2500);
  EXPECT_EQ(clicks(), (Clicks{{1000, client(10, 20)}, {2000, Point{410, 320}}}));
}

TEST_F(RunTest, NoDriftOverTenThousandCyclesWithLateHandlers) {
  files.keepFilesInMemory();  // 800,000 reads; the disk is not what this measures
  setSlots({{"1", "0", "1", "1"}, {"2", "0", "2", "1"}, {"3", "0", "0", "0"}});
  constexpr long long kLateMs = 700;  // every handler starts this late
  fake.setHandlerLateness(milliseconds(kLateMs));
  sequencer.Start();
  constexpr int kCycles = 10000;
  constexpr long long kCycleMs = 1000 + 2000 + 1000;  // end marker costs one tick
  advanceTo(kCycles * kCycleMs);
  const auto all = clicks();
  ASSERT_EQ(all.size(), 2u * kCycles);
  long long worst = 0;
  for (int c = 0; c < kCycles; ++c) {
    const long long cycleStart = c * kCycleMs;
    const long long first = all[2 * c].ms - (cycleStart + 1000);
    const long long second = all[2 * c + 1].ms - (cycleStart + 3000);
    worst = std::max({worst, std::abs(first - kLateMs), std::abs(second - kLateMs)});
  }
  EXPECT_EQ(worst, 0) << "largest deviation from the planned click time, beyond the constant lateness";
  RecordProperty("cycles", kCycles);
}

}  // namespace
}  // namespace quorvel
