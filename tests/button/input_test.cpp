#include <functional>

#include "button/skin.h"
#include "button_fixture.h"

namespace quorvel {
namespace {

using S = std::vector<std::string>;

class ButtonInputTest : public ButtonTest {
 protected:
  ButtonInputTest() {
    bringUp();
    restLeft = button.text().box.left;
    restTop = button.text().box.top;
  }

  void moveIn(float x = 100, float y = 100) { button.mouseMove(0, 0, x, y); }
  void moveOut() { button.mouseMove(0, 0, -30, 100); }
  void press(std::int16_t b = 1) { button.mouseDown(b, 0, 100, 100); }
  void release(std::int16_t b = 1, float x = 100) { button.mouseUp(b, 0, x, 100); }
  bool captionOffset() const {
    return button.text().box.left == restLeft + 20 && button.text().box.top == restTop + 20;
  }
  bool captionAtRest() const {
    return button.text().box.left == restLeft && button.text().box.top == restTop;
  }
  bool framePieces(bool visible) const {
    for (Strip s : {Strip::lleft, Strip::Lright, Strip::Lup, Strip::Ldown})
      if (button.strip(s).visible != visible) return false;
    return true;
  }
  bool pressedFaceShown() const { return button.内部(2).picture == pressedFace(button.风格()); }

