// What the program's logic relies on from every backend, stated once and run on each of them: timers,
// focus and tab order, text fields, combo and check boxes, window placement and owner-drawn surfaces.
// Include it in one file per backend and instantiate the suite with that backend's driver.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "backend_driver.h"
#include "platform/control_surface.h"
#include "platform/native_files/fake_files.h"
#include "recording_client.h"
#include "sequencer/sequencer.h"
#include "settings/config_file.h"
#include "settings/mdini.h"

namespace quorvel::contract {

using std::chrono::milliseconds;

template <typename Driver>
class BackendContract : public ::testing::Test {
 protected:
  // A window at (100, 100) pixels of the screen, with its controls given in pixels.
  WindowHandle window(Point at = {100, 100}) {
    const WindowHandle w =
        p().createWindow(WindowSpec{"contract", 300 * kTwipsPerPixel, 200 * kTwipsPerPixel});
    p().moveWindow(
        w, TwipsPoint{static_cast<float>(at.x * kTwipsPerPixel), static_cast<float>(at.y * kTwipsPerPixel)});
    return w;
  }
  static ControlSpec spec(ControlKind kind, TwipsRect pixels, int tabIndex, int maxLength = 0) {
    ControlSpec s;
    s.kind = kind;
    s.rect = TwipsRect{pixels.left * kTwipsPerPixel, pixels.top * kTwipsPerPixel,
                       pixels.width * kTwipsPerPixel, pixels.height * kTwipsPerPixel};
    s.tabIndex = tabIndex;
    s.maxLength = maxLength;
    s.font = FontSpec{"宋体", 10.5, 134};
    return s;
  }
  ControlId textBox(WindowHandle w, int top, int tabIndex, int maxLength = 0) {
    return p().createControl(w, spec(ControlKind::textBox, {10, top, 80, 21}, tabIndex, maxLength));
  }
  std::unique_ptr<ControlSurface> surface(WindowHandle w, RecordingClient& client, TwipsRect pixels,
                                          int tabIndex) {
    return p().createControlSurface(w, spec(ControlKind::button, pixels, tabIndex), client);
  }
  void show(WindowHandle w) {
    p().showWindow(w);
    driver.settle();
  }
  Platform& p() { return driver.platform(); }
  static long long ms(Duration d) { return std::chrono::duration_cast<milliseconds>(d).count(); }

