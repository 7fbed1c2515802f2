// The button driven like a user drives it, through the pointer and the keyboard of the X display,
// and the looks and events that follow.
#include "pixel_fixture.h"
#include "x11_screen.h"

namespace quorvel {
namespace {

constexpr int kLeft = 30;  // the button's corner in the window
constexpr int kTop = 20;
constexpr int kW = 41;
constexpr int kH = 25;
constexpr Color kRed = 0x000000FF;

// Bottom edge, next to the face: which look the button shows in style 0.
constexpr const char* kFramed = "#89ADE4";
constexpr const char* kHover = "#F8B230";
constexpr const char* kPlain = "#E0DED4";

class ButtonInput : public PixelTest {
 protected:
  ButtonInput() : button(addButton(kLeft, kTop, kW, kH, 0)) {
    button.setFont(CaptionFont{"宋体", 9, false, false, false, false, 400, 134});
    button.setCaption("保存");
    button.setForeColor(kRed);
    button.events.Click = [this] { log.emplace_back("Click"); };
    button.events.DblClick = [this] { log.emplace_back("DblClick"); };
    button.events.MouseDown = [this](std::int16_t&, std::int16_t&, float&, float&) {
      log.emplace_back("MouseDown");
    };
    button.events.MouseUp = [this](std::int16_t&, std::int16_t&, float&, float&) {
      log.emplace_back("MouseUp");
    };
    show();
  }

  std::string look() { return at(grab(), 0, kW / 2, kH - 3); }
  Ink caption() { return inkOf(grab(), kLeft, kTop, kW, kH, reddish); }

  xpcommand& button;
  std::vector<std::string> log;
};

TEST_F(ButtonInput, HoverFollowsThePointerAndEndsAtTheFirstMoveOutside) {
  addButton(kLeft, kTop + 40, kW, kH, 1);
  pixel::typeKey("Tab");  // the focus goes on to the second button
  ASSERT_FALSE(button.focused());
  EXPECT_TRUE(buttons[1]->control().focused());
  EXPECT_EQ(look(), kPlain);
  pointAt(kLeft + 20, kTop + 12);
  EXPECT_EQ(look(), kHover);
  // One pixel beyond the right edge lies on the edge in twips, which still counts as inside.
  pointAt(kLeft + kW, kTop + 12);
  EXPECT_TRUE(button.hovering());
  pointAt(kLeft + kW + 1, kTop + 12);
  EXPECT_FALSE(button.hovering());
  EXPECT_EQ(look(), kPlain);
}

TEST_F(ButtonInput, ALeftPressShowsThePressedFaceAndOffsetsTheCaption) {
  const Ink atRest = caption();
  ASSERT_GT(atRest.count, 10);
  EXPECT_NEAR((atRest.left + atRest.right) / 2.0, kLeft + kW / 2.0, 2.5);
  pointAt(kLeft + 20, kTop + 12);
  leftButton(true);
  EXPECT_TRUE(button.focused()) << "a left press takes the focus";
  const Bitmap pressed = grab();
  EXPECT_EQ(at(pressed, 0, 5, 4), "#E4E4DD");
  EXPECT_EQ(at(pressed, 0, kW / 2, kH - 3), kPlain);
  const Ink offset = caption();
  EXPECT_GE(offset.left - atRest.left, 1);
  EXPECT_LE(offset.left - atRest.left, 2);
  EXPECT_GE(offset.top - atRest.top, 1);
  EXPECT_LE(offset.top - atRest.top, 2);

  leftButton(false);
  EXPECT_EQ(log, (std::vector<std::string>{"MouseDown", "Click", "MouseUp"}));
  EXPECT_EQ(look(), kFramed);
  const Ink back = caption();
  EXPECT_EQ(back.left, atRest.left);
  EXPECT_EQ(back.top, atRest.top);
}

TEST_F(ButtonInput, DraggingOffEndsThePressAndTheReleaseOutsideDoesNotClick) {
  pointAt(kLeft + 20, kTop + 12);
  leftButton(true);
  pointAt(kLeft + kW + 20, kTop + 12);
  EXPECT_FALSE(button.pressed());
  EXPECT_EQ(look(), kFramed);
  EXPECT_EQ(at(grab(), 0, kW / 2, 2), "#CEE7FF");
  leftButton(false);
  EXPECT_EQ(log, (std::vector<std::string>{"MouseDown", "MouseUp"}));
}

// The first tab stop has the focus when the window shows, and keeps it at Tab with no other stop.
TEST_F(ButtonInput, SpacePressesWithoutOffsetAndItsReleaseClicks) {
  EXPECT_TRUE(button.focused());
  EXPECT_EQ(look(), kFramed);
  EXPECT_EQ(at(grab(), 0, 3, 3), "#000000");
  pixel::typeKey("Tab");
  ASSERT_TRUE(button.focused());
  EXPECT_EQ(look(), kFramed);
  const Ink atRest = caption();
  pixel::pressKey("space");
  EXPECT_EQ(at(grab(), 0, 5, 4), "#E4E4DD");
  EXPECT_EQ(caption().left, atRest.left);
  pixel::releaseKey("space");
  EXPECT_EQ(log, std::vector<std::string>{"Click"});
  EXPECT_EQ(look(), kFramed);
  EXPECT_EQ(at(grab(), 0, 3, 3), "#000000") << "the focus frame is back";
}

TEST_F(ButtonInput, ADoubleClickClicksOnBothReleases) {
  pointAt(kLeft + 20, kTop + 12);
  leftButton(true);
  leftButton(false);
  leftButton(true);
  leftButton(false);
  EXPECT_EQ(log, (std::vector<std::string>{"MouseDown", "Click", "MouseUp", "DblClick", "Click", "MouseUp"}));
}

TEST_F(ButtonInput, ADisabledButtonIgnoresThePointerAndGreysItsCaption) {
  button.setEnabled(false);
  pointAt(kLeft + 20, kTop + 12);
  leftButton(true);
  leftButton(false);
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(button.hovering());
  const Bitmap shot = grab();
  EXPECT_EQ(at(shot, 0, kW / 2, 0), "#C9C7BA");
  const auto grey = [](Color c) {
    const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return std::abs(r - 0xA1) <= 12 && std::abs(g - 0xA1) <= 12 && std::abs(b - 0x92) <= 12;
  };
  EXPECT_GT(inkOf(shot, kLeft, kTop, kW, kH, grey).count, 10);
  EXPECT_EQ(inkOf(shot, kLeft, kTop, kW, kH, reddish).count, 0);
}

}  // namespace
}  // namespace quorvel