  double restLeft = 0;
  double restTop = 0;
};

// Moving in hovers and takes the capture, which further moves keep; the edges count as inside.
TEST_F(ButtonInputTest, MovingInHoversAndKeepsTheCapture) {
  moveIn();
  moveIn(120, 130);
  EXPECT_EQ(takeLog(), (S{"mouseIsOver", "MouseMove(0,0,100,100)", "MouseMove(0,0,120,130)"}));
  EXPECT_EQ(lookShown(button), 1);
  EXPECT_TRUE(button.hovering());
  EXPECT_TRUE(host.hasCapture());
  EXPECT_EQ(host.captureCalls(), 2);
  const struct {
    float x, y;
    bool inside;
  } cases[] = {{615, 375, true},   {0, 0, true},        {-0.1f, 10, false},
               {10, -0.1f, false}, {615.1f, 10, false}, {10, 375.1f, false}};
  for (const auto& c : cases) {
    button.mouseMove(0, 0, c.x, c.y);
    EXPECT_EQ(button.hovering(), c.inside) << c.x << "," << c.y;
    EXPECT_EQ(host.hasCapture(), c.inside) << c.x << "," << c.y;
  }
}

TEST_F(ButtonInputTest, MovingOutEndsTheHoverWithTheIdleLook) {
  const struct {
    bool focused;
    std::int32_t blue;
    int look;
  } cases[] = {{true, 0, 0}, {true, 1, 0}, {false, 0, 2}, {false, 1, 0}};
  for (const auto& c : cases) {
    if (c.focused)
      button.gotFocus();
    else
      button.lostFocus();
    button.set蓝色框(c.blue);
    moveIn();
    log.clear();
    moveOut();
    EXPECT_EQ(takeLog(), (S{"MouseGoOut"}));
    EXPECT_EQ(lookShown(button), c.look) << c.focused << " " << c.blue;
    EXPECT_FALSE(button.hovering());
    EXPECT_FALSE(host.hasCapture());
  }
}

// A left press takes the focus and offsets the caption once; the release, focused, clicks and returns to
// rest.
TEST_F(ButtonInputTest, LeftPressTakesTheFocusAndOffsetsTheCaptionOnce) {
  moveIn();
  log.clear();
  press();
  press();
  EXPECT_EQ(takeLog(), (S{"MouseDown(1,0,100,100)", "MouseDown(1,0,100,100)"}));
  EXPECT_EQ(host.focusRequests(), 1);
  EXPECT_TRUE(button.focused());
  EXPECT_TRUE(button.pressed());
  EXPECT_TRUE(captionOffset());
  EXPECT_EQ(button.图标().box.left, button.iconRestLeft() + 20);
  EXPECT_EQ(lookShown(button), 2);
  EXPECT_TRUE(pressedFaceShown());
  moveIn();
  EXPECT_EQ(lookShown(button), 2) << "moving while pressed keeps the look";
  log.clear();
  release();
  EXPECT_EQ(takeLog(), (S{"Click", "MouseUp(1,0,100,100)"}));
  EXPECT_FALSE(button.pressed());
  EXPECT_TRUE(captionAtRest());
  EXPECT_EQ(button.图标().box.left, button.iconRestLeft());
  EXPECT_EQ(lookShown(button), 0);
  EXPECT_EQ(button.内部(2).picture, button.black());
  EXPECT_TRUE(framePieces(true));
}

// Click sees the idle look without the focus frame, and that look has been sent to the host to paint:
// a Click handler that opens a modal box shows the button as it stands.
TEST_F(ButtonInputTest, ClickSeesTheIdleLookWithoutTheFocusFrameAlreadyPainted) {
  const std::function<void()> releases[] = {[&] { release(); }, [&] { button.keyUp(32, 0); }};
  for (const auto& releaseIt : releases) {
    int lookDuringClick = -3;
    bool frameDuringClick = true;
    bool pressedFaceDuringClick = true;
    int repaintsBefore = 0;
    int repaintsDuringClick = 0;
    button.events.Click = [&] {
      lookDuringClick = lookShown(button);
      frameDuringClick = button.strip(Strip::Lup).visible;
      pressedFaceDuringClick = pressedFaceShown();
      repaintsDuringClick = host.repaints();
    };
    button.gotFocus();
    press();
    button.keyDown(32, 0);
    repaintsBefore = host.repaints();
    releaseIt();
    EXPECT_EQ(lookDuringClick, 2);
    EXPECT_FALSE(frameDuringClick);
    EXPECT_FALSE(pressedFaceDuringClick);
    EXPECT_GT(repaintsDuringClick, repaintsBefore);
    EXPECT_EQ(lookShown(button), 0);
  }
}

TEST_F(ButtonInputTest, DottedFrameValueOneNeverShowsTheFrame) {
  button.set虚线框(1);
  button.gotFocus();
  EXPECT_TRUE(framePieces(false));
  press();
  release();
  EXPECT_TRUE(framePieces(false));
  button.keyDown(32, 0);
  button.keyUp(32, 0);
  EXPECT_TRUE(framePieces(false));
}

TEST_F(ButtonInputTest, ReleaseWithoutFocusOnlyRestoresTheInterior) {
  host.onFocusRequest = nullptr;  // a host that does not give the focus
  moveIn();
  press();
  log.clear();
  release();
  EXPECT_EQ(takeLog(), (S{"MouseUp(1,0,100,100)"}));
  EXPECT_TRUE(button.pressed());
  EXPECT_TRUE(captionOffset());
  EXPECT_EQ(lookShown(button), 2);
  EXPECT_FALSE(pressedFaceShown());
}

TEST_F(ButtonInputTest, OtherButtonsOnlyRaiseTheirEvents) {
  moveIn();
  log.clear();
  press(2);
  release(2);
  EXPECT_EQ(takeLog(), (S{"MouseDown(2,0,100,100)", "MouseUp(2,0,100,100)"}));
  EXPECT_EQ(lookShown(button), 1);
  EXPECT_FALSE(button.pressed());
  EXPECT_FALSE(button.focused());
}

TEST_F(ButtonInputTest, FocusInShowsTheFrameAndTheFramedLookUnlessHovering) {
  button.gotFocus();
  EXPECT_EQ(lookShown(button), 0);
  EXPECT_TRUE(framePieces(true));
  button.lostFocus();
  moveIn();
  button.gotFocus();
  EXPECT_EQ(lookShown(button), 1);
  EXPECT_TRUE(framePieces(true));
}

// While hovering, a focus-out, or a keyboard click, ends in the idle look that the blue frame gives.
TEST_F(ButtonInputTest, FocusOutReturnsToTheIdleLookEvenWhileHovering) {
  const struct {
    std::int32_t blue;
    int look;
  } cases[] = {{0, 2}, {1, 0}};
  for (const auto& c : cases) {
    button.set蓝色框(c.blue);
    moveIn();
    press();
    button.lostFocus();
    button.lostFocus();  // lost-focus and focus-left may both arrive
    EXPECT_EQ(lookShown(button), c.look);
    EXPECT_FALSE(button.focused());
    EXPECT_FALSE(button.pressed());
    EXPECT_FALSE(pressedFaceShown());
    EXPECT_TRUE(captionOffset()) << "the caption is not moved back here";
    EXPECT_TRUE(framePieces(false));
    button.gotFocus();
    release();
    button.keyDown(32, 0);
    button.keyUp(32, 0);
    EXPECT_EQ(lookShown(button), c.look) << "after a keyboard click, blue frame " << c.blue;
  }
}

TEST_F(ButtonInputTest, SpaceOrEnterPressesOnceAndClicksOnKeyUp) {
  for (std::int16_t key : {32, 13}) {
    button.gotFocus();
    log.clear();
    button.keyDown(key, 0);
    button.keyDown(key, 0);
    EXPECT_TRUE(button.pressed());
    EXPECT_TRUE(pressedFaceShown());
    EXPECT_TRUE(captionAtRest()) << "a keyboard press does not offset the caption";
    EXPECT_EQ(lookShown(button), 2);
    button.keyUp(key, 0);
    const std::string k = std::to_string(key);
    EXPECT_EQ(takeLog(), (S{"KeyDown(" + k + ",0)", "KeyDown(" + k + ",0)", "KeyUp(" + k + ",0)", "Click"}));
    EXPECT_FALSE(button.pressed());
    EXPECT_EQ(lookShown(button), 0);
    EXPECT_TRUE(framePieces(true));
    EXPECT_TRUE(button.focused());
  }
}

TEST_F(ButtonInputTest, KeyHandlersDecideWithTheCodeTheyLeave) {
  button.gotFocus();
  keyCodeAfterHandler = 0;
  button.keyDown(32, 0);
  EXPECT_FALSE(button.pressed());
  keyCodeAfterHandler = 32;
  button.keyDown(65, 0);  // the handler turns A into Space
  EXPECT_TRUE(button.pressed());
  keyCodeAfterHandler = 0;
  log.clear();
  button.keyUp(32, 0);
  EXPECT_EQ(takeLog(), (S{"KeyUp(32,0)"}));
  EXPECT_TRUE(button.pressed());
  button.keyPress(97);
  EXPECT_EQ(takeLog(), (S{"KeyPress(97)"}));
}

// Leaving while pressed ends the press without a click; a release outside then clicks nothing.
TEST_F(ButtonInputTest, LeavingWhilePressedEndsThePress) {
  moveIn();
  press();
  log.clear();
  moveOut();
  EXPECT_EQ(takeLog(), (S{"MouseGoOut"}));
  EXPECT_FALSE(button.pressed());
  EXPECT_TRUE(captionAtRest());
  EXPECT_FALSE(pressedFaceShown());
  EXPECT_EQ(lookShown(button), 0);  // focused, so framed
  button.mouseUp(1, 0, -30, 100);
  EXPECT_EQ(takeLog(), (S{"MouseUp(1,0,-30,100)"}));
  EXPECT_EQ(lookShown(button), 0);

  // Back in and released there, it clicks like any focused release.
  press();
  moveOut();
  moveIn();
  log.clear();
  release();
  EXPECT_EQ(takeLog(), (S{"Click", "MouseUp(1,0,100,100)"}));
}

TEST_F(ButtonInputTest, StepsAfterClickRunWhateverTheHandlerDid) {
  button.events.Click = [&] { button.lostFocus(); };
  moveIn();
  press();
  release();
  EXPECT_EQ(lookShown(button), 0);
  EXPECT_TRUE(framePieces(true));
  // Losing the focus cleared the press, so the release no longer moves the caption back; the next
  // press starts again from the rest position.
  EXPECT_TRUE(captionOffset());

  button.events.Click = [&] { button.setEnabled(false); };
  button.gotFocus();
  press();
  release();
  EXPECT_EQ(lookShown(button), -1) << "disabled inside Click: no framed look afterwards";
  EXPECT_TRUE(captionAtRest());
}

TEST_F(ButtonInputTest, PressOnAStyleWithoutSkinKeepsTheInterior) {
  button.set风格(5);
  const Picture interior = button.内部(2).picture;
  press();
  EXPECT_TRUE(button.pressed());
  EXPECT_EQ(button.内部(2).picture, interior);
}

}  // namespace
}  // namespace quorvel
