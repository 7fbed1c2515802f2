// The control surface as a control sees it: what input reaches it, in which units, with capture,
// focus and the tab order, and the size and text measures it answers.
#include "pixel_fixture.h"
#include "recording_client.h"
#include "x11_screen.h"

namespace quorvel {
namespace {

using Log = std::vector<std::string>;

class SurfaceInput : public PixelTest {
 protected:
  // A surface 40 x 20 pixels at (50, 40) of the window.
  SurfaceInput() : surface(addSurface(client, 50, 40, 40, 20, 0)) { show(); }

  RecordingClient client;
  std::unique_ptr<ControlSurface> surface;
};

TEST_F(SurfaceInput, IsToldOnceThatItIsShown) {
  show();
  EXPECT_EQ(client.entries("shown"), Log{"shown"});
}

TEST_F(SurfaceInput, PointerMovesArriveInTwipsFromTheSurfaceCorner) {
  pointAt(55, 47);
  ASSERT_FALSE(client.entries("move").empty());
  EXPECT_EQ(client.entries("move").back(), "move 0 0 75 105");
  pointAt(50, 40);
  EXPECT_EQ(client.entries("move").back(), "move 0 0 0 0");
}

TEST_F(SurfaceInput, APressedButtonBringsMovesAndItsReleaseFromOutside) {
  pointAt(55, 47);
  leftButton(true);
  pointAt(100, 100);
  leftButton(false);
  EXPECT_EQ(client.entries("press"), Log{"press 1 0 75 105"});
  EXPECT_EQ(client.entries("move").back(), "move 1 0 750 900");
  EXPECT_EQ(client.entries("release"), Log{"release 1 0 750 900"});
}

TEST_F(SurfaceInput, TheSecondPressOfADoubleClickComesAsADoubleClick) {
  pointAt(60, 50);
  leftButton(true);
  leftButton(false);
  leftButton(true);
  leftButton(false);
  leftButton(true);  // a third press starts a new pair
  leftButton(false);
  const Log expected = {"press 1 0 150 150",   "release 1 0 150 150", "double",
                        "release 1 0 150 150", "press 1 0 150 150",   "release 1 0 150 150"};
  Log clicks;
  for (const std::string& entry : client.log)
    if (entry.rfind("press", 0) == 0 || entry.rfind("release", 0) == 0 || entry == "double")
      clicks.push_back(entry);
  EXPECT_EQ(clicks, expected);
}

TEST_F(SurfaceInput, WithoutCaptureLeavingBringsNothing) {
  pointAt(55, 47);
  const std::size_t moves = client.entries("move").size();
  pointAt(150, 150);
  pointAt(160, 150);
  EXPECT_EQ(client.entries("move").size(), moves);
}

TEST_F(SurfaceInput, WhileCapturedEveryMoveArrivesAlsoFromOutside) {
  // Like a button: capture on every move inside, release at the first move outside.
  client.afterMove = [this](float x, float y) {
    if (x < 0 || y < 0 || x > 600 || y > 300) {
      surface->releaseCapture();
    } else {
      surface->setCapture();
    }
  };
  pointAt(55, 47);
  pointAt(90, 60);  // the first pixel beyond both edges still counts as inside
  EXPECT_EQ(client.entries("move").back(), "move 0 0 600 300");
  pointAt(150, 150);
  EXPECT_EQ(client.entries("move").back(), "move 0 0 1500 1650");
  const std::size_t moves = client.entries("move").size();
  pointAt(160, 150);  // released: nothing more from outside
  EXPECT_EQ(client.entries("move").size(), moves);
}

TEST_F(SurfaceInput, TheCaptureHolderGetsTheMovesOverAnotherSurface) {
  RecordingClient other;
  const auto otherSurface = addSurface(other, 150, 40, 40, 20);
  pointAt(55, 47);
  surface->setCapture();
  pointAt(160, 45);
  EXPECT_EQ(client.entries("move").back(), "move 0 0 1650 75");
  EXPECT_TRUE(other.entries("move").empty());
  surface->releaseCapture();
  pointAt(161, 45);
  EXPECT_EQ(other.entries("move").back(), "move 0 0 165 75");
}

TEST_F(SurfaceInput, ADisabledSurfaceGetsNoPointerOrKeys) {
  surface->setEnabled(false);
  EXPECT_FALSE(surface->enabled());
  client.log.clear();
  pointAt(55, 47);
  leftButton(true);
  leftButton(false);
  surface->requestFocus();
  pixel::typeKey("a");
  EXPECT_EQ(client.log, Log{});
  surface->setEnabled(true);
  EXPECT_TRUE(surface->enabled());
  pointAt(56, 47);
  EXPECT_EQ(client.entries("move").back(), "move 0 0 90 105");
}

TEST_F(SurfaceInput, KeysArriveAsVirtualKeyCodesAndCharactersWhileFocused) {
  surface->requestFocus();
  pixel::settle();
  EXPECT_EQ(client.entries("focus"), Log{"focus in"});
  pixel::typeKey("a");
  pixel::typeKey("Return");
  pixel::typeKey("space");
  pixel::pressKey("Shift_L");
  pixel::typeKey("a");
  pixel::releaseKey("Shift_L");
  Log keys;
  for (const std::string& entry : client.log)
    if ((entry.rfind("down", 0) == 0 || entry.rfind("up", 0) == 0 || entry.rfind("char", 0) == 0) &&
        entry.rfind("down 16", 0) != 0 && entry.rfind("up 16", 0) != 0)
      keys.push_back(entry);
  const Log expected = {"down 65 0", "char 97", "up 65 0", "down 13 0", "char 13", "up 13 0",
                        "down 32 0", "char 32", "up 32 0", "down 65 1", "char 65", "up 65 1"};
  EXPECT_EQ(keys, expected);
}

TEST_F(SurfaceInput, TabMovesTheFocusOnInTabOrderWithoutReachingTheControl) {
  RecordingClient second;
  const auto secondSurface = addSurface(second, 150, 40, 40, 20, 1);
  surface->requestFocus();
  pixel::typeKey("Tab");
  EXPECT_EQ(client.entries("focus"), (Log{"focus in", "focus out"}));
  EXPECT_TRUE(client.entries("down 9").empty());
  EXPECT_EQ(second.entries("focus"), Log{"focus in"});
  pixel::typeKey("Tab");  // round to the first again
  EXPECT_EQ(client.entries("focus").back(), "focus in");
  EXPECT_EQ(second.entries("focus").back(), "focus out");
}

TEST_F(SurfaceInput, ASurfaceOutsideTheTabOrderTakesNoFocus) {
  RecordingClient other;
  const auto otherSurface = addSurface(other, 150, 40, 40, 20, -1);
  otherSurface->requestFocus();
  pixel::settle();
  EXPECT_TRUE(other.entries("focus").empty());
}

TEST_F(SurfaceInput, SizeIsInWholePixelsAndASizeSetByTheControlIsNotReported) {
  EXPECT_EQ(surface->size().width, 600);
  EXPECT_EQ(surface->size().height, 300);
  client.list.background = 0x000000FF;
  surface->setSize(TwipsSize{900, 450});
  EXPECT_EQ(surface->size().width, 900);
  EXPECT_EQ(surface->size().height, 450);
  surface->requestRepaint();
  const Bitmap shot = grab();
  EXPECT_EQ(hex(shot.at(50 + 59, 40 + 29)), "#FF0000");
  EXPECT_EQ(hex(shot.at(50 + 60, 40 + 29)), "#D4D0C8");
  EXPECT_TRUE(client.entries("resized").empty());
}

TEST_F(SurfaceInput, TextIsMeasuredInTwipsOneLineOrWrapped) {
  const CaptionFont font{"宋体", 9, false, false, false, false, 400, 134};
  const TwipsSize word = surface->measureText("保存", font, 0);
  EXPECT_GT(word.width, 0);
  EXPECT_GT(word.height, 0);
  EXPECT_EQ(static_cast<int>(word.width) % kTwipsPerPixel, 0);
  const TwipsSize line = surface->measureText("保存 保存 保存", font, 0);
  EXPECT_GT(line.width, 3 * word.width);
  EXPECT_EQ(line.height, word.height);
  const TwipsSize wrapped = surface->measureText("保存 保存 保存", font, word.width);
  EXPECT_EQ(wrapped.width, word.width);
  EXPECT_EQ(wrapped.height, 3 * word.height);
  EXPECT_EQ(surface->measureText("a\nb", font, 0).height, 2 * word.height);
  EXPECT_EQ(surface->measureText("", font, 0).height, word.height);
  // A word wider than the line is broken between its characters.
  const TwipsSize broken = surface->measureText("保存保存", font, word.width);
  EXPECT_EQ(broken.height, 2 * word.height);
}

}  // namespace
}  // namespace quorvel
