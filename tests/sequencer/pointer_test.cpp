#include "sequencer/pointer.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "settings/conversions.h"

namespace quorvel {
namespace {

class PointerTest : public ::testing::Test {
 protected:
  FakePlatform fake;
  WindowHandle window = fake.addWindow(Point{300, 200});
  Pointer pointer{fake, window};
};

// Points keep their 96-dpi meaning relative to the client area: scaled to the window's resolution first (150
// % here), then rounded half to even. That the client area may move is the run tests' case.
TEST_F(PointerTest, MovesRelativeToTheClientAreaScaledAndRoundedHalfToEven) {
  const struct {
    int dpi;
    float x, y;
    Point screen;
  } cases[] = {{96, 0, 0, {300, 200}},        {96, 100.5f, 101.5f, {400, 302}}, {96, -20, -0.5f, {280, 200}},
               {96, -2.5f, 2.5f, {298, 202}}, {96, 0.6f, -0.6f, {301, 199}},    {144, 100, 10, {450, 215}},
               {144, 0.5f, 1, {301, 202}},    {144, -3, 3, {296, 204}}};
  for (const auto& c : cases) {
    fake.setWindowDpi(window, c.dpi);
    pointer.MoveMouse(c.x, c.y);
    EXPECT_EQ(fake.cursor(), c.screen) << c.dpi << " dpi: " << c.x << "," << c.y;
  }
}

TEST_F(PointerTest, CoordinateOutOfRangeMovesNothing) {
  pointer.MoveMouse(1, 2);
  EXPECT_THROW(pointer.MoveMouse(1e12f, 5), OverflowError);
  EXPECT_THROW(pointer.MoveMouse(5, -3e9f), OverflowError);
  EXPECT_EQ(fake.cursor(), (Point{301, 202}));
}

TEST_F(PointerTest, ClickIsOnePressAndReleaseBatchAtThePointer) {
  pointer.MoveMouse(7, 8);
  pointer.ClickMouse(kMouseLeftDown, kMouseLeftUp);
  const auto& events = fake.injected();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].batch, events[1].batch);
  EXPECT_EQ(events[0].record.dwFlags, 2u);
  EXPECT_EQ(events[1].record.dwFlags, 4u);
  for (const auto& e : events) {
    EXPECT_EQ(e.position, (Point{307, 208}));
    EXPECT_EQ(e.record.type, 0u);
    EXPECT_EQ(e.record.dx, 0);
    EXPECT_EQ(e.record.dy, 0);
    EXPECT_EQ(e.record.mouseData, 0u);
    EXPECT_EQ(e.record.time, 0u);
    EXPECT_EQ(e.record.dwExtraInfo, 0u);
  }
}

}  // namespace
}  // namespace quorvel
