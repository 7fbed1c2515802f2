#include <algorithm>

#include "button_fixture.h"

namespace quorvel {
namespace {

TEST(ButtonLayoutMinimum, EnlargesToNinePixelsWithOneResizePerRun) {
  const struct {
    TwipsSize start;
    TwipsSize end;
    int resizes;
  } cases[] = {{{300, 300}, {300, 300}, 1},
               {{100, 300}, {135, 300}, 2},
               {{300, 134}, {300, 135}, 2},
               {{0, 0}, {135, 135}, 3},
               {{135, 135}, {135, 135}, 1}};
  for (const auto& c : cases) {
    FakeControlSurface host(c.start);
    xpcommand button(host);
    int resizes = 0;
    button.events.Resize = [&] { ++resizes; };
    button.UserControl_Resize();
    EXPECT_EQ(host.size().width, c.end.width) << c.start.width << "x" << c.start.height;
    EXPECT_EQ(host.size().height, c.end.height) << c.start.width << "x" << c.start.height;
    EXPECT_EQ(resizes, c.resizes) << c.start.width << "x" << c.start.height;
  }
}

TEST(ButtonLayoutMinimum, NestedRunRaisesItsResizeBeforeTheOuterRun) {
  FakeControlSurface host({60, 300});
  xpcommand button(host);
  std::vector<double> widthsAtResize;
  std::vector<double> interiorWidths;
  button.events.Resize = [&] {
    widthsAtResize.push_back(host.size().width);
    interiorWidths.push_back(button.内部(0).box.width);
  };
  button.UserControl_Resize();
  ASSERT_EQ(widthsAtResize.size(), 2u);
  // Both runs see the enlarged control: the outer one carries on after the nested one placed everything.
  EXPECT_EQ(interiorWidths, (std::vector<double>{45, 45}));
  EXPECT_EQ(host.sizesSet().size(), 1u);
}

class ButtonLayoutTest : public ButtonTest {
 protected:
  ButtonLayoutTest() : ButtonTest({900, 600}) {}
};

TEST_F(ButtonLayoutTest, PlacesTheNinePiecesOfEveryLook) {
  button.UserControl_Resize();
  const struct {
    Piece piece;
    TwipsBox box;
  } cases[] = {{Piece::左上角, {0, 0, 45, 45}},    {Piece::up, {45, 0, 810, 45}},
               {Piece::右上角, {855, 0, 45, 45}},  {Piece::left, {0, 45, 45, 510}},
               {Piece::内部, {45, 45, 810, 510}},  {Piece::right, {855, 45, 45, 510}},
               {Piece::左下角, {0, 555, 45, 45}},  {Piece::down, {45, 555, 810, 45}},
               {Piece::右下角, {855, 555, 45, 45}}};
  for (int look = 0; look < kLookCount; ++look)
    for (const auto& c : cases)
      EXPECT_EQ(button.piece(c.piece, look).box, c.box) << "piece " << index(c.piece) << " look " << look;
  EXPECT_EQ(button.表皮().box, (TwipsBox{0, 0, 900, 600}));
  EXPECT_EQ(lookShown(button), -1);  // placing shows nothing
}

TEST_F(ButtonLayoutTest, PlacesCaptionAndIconByLayoutMode) {
  // "OK" at 10 pt: 200 twips wide on one line, 230 high; the icon is 32 x 32 px.
  const struct {
    std::int32_t mode;
    TwipsBox caption;
    TwipsBox icon;
    bool iconVisible;
  } cases[] = {
      {0, {60, 185, 780, 230}, {0, 0, 15, 15}, false},
      {1, {485, 185, 200, 230}, {230, 180, 240, 240}, true},
      {2, {60, 425, 780, 230}, {210, -55, 480, 480}, true},
      {3, {60, 185, 780, 230}, {210, 60, 480, 480}, true},
      {4, {60, 185, 780, 230}, {60, 60, 780, 480}, true},
      {5, {605, 185, 200, 230}, {110, 60, 480, 480}, true},
      {6, {60, 425, 780, 230}, {210, -55, 480, 480}, true},
  };
  for (const auto& c : cases) {
    FakeControlSurface fresh({900, 600});
    xpcommand b(fresh);
    b.setFont(testFont(10));
    b.setCaption("OK");
    b.seticon(solidPicture(32, 32));
    b.set图(c.mode);
    EXPECT_EQ(b.text().box, c.caption) << "图 " << c.mode;
    EXPECT_EQ(b.图标().box, c.icon) << "图 " << c.mode;
    EXPECT_EQ(b.图标().visible, c.iconVisible) << "图 " << c.mode;
    EXPECT_EQ(b.textRestLeft(), c.caption.left) << "图 " << c.mode;
    EXPECT_EQ(b.textRestTop(), c.caption.top) << "图 " << c.mode;
    EXPECT_EQ(b.iconRestLeft(), c.icon.left) << "图 " << c.mode;
    EXPECT_EQ(b.iconRestTop(), c.icon.top) << "图 " << c.mode;
  }
}

TEST_F(ButtonLayoutTest, UnknownModeShowsTheIconAndMovesNothing) {
  button.setFont(testFont(10));
  button.setCaption("OK");
  const TwipsBox caption = button.text().box;
  button.seticon(solidPicture(32, 32));
  button.set图(7);
  EXPECT_TRUE(button.图标().visible);
  EXPECT_EQ(button.图标().box, (TwipsBox{0, 0, 15, 15}));
  EXPECT_EQ(button.text().box.left, caption.left);
  EXPECT_EQ(button.text().box.top, caption.top);
}

TEST(ButtonLayoutGrowth, ModeThreeGrowsTheControlToHoldTheIcon) {
  FakeControlSurface host({300, 600});
  xpcommand button(host);
  int resizes = 0;
  button.events.Resize = [&] { ++resizes; };
  button.seticon(solidPicture(32, 32));
  resizes = 0;
  button.set图(3);
  EXPECT_EQ(host.size().width, 600);
  EXPECT_EQ(host.size().height, 600);
  EXPECT_EQ(button.图标().box, (TwipsBox{60, 60, 480, 480}));
  EXPECT_EQ(resizes, 2);
  // Only grows: a second layout on the larger control changes nothing.
  button.UserControl_Resize();
  EXPECT_EQ(host.sizesSet().size(), 1u);
}

TEST(ButtonLayoutCaption, WrappedCaptionTallerThanTheControlIsCut) {
  FakeControlSurface host({300, 200});
  xpcommand button(host);
  button.setFont(testFont(10));
  button.setCaption("ABCDEFGHIJ");  // one 100-twip letter to a 180-twip line: ten lines
  EXPECT_TRUE(button.text().wordWrap);
  EXPECT_EQ(button.text().box, (TwipsBox{60, 60, 180, 80}));
}

TEST(ButtonLayoutCaption, SingleLineModesKeepTheCaptionOnOneLineBeyondTheControl) {
  FakeControlSurface host({300, 200});
  xpcommand button(host);
  button.setFont(testFont(10));
  button.set图(5);
  button.setCaption("ABCDEFGHIJ");
  EXPECT_FALSE(button.text().wordWrap);
  EXPECT_EQ(button.text().box.width, 1000);
  EXPECT_EQ(button.text().box.height, 230);
  EXPECT_LT(button.text().box.left, 0);  // the pair is centred and sticks out on both sides
}

TEST(ButtonLayoutCaption, IconWithoutBitmapTakesNoSpace) {
  FakeControlSurface host({735, 375});
  xpcommand button(host);
  button.setFont(testFont(10.5f));
  button.set图(5);
  button.setCaption("启动");  // 420 twips wide
  EXPECT_EQ(button.图标().box.width, 0);
  EXPECT_EQ(button.图标().box.height, 0);
  EXPECT_EQ(button.text().box.left, (735 - 420) / 2.0 + 15);
}

TEST(ButtonLayoutCaption, SizeChangeKeepsTheCaptionCentred) {
  FakeControlSurface host({615, 375});
  xpcommand button(host);
  button.setFont(testFont(9));
  button.setCaption("保存");
  host.setSize({915, 495});
  button.UserControl_Resize();
  EXPECT_EQ(button.text().box.width, 795);
  EXPECT_EQ(button.text().box.left, 60);
  EXPECT_EQ(button.text().box.top, (495 - 210) / 2.0);
}

TEST(ButtonLayoutStrips, LieOnePixelInsideTheBorderWithADotOnEverySecondPixel) {
  FakeControlSurface host({615, 375});
  xpcommand button(host);
  button.UserControl_Resize();
  EXPECT_EQ(button.strip(Strip::Lup).box, (TwipsBox{45, 45, 525, 15}));
  EXPECT_EQ(button.strip(Strip::Ldown).box, (TwipsBox{45, 315, 525, 15}));
  EXPECT_EQ(button.strip(Strip::lleft).box, (TwipsBox{45, 45, 15, 285}));
  EXPECT_EQ(button.strip(Strip::Lright).box, (TwipsBox{555, 45, 15, 285}));

  std::vector<PixelPoint> along, down;
  for (int x = 0; x <= 40; x += 2) along.push_back({x, 0});  // x = 1, 31, ... 601 twips
  for (int y = 0; y <= 24; y += 2) down.push_back({0, y});   // y = 1, 31, ... 361 twips
  EXPECT_EQ(button.strip(Strip::Lup).dots, along);
  EXPECT_EQ(button.strip(Strip::Ldown).dots, along);
  EXPECT_EQ(button.strip(Strip::lleft).dots, down);
  EXPECT_EQ(button.strip(Strip::Lright).dots, down);
  for (Strip s : {Strip::lleft, Strip::Lright, Strip::Lup, Strip::Ldown}) {
    EXPECT_FALSE(button.strip(s).visible);
    EXPECT_EQ(button.strip(s).dotColor, kWindowTextColor);
  }

  // Dots once set stay; a second layout adds none twice.
  button.UserControl_Resize();
  EXPECT_EQ(button.strip(Strip::Lup).dots, along);
}

TEST(ButtonPaintList, RoundsEdgesToTheNearestPixelHalvesForward) {
  FakeControlSurface host({735, 375});
  xpcommand button(host);
  button.setFont(testFont(10.5f));
  button.set图(5);
  button.setCaption("启动");
  button.set风格(0);
  button.changeit(2);
  const PaintList list = button.paintList();
  ASSERT_EQ(list.elements.size(), 10u);  // nine pieces and the caption; the icon has no bitmap
  const auto& caption = std::get<CenteredText>(list.elements.back());
  EXPECT_EQ(caption.rect, (PixelRect{12, 5, 28, 16}));  // 172.5, 67.5 twips: 11.5, 4.5 px
  EXPECT_EQ(caption.text, "启动");
  // Back to front: the interior first, the corners over it, then the edges.
  const auto& interior = std::get<StretchedBitmap>(list.elements.front());
  EXPECT_EQ(interior.rect, (PixelRect{3, 3, 43, 19}));
  EXPECT_EQ(interior.picture, button.内部(2).picture);
  const auto& right = std::get<StretchedBitmap>(list.elements[8]);
  EXPECT_EQ(right.rect, (PixelRect{46, 3, 3, 19}));
}

}  // namespace
}  // namespace quorvel