  Driver driver;
};

TYPED_TEST_SUITE_P(BackendContract);

// Timers: first tick one interval after enabling, on a grid that never runs early; enabling an enabled timer
// keeps its phase; no tick after disabling.
TYPED_TEST_P(BackendContract, TimerTicksOnItsGridAndStopsWhenDisabled) {
  constexpr Duration interval = milliseconds(400);
  std::vector<Duration> ticks;
  const TimerId timer = this->p().createTimer(interval, [&] { ticks.push_back(this->driver.now()); });
  EXPECT_FALSE(this->p().timerEnabled(timer));
  const Duration start = this->driver.now();
  this->p().setTimerEnabled(timer, true);
  this->driver.wait(milliseconds(300));
  this->p().setTimerEnabled(timer, true);
  this->driver.waitUntil([&] { return ticks.size() >= 3; }, milliseconds(3000));
  ASSERT_GE(ticks.size(), 3u);
  EXPECT_LT(this->ms(ticks[0] - start), 600) << "a new phase would tick at 700 ms";
  for (std::size_t k = 0; k < 3; ++k) EXPECT_GE(ticks[k] - start, interval * static_cast<int>(k + 1)) << k;
  this->p().setTimerEnabled(timer, false);
  const std::size_t seen = ticks.size();
  this->driver.wait(interval * 3);
  EXPECT_EQ(ticks.size(), seen);
}

// A timer enabled inside a slow tick handler counts from that tick's scheduled time, not from the
// moment the handler got round to it.
TYPED_TEST_P(BackendContract, TimerEnabledInATickCountsFromThatTicksScheduledTime) {
  constexpr Duration interval = milliseconds(300);
  std::vector<Duration> secondTicks;
  const TimerId second = this->p().createTimer(interval, [&] { secondTicks.push_back(this->driver.now()); });
  TimerId first{};
  first = this->p().createTimer(interval, [&] {
    this->p().setTimerEnabled(first, false);
    this->driver.stall(milliseconds(180));
    this->p().setTimerEnabled(second, true);
  });
  const Duration start = this->driver.now();
  this->p().setTimerEnabled(first, true);
  this->driver.waitUntil([&] { return !secondTicks.empty(); }, milliseconds(3000));
  this->p().setTimerEnabled(second, false);
  ASSERT_FALSE(secondTicks.empty());
  EXPECT_GE(this->ms(secondTicks[0] - start), 600);
  EXPECT_LT(this->ms(secondTicks[0] - start), 720) << "counting from the handler's end would tick at 780 ms";
}

// A modal message box does not stop the timers, and a repaint asked for before it opens is on screen while
// it is open: a button released into a box shows its released face.
TYPED_TEST_P(BackendContract, TimersTickAndAskedRepaintsShowWhileAMessageBoxIsOpen) {
  const WindowHandle w = this->window();
  RecordingClient client;
  const auto s = this->surface(w, client, {20, 20, 40, 20}, -1);
  this->show(w);
  bool boxOpen = false;
  int ticksDuringBox = 0;
  int paintsBefore = 0;
  int paintsSeenInBox = -1;
  const TimerId watcher = this->p().createTimer(milliseconds(100), [&] {
    ticksDuringBox += boxOpen ? 1 : 0;
    if (boxOpen && paintsSeenInBox < 0) paintsSeenInBox = client.paints;
  });
  TimerId opener{};
  opener = this->p().createTimer(milliseconds(100), [&] {
    this->p().setTimerEnabled(opener, false);
    paintsBefore = client.paints;
    s->requestRepaint();
    boxOpen = true;
    this->p().messageBox("保存完毕!", "提示：", MessageIcon::exclamation);
    boxOpen = false;
  });
  this->driver.closeMessageBoxesAfter(milliseconds(800));
  this->p().setTimerEnabled(watcher, true);
  this->p().setTimerEnabled(opener, true);
  this->driver.wait(milliseconds(1500));
  this->p().setTimerEnabled(watcher, false);
  EXPECT_FALSE(boxOpen) << "the box was closed";
  EXPECT_GE(ticksDuringBox, 4);
  EXPECT_GT(paintsSeenInBox, paintsBefore);
}

// Tab walks one window's controls in tab order, skips those that cannot take the focus, and wraps; a
// text box reached by Tab has its text selected, so typing replaces it.
TYPED_TEST_P(BackendContract, TabStaysInItsWindowAndSkipsDisabledControls) {
  const WindowHandle w = this->window();
  const ControlId a = this->textBox(w, 10, 0);
  RecordingClient disabledClient;
  const auto disabled = this->surface(w, disabledClient, {10, 40, 40, 20}, 1);
  disabled->setEnabled(false);
  const ControlId b = this->textBox(w, 70, 2);
  const WindowHandle other = this->window({500, 100});
  const ControlId c = this->textBox(other, 10, 1);
  this->show(other);
  this->show(w);
  this->p().setFocus(a);
  this->driver.settle();
  this->driver.press(Key::tab);
  this->driver.type("1");
  this->driver.press(Key::tab);
  this->driver.type("2");
  this->driver.press(Key::tab, true);
  this->driver.type("3");
  EXPECT_EQ(this->p().controlText(a), "2");
  EXPECT_EQ(this->p().controlText(b), "3");
  EXPECT_EQ(this->p().controlText(c), "");
  EXPECT_TRUE(disabledClient.entries("focus").empty());
}

// The typing limit counts characters, not bytes; text the program sets is never cut.
TYPED_TEST_P(BackendContract, TypingLimitCountsCharactersAndProgramTextIsNeverCut) {
  const WindowHandle w = this->window();
  const ControlId field = this->textBox(w, 10, 0, 2);
  this->show(w);
  this->p().setFocus(field);
  this->driver.settle();
  this->driver.type("启动吧");
  EXPECT_EQ(this->p().controlText(field), "启动");
  this->p().setControlText(field, "1234567");
  EXPECT_EQ(this->p().controlText(field), "1234567");
}

// Typed text selects no item of a combo box; a pick with the arrow key raises one click.
TYPED_TEST_P(BackendContract, ComboPickRaisesOneClickAndTypedTextSelectsNothing) {
  const WindowHandle w = this->window();
  ControlSpec s = this->spec(ControlKind::comboBox, {10, 10, 57, 20}, 0);
  s.items = {"1", "2", "3"};
  const ControlId combo = this->p().createControl(w, s);
  int clicks = 0;
  this->p().setControlHandlers(combo, ControlHandlers{[&] { ++clicks; }, {}, {}});
  this->show(w);
  EXPECT_EQ(this->p().listIndex(combo), -1);
  this->p().setFocus(combo);
  this->driver.settle();
  this->driver.press(Key::down);
  EXPECT_EQ(this->p().listIndex(combo), 0);
  EXPECT_EQ(this->p().controlText(combo), "1");
  EXPECT_EQ(clicks, 1);
  this->driver.type("2");
  EXPECT_EQ(this->p().listIndex(combo), -1);
  EXPECT_EQ(clicks, 1);
}

// A check box holds 0, 1 and 2 as the program sets them; a click of the user toggles clear and checked.
TYPED_TEST_P(BackendContract, CheckBoxHoldsThreeStatesAndAClickTogglesTwo) {
  const WindowHandle w = this->window();
  const ControlId check = this->p().createControl(w, this->spec(ControlKind::checkBox, {10, 10, 17, 17}, 0));
  int clicks = 0;
  this->p().setControlHandlers(check, ControlHandlers{[&] { ++clicks; }, {}, {}});
  this->show(w);
  for (const int value : {2, 1, 0}) {
    this->p().setCheckValue(check, value);
    EXPECT_EQ(this->p().checkValue(check), value);
  }
  this->driver.click(w, Point{18, 18});
  EXPECT_EQ(this->p().checkValue(check), 1);
  this->driver.click(w, Point{18, 18});
  EXPECT_EQ(this->p().checkValue(check), 0);
  EXPECT_EQ(clicks, 2);
}

// The window's position round-trips in twips, and its client area moves with it.
TYPED_TEST_P(BackendContract, ClientAreaFollowsTheWindowPosition) {
  const WindowHandle w = this->window({100, 200});
  this->show(w);
  EXPECT_EQ(this->p().windowPosition(w), (TwipsPoint{1500, 3000}));
  const Point origin = this->p().clientToScreen(w, Point{0, 0});
  EXPECT_GE(origin.x, 100);
  EXPECT_GE(origin.y, 200);
  this->p().moveWindow(w, TwipsPoint{3000, 1500});
  this->driver.settle();
  EXPECT_EQ(this->p().windowPosition(w), (TwipsPoint{3000, 1500}));
  EXPECT_EQ(this->p().clientToScreen(w, Point{7, -3}), (Point{origin.x + 107, origin.y - 103}));
}

// A control goes into a frame of its own window or into none: a label, or a frame of another window, is
// refused as its container.
TYPED_TEST_P(BackendContract, ContainerMustBeAFrameOfTheSameWindow) {
  const WindowHandle w = this->window();
  const WindowHandle other = this->window({500, 100});
  const ControlId label = this->p().createControl(w, this->spec(ControlKind::label, {10, 10, 60, 20}, -1));
  const ControlId foreign =
      this->p().createControl(other, this->spec(ControlKind::frame, {10, 10, 200, 100}, -1));
  for (const ControlId container : {label, foreign}) {
    ControlSpec placement = this->spec(ControlKind::textBox, {20, 40, 80, 21}, 0);
    placement.container = container;
    EXPECT_THROW(this->p().createControl(w, placement), std::invalid_argument) << static_cast<int>(container);
  }
}

// A hosted control without a font of its own takes its placement's font. Captions wrap at blanks and
// between Chinese characters, the same for measuring on every backend.
TYPED_TEST_P(BackendContract, HostedControlTakesItsPlacementFontAndWrapsCaptions) {
  const WindowHandle w = this->window();
  RecordingClient client;
  const auto s = this->surface(w, client, {10, 10, 40, 20}, -1);
  const CaptionFont ambient = s->ambientFont();
  EXPECT_EQ(ambient.name, "宋体");
  EXPECT_EQ(ambient.size, 10.5f);
  EXPECT_EQ(ambient.charset, 134);
  const CaptionFont font{"宋体", 9, false, false, false, false, 400, 134};
  const auto measure = [&](const char* text, double wrap = 0) { return s->measureText(text, font, wrap); };
  const TwipsSize line = measure("ab");
  const TwipsSize wrapped = measure("ab cd", measure("ab c").width);
  EXPECT_EQ(wrapped.height, 2 * line.height);
  EXPECT_EQ(wrapped.width, std::max(measure("ab").width, measure("cd").width));
  const TwipsSize chinese = measure("ab保存", measure("ab保").width);
  EXPECT_EQ(chinese.height, 2 * line.height);
  EXPECT_EQ(chinese.width, measure("ab保").width);
  EXPECT_EQ(measure("a\nb").height, 2 * line.height);
  EXPECT_EQ(measure("").height, line.height);
}

// A surface hears once that it is shown; without the capture it hears nothing of the pointer once it is
// off the surface; with it, it gets the moves over another surface too, and the move that leaves the
// window.
TYPED_TEST_P(BackendContract, CaptureDecidesWhoGetsTheMovesOffTheSurface) {
  const WindowHandle w = this->window();
  RecordingClient client;
  RecordingClient other;
  const auto s = this->surface(w, client, {20, 20, 40, 20}, -1);
  const auto o = this->surface(w, other, {120, 20, 40, 20}, -1);
  this->show(w);
  this->show(w);
  EXPECT_EQ(client.entries("shown"), std::vector<std::string>{"shown"});
  this->driver.movePointer(w, Point{25, 27});
  std::size_t moves = client.entries("move").size();
  this->driver.movePointer(w, Point{90, 90});
  EXPECT_EQ(client.entries("move").size(), moves);
  this->driver.movePointer(w, Point{25, 27});
  s->setCapture();
  this->driver.movePointer(w, Point{130, 25});
  EXPECT_EQ(client.entries("move").back(), "move 0 0 1650 75");
  EXPECT_TRUE(other.entries("move").empty());
  s->releaseCapture();
  this->driver.movePointer(w, Point{131, 25});
  ASSERT_FALSE(other.entries("move").empty());
  EXPECT_EQ(other.entries("move").back(), "move 0 0 165 75");
  // Captured while the pointer is on it, released once it is outside the window.
  client.afterMove = [&](float x, float y) {
    (x < 0 || y < 0 || x > 600 || y > 300) ? s->releaseCapture() : s->setCapture();
  };
  this->driver.movePointer(w, Point{30, 25});
  EXPECT_EQ(client.entries("move").back(), "move 0 0 150 75");
  this->driver.movePointer(w, Point{-90, -90});
  EXPECT_EQ(client.entries("move").back(), "move 0 0 -1650 -1650");
  moves = client.entries("move").size();
  this->driver.movePointer(w, Point{-80, -90});
  EXPECT_EQ(client.entries("move").size(), moves) << "released: nothing more from outside";
}

// A disabled surface gets neither pointer nor keys, nor the focus; nor does one outside the tab order.
TYPED_TEST_P(BackendContract, DisabledOrUntabbedSurfaceTakesNoInputOrFocus) {
  const WindowHandle w = this->window();
  RecordingClient client;
  RecordingClient untabbed;
  const auto s = this->surface(w, client, {20, 20, 40, 20}, 0);
  const auto u = this->surface(w, untabbed, {120, 20, 40, 20}, -1);
  this->show(w);
  s->setEnabled(false);
  EXPECT_FALSE(s->enabled());
  client.log.clear();
  this->driver.click(w, Point{25, 27});
  s->requestFocus();
  this->driver.settle();
  this->driver.type("a");
  EXPECT_EQ(client.log, std::vector<std::string>{});
  s->setEnabled(true);
  this->driver.movePointer(w, Point{26, 27});
  EXPECT_EQ(client.entries("move").back(), "move 0 0 90 105");
  u->requestFocus();
  this->driver.settle();
  EXPECT_TRUE(untabbed.entries("focus").empty());
}

// The pressed surface gets its release wherever it happens; the second press of a pair is a double click.
TYPED_TEST_P(BackendContract, PressedSurfaceGetsTheReleaseAndPairsMakeDoubleClicks) {
  const WindowHandle w = this->window();
  RecordingClient client;
  const auto s = this->surface(w, client, {20, 20, 40, 20}, -1);
  this->show(w);
  this->driver.click(w, Point{30, 25});
  this->driver.click(w, Point{30, 25});
  this->driver.movePointer(w, Point{30, 25});
  this->driver.leftButton(true);
  this->driver.movePointer(w, Point{100, 100});
  this->driver.leftButton(false);
  const std::vector<std::string> expected = {"press 1 0 150 75", "release 1 0 150 75",
                                             "double",           "release 1 0 150 75",
                                             "press 1 0 150 75", "release 1 0 1200 1200"};
  EXPECT_EQ(client.entries({"press", "release", "double"}), expected);
}

// Held keys reach the focused surface as virtual-key codes; the keyboard's repeat ends in one key-up.
TYPED_TEST_P(BackendContract, HeldKeyReachesTheFocusedSurfaceWithOneKeyUp) {
  const WindowHandle w = this->window();
  RecordingClient client;
  const auto s = this->surface(w, client, {20, 20, 40, 20}, 0);
  const ControlId next = this->textBox(w, 60, 1);
  this->show(w);
  s->requestFocus();
  this->driver.settle();
  EXPECT_EQ(client.entries("focus"), std::vector<std::string>{"focus in"});
  this->driver.hold(Key::space, milliseconds(1200));
  // A key-down with its character at the press and at every repeat, then one key-up.
  const std::vector<std::string> held = client.entries({"down", "char", "up"});
  std::vector<std::string> expected;
  for (std::size_t k = 0; k + 1 < held.size(); k += 2)
    expected.insert(expected.end(), {"down 32 0", "char 32"});
  expected.emplace_back("up 32 0");
  EXPECT_EQ(held, expected);
  EXPECT_GE(held.size(), 5u) << "the keyboard repeated the key at least once";
  client.log.clear();
  this->driver.type("aA");
  EXPECT_EQ(client.entries({"down 65", "char"}),
            (std::vector<std::string>{"down 65 0", "char 97", "down 65 1", "char 65"}));
  EXPECT_EQ(client.entries("up 65").size(), 2u);
  this->driver.press(Key::tab);
  this->driver.type("x");
  EXPECT_TRUE(client.entries("down 9").empty()) << "Tab moves the focus and does not reach the control";
  EXPECT_EQ(client.entries("focus").back(), "focus out");
  EXPECT_EQ(this->p().controlText(next), "x");
}

// The control that had the keyboard gets it back when its window has it again after another program
// had it; a minimised window gives it to none of its controls, and its control gets it once restored.
TYPED_TEST_P(BackendContract, KeyboardReturnsToItsControlButNotWhileMinimised) {
  const WindowHandle w = this->window();
  const ControlId first = this->textBox(w, 10, 0);
  const ControlId second = this->textBox(w, 40, 1);
  this->show(w);
  this->p().setFocus(second);
  this->driver.settle();
  this->driver.activateOtherProgram();
  this->driver.type("x");
  this->driver.activate(w);
  this->driver.type("1");
  EXPECT_EQ(this->p().controlText(second), "1");
  this->driver.minimise(w, true);
  this->driver.activate(w);
  this->driver.type("2");
  EXPECT_EQ(this->p().controlText(second), "1") << "typed while the window was minimised";
  this->driver.minimise(w, false);
  this->driver.activate(w);
  this->driver.type("3");
  EXPECT_EQ(this->p().controlText(second), "13");
  EXPECT_EQ(this->p().controlText(first), "");
}

// A window whose screen changes resolution is laid out again at it: a control in a frame and a text box
// are where their twips put them now, and the pointer over the control is reported in twips.
TYPED_TEST_P(BackendContract, WindowIsLaidOutAgainAtANewResolution) {
  const WindowHandle w = this->window();
  const ControlId frame = this->p().createControl(w, this->spec(ControlKind::frame, {40, 30, 200, 100}, -1));
  ControlSpec placement = this->spec(ControlKind::button, {20, 40, 40, 20}, -1);
  placement.container = frame;
  RecordingClient client;
  const auto s = this->p().createControlSurface(w, placement, client);
  const ControlId field = this->textBox(w, 150, 0);
  this->show(w);
  const int dpi = this->driver.changeResolution(w, 144);
  ASSERT_EQ(dpi, 144) << "the window stayed at its old resolution";
  this->driver.settle();
  EXPECT_EQ(this->p().windowDpi(w), dpi);
  const auto px = [dpi](int at96) { return at96 * dpi / kBaseDpi; };
  const auto twips = [dpi](int pixels) { return std::to_string(pixels * kTwipsPerInch / dpi); };
  // The control spans (60, 70) to (100, 90) at 96 dpi.
  this->driver.movePointer(w, Point{px(60) + 3, px(70) + 3});
  ASSERT_FALSE(client.entries("move").empty());
  EXPECT_EQ(client.entries("move").back(), "move 0 0 " + twips(3) + " " + twips(3));
  const Point farCorner{px(100) - 2, px(90) - 2};
  this->driver.movePointer(w, farCorner);
  EXPECT_EQ(client.entries("move").back(),
            "move 0 0 " + twips(farCorner.x - px(60)) + " " + twips(farCorner.y - px(70)));
  const std::size_t moves = client.entries("move").size();
  this->driver.movePointer(w, Point{px(60) - 2, px(70) + 3});
  EXPECT_EQ(client.entries("move").size(), moves) << "left of the control";
  this->driver.click(w, Point{px(10) + 3, px(150) + 3});
  this->driver.type("x");
  EXPECT_EQ(this->p().controlText(field), "x");
}

// The stop key belongs to a run while it lasts: taken when the run starts, given back however it ends
// (the key, slot 1 below 1, an overflow, the window closing), other programs' the rest of the time.
// Pressed, it ends the run, a held slot's too, so nothing is left to click. Where another program holds
// it, the run goes on without it.
TYPED_TEST_P(BackendContract, StopKeyBelongsToARunWhileItLasts) {
  FakeFiles files{"contract"};
  files.keepFilesInMemory();
  const WindowHandle w = this->window();
  this->show(w);
  this->driver.closeMessageBoxesAfter(milliseconds(300));
  Pointer pointer{this->p(), w};
  auto freeForOthers = [&] {
    const bool took = this->driver.takeStopKeyElsewhere();
    if (took) this->driver.giveBackStopKeyElsewhere();
    return took;
  };
  // Slot 1 with t, f and x; the next slots empty.
  auto start = [&](const char* t, const char* f, const char* x) {
    for (const auto& [key, value] : {std::pair{"t", t}, {"f", f}, {"x", x}, {"y", "5"}})
      writeini(files, portableConfigPath(files), slotSection(1), key, value);
    auto run = std::make_unique<Sequencer>(this->p(), files, portableConfigPath(files), pointer);
    run->Start();
    return run;
  };
  auto running = [&](const Sequencer& run) {
    for (int k = 1; k <= kSlotCount; ++k)
      if (this->p().timerEnabled(run.timer(k))) return true;
    return false;
  };

  EXPECT_TRUE(freeForOthers()) << "no run, so the key is the other programs'";
  auto held = start("1", "0", "5");
  EXPECT_FALSE(freeForOthers());
  this->driver.wait(milliseconds(1200));
  ASSERT_TRUE(running(*held)) << "slot 1 holds the run";
  this->driver.press(Key::stop);
  this->driver.waitUntil([&] { return !running(*held); }, milliseconds(500));
  EXPECT_FALSE(running(*held)) << "the key ended the run";
  EXPECT_TRUE(freeForOthers());
  held.reset();

  for (const auto& [t, x, why] :
       {std::tuple{"0", "5", "slot 1 below 1"}, {"1", "1e12", "an overflow: a point beyond any screen"}}) {
    auto run = start(t, "1", x);
    EXPECT_FALSE(freeForOthers()) << why;
    this->driver.waitUntil([&] { return !running(*run); }, milliseconds(3000));
    this->driver.wait(milliseconds(500));  // an overflow's box is closed meanwhile
    EXPECT_FALSE(running(*run)) << why;
    EXPECT_TRUE(freeForOthers()) << why;
  }
  auto closing = start("1", "0", "5");
  EXPECT_FALSE(freeForOthers());
  closing.reset();
  EXPECT_TRUE(freeForOthers()) << "the window closing ended the run";

  ASSERT_TRUE(this->driver.takeStopKeyElsewhere());
  auto without = start("1", "0", "5");
  this->driver.press(Key::stop);
  this->driver.wait(milliseconds(200));
  EXPECT_TRUE(running(*without)) << "the key is another program's";
  without.reset();
  this->driver.giveBackStopKeyElsewhere();
}

REGISTER_TYPED_TEST_SUITE_P(
    BackendContract, TimerTicksOnItsGridAndStopsWhenDisabled,
    TimerEnabledInATickCountsFromThatTicksScheduledTime, TimersTickAndAskedRepaintsShowWhileAMessageBoxIsOpen,
    TabStaysInItsWindowAndSkipsDisabledControls, TypingLimitCountsCharactersAndProgramTextIsNeverCut,
    ComboPickRaisesOneClickAndTypedTextSelectsNothing, CheckBoxHoldsThreeStatesAndAClickTogglesTwo,
    ClientAreaFollowsTheWindowPosition, ContainerMustBeAFrameOfTheSameWindow,
    HostedControlTakesItsPlacementFontAndWrapsCaptions, PressedSurfaceGetsTheReleaseAndPairsMakeDoubleClicks,
    CaptureDecidesWhoGetsTheMovesOffTheSurface, DisabledOrUntabbedSurfaceTakesNoInputOrFocus,
    HeldKeyReachesTheFocusedSurfaceWithOneKeyUp, KeyboardReturnsToItsControlButNotWhileMinimised,
    WindowIsLaidOutAgainAtANewResolution, StopKeyBelongsToARunWhileItLasts);

}  // namespace quorvel::contract
