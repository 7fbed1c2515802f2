#include "button/skin.h"
#include "button_fixture.h"

namespace quorvel {
namespace {

using ButtonLooksTest = ButtonTest;

TEST_F(ButtonLooksTest, CreatedWithEveryPieceHiddenAndEmpty) {
  EXPECT_EQ(lookShown(button), -1);
  for (int look = 0; look < kLookCount; ++look)
    for (Piece p : kPieces) EXPECT_EQ(button.piece(p, look).picture, nullptr);
  EXPECT_TRUE(button.表皮().visible);
  EXPECT_TRUE(button.text().visible);
  EXPECT_FALSE(button.图标().visible);
}

TEST_F(ButtonLooksTest, ChangeitShowsOneLookOrNone) {
  const struct {
    std::vector<std::int32_t> calls;
    int shown;
  } cases[] = {{{0}, 0}, {{1}, 1}, {{2}, 2}, {{1, 2}, 2}, {{2, 999}, -1}, {{0, -1}, -1}, {{0, 3}, -1}};
  for (const auto& c : cases) {
    for (std::int32_t n : c.calls) button.changeit(n);
    EXPECT_EQ(lookShown(button), c.shown) << c.calls.back();
  }
}

TEST_F(ButtonLooksTest, ChangeStyleLoadsTheStoresAndLeavesVisibilityAlone) {
  button.changeit(1);
  for (int style : {2, 1, 0}) {
    button.change风格(style);
    for (int look = 0; look < kLookCount; ++look)
      for (Piece p : kPieces) EXPECT_EQ(button.piece(p, look).picture, skinStore(style).of(p, look));
    EXPECT_EQ(lookShown(button), 1);
  }
  button.change风格(3);
  button.change风格(-1);
  for (Piece p : kPieces) EXPECT_EQ(button.piece(p, 2).picture, skinStore(0).of(p, 2));
}

TEST_F(ButtonLooksTest, ShowRuleAppliesTheIdleLookAndKeepsThePlainFace) {
  const struct {
    std::int32_t blue;
    bool enabled;
    int shown;
  } cases[] = {{0, true, 2}, {1, true, 0}, {2, true, -1}, {0, false, -1}, {1, false, -1}};
  for (const auto& c : cases) {
    FakeControlSurface fresh({615, 375});
    xpcommand b(fresh);
    b.UserControl_Resize();
    b.set蓝色框(c.blue);
    b.set风格(1);
    b.setEnabled(c.enabled);
    b.UserControl_Show();
    EXPECT_EQ(lookShown(b), c.shown) << c.blue << " " << c.enabled;
    EXPECT_EQ(b.black(), skinStore(1).of(Piece::内部, 2));
  }
}

TEST_F(ButtonLooksTest, BlackKeepsTheFaceOfTheStyleShownLast) {
  bringUp();
  button.set风格(2);
  EXPECT_EQ(button.black(), skinStore(0).of(Piece::内部, 2));
  button.UserControl_Show();
  EXPECT_EQ(button.black(), skinStore(2).of(Piece::内部, 2));
}

TEST_F(ButtonLooksTest, ReadingBlueFrameAppliesTheIdleLook) {
  bringUp();
  const struct {
    std::int32_t blue;
    int before;
    bool enabled;
    int after;
  } cases[] = {{1, 2, true, 0}, {1, 1, true, 0},  {0, 0, true, 2}, {0, 1, true, 2},
               {2, 1, true, 1}, {1, 1, false, 1}, {0, 0, false, 0}};
  for (const auto& c : cases) {
    button.set蓝色框(c.blue);
    button.changeit(c.before);
    host.setEnabled(c.enabled);
    EXPECT_EQ(button.蓝色框(), c.blue);
    EXPECT_EQ(lookShown(button), c.after) << c.blue << " " << c.before << " " << c.enabled;
  }
}

TEST_F(ButtonLooksTest, DisabledLookDrawsAFlatFrameWithSoftCorners) {
  bringUp();
  button.setForeColor(0x000000FF);
  button.setEnabled(false);
  EXPECT_FALSE(host.enabled());
  EXPECT_EQ(lookShown(button), -1);
  EXPECT_EQ(button.ForeColor(), rgb(0xA1A192));
  EXPECT_EQ(button.savedForeColor(), 255.0);
  EXPECT_EQ(host.changes().back(), "Enabled");

  const Bitmap surface = host.drawSurface(button.paintList());
  const int w = 41, h = 25;
  ASSERT_EQ(surface.width, w);
  ASSERT_EQ(surface.height, h);
  const Color background = rgb(0xF5F4EA), frame = rgb(0xC9C7BA), outer = rgb(0xD8D5C7), inner = rgb(0xEAE9DE),
              middle = rgb(0xD8D6CA);
  auto expected = [&](int x, int y) {
    const int cx = x < 3 ? x : x > w - 4 ? w - 1 - x : -1;  // distance from the nearer side, near a corner
    const int cy = y < 3 ? y : y > h - 4 ? h - 1 - y : -1;
    if (cx >= 0 && cy >= 0) {
      if (cx == 0 && cy == 0) return kWindowBackground;
      if (cx + cy == 1) return outer;
      if (cx == 1 && cy == 1) return middle;
      if (cx + cy == 3 && cx > 0 && cy > 0) return inner;
    }
    if (x == 0 || y == 0 || x == w - 1 || y == h - 1) return frame;
    return background;
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) EXPECT_EQ(surface.at(x, y), expected(x, y)) << x << "," << y;
}

TEST_F(ButtonLooksTest, EnablingAgainRestoresTheLookAndTheCaptionColour) {
  bringUp();
  button.setForeColor(0x000000FF);
  button.setEnabled(false);
  button.setEnabled(true);
  EXPECT_TRUE(host.enabled());
  EXPECT_EQ(lookShown(button), 2);
  EXPECT_EQ(button.ForeColor(), 0x000000FFu);
  // The frame stays on the surface, under the pieces.
  EXPECT_EQ(button.paintList().background, rgb(0xF5F4EA));
  EXPECT_EQ(button.paintList().marks.size(), 4u + 4u + 20u);
}

// A colour set while disabled stays, and a system colour survives disabling.
TEST_F(ButtonLooksTest, ColourSetWhileDisabledOrASystemColourStays) {
  bringUp();
  for (const auto& [colour, whileDisabled] :
       {std::pair{Color{0x00112233}, true}, {kButtonTextColor, false}}) {
    if (!whileDisabled) button.setForeColor(colour);
    button.setEnabled(false);
    if (whileDisabled) button.setForeColor(colour);
    button.setEnabled(true);
    EXPECT_EQ(button.ForeColor(), colour) << whileDisabled;
  }
}

TEST_F(ButtonLooksTest, OneRepaintRequestPerChangeNoneWithoutChange) {
  bringUp();
  const int before = host.repaints();
  button.changeit(1);
  EXPECT_EQ(host.repaints(), before + 1);
  button.changeit(1);
  button.change风格(0);
  EXPECT_EQ(host.repaints(), before + 1);
  button.set风格(2);
  EXPECT_EQ(host.repaints(), before + 2);
}

TEST_F(ButtonLooksTest, PaintingChangesNoLook) {
  bringUp();
  button.gotFocus();
  button.keyDown(32, 0);  // a keyboard press shows the plain look with the pressed face
  const PaintList list = button.paintList();
  EXPECT_EQ(lookShown(button), 2);
  EXPECT_EQ(button.内部(2).picture, pressedFace(0));
  EXPECT_EQ(std::get<StretchedBitmap>(list.elements.front()).picture, pressedFace(0));
}

}  // namespace
}  // namespace quorvel
