// The button's looks as the screen shows them: every skin style in every look, the pressed faces,
// the disabled frame and the dotted focus frame, at pixels whose colours the skin bitmaps give; at
// 200 % each of the control's pixels is a block of two by two on the screen.
#include "button/skin.h"
#include "pixel_fixture.h"
#include "platform/fake/fake_control_surface.h"
#include "x11_screen.h"

namespace quorvel {
namespace {

constexpr int kW = 41;  // the main window's Save button, 615 x 375 twips
constexpr int kH = 25;

// A skin bitmap's pixel as #RRGGBB.
std::string skin(int style, Piece piece, int look, int x, int y) {
  return hex(skinStore(style).of(piece, look)->at(x, y));
}

class ButtonLooksOnScreen : public ScaledPixelTest {};

// The outer border, the top edge near its left end, the three rows of the bottom edge from the face outwards,
// and the top and bottom rows of the face, each as its skin bitmap has it; a face of two rows, stretched, may
// show either of them.
TEST_P(ButtonLooksOnScreen, EveryStyleInEveryLookShowsItsBorderEdgesAndFace) {
  for (int n = 0; n < kStyleCount * kLookCount; ++n)
    addButton(10 + n % kLookCount * 60, 10 + n / kLookCount * 40, kW, kH).set风格(n / kLookCount);
  show();
  for (int n = 0; n < kStyleCount * kLookCount; ++n) buttons[n]->control().changeit(n % kLookCount);
  const Bitmap shot = grab();
  for (int n = 0; n < kStyleCount * kLookCount; ++n) {
    const int style = n / kLookCount, look = n % kLookCount;
    SCOPED_TRACE(testing::Message() << "style " << style << ", look " << look);
    EXPECT_EQ(at(shot, n, 0, kH / 2), skin(style, Piece::left, look, 0, 0)) << "left edge";
    EXPECT_EQ(at(shot, n, kW - 1, kH / 2), skin(style, Piece::right, look, 2, 0)) << "right edge";
    EXPECT_EQ(at(shot, n, 5, 0), skin(style, Piece::up, look, 0, 0)) << "top edge";
    for (int row = 0; row < 3; ++row) {
      EXPECT_EQ(at(shot, n, kW / 2, kH - 3 + row), skin(style, Piece::down, look, 0, row))
          << "bottom edge row " << row;
      EXPECT_EQ(at(shot, n, 8, kH - 3 + row), skin(style, Piece::down, look, 0, row))
          << "bottom edge row " << row;
    }
    const int faceRows = skinStore(style).of(Piece::内部, look)->height;
    for (const auto& [y, row] : {std::pair{3, 0}, {kH - 4, faceRows - 1}}) {
      const std::string seen = at(shot, n, kW / 2, y);
      EXPECT_TRUE(seen == skin(style, Piece::内部, look, 0, row) ||
                  (faceRows == 2 && seen == skin(style, Piece::内部, look, 0, 1 - row)))
          << "face row " << y << ": " << seen;
    }
  }
}

TEST_P(ButtonLooksOnScreen, CornersOfThePlainLookShowTheirBitmapsPixelForPixel) {
  addButton(20, 20, kW, kH);
  show();
  EXPECT_EQ(buttons[0]->control().内部(2).visible, true);
  const Bitmap shot = grab();
  const struct {
    Piece piece;
    int left, top;
  } plainCorners[] = {{Piece::左上角, 0, 0},
                      {Piece::右上角, kW - 3, 0},
                      {Piece::左下角, 0, kH - 3},
                      {Piece::右下角, kW - 3, kH - 3}};
  for (const auto& corner : plainCorners) {
    const Bitmap& bitmap = *skinStore(0).of(corner.piece, 2);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x)
        EXPECT_EQ(at(shot, 0, corner.left + x, corner.top + y), hex(bitmap.at(x, y)))
            << "corner at " << corner.left << "," << corner.top << ", pixel " << x << "," << y;
  }
}

// Each style's pressed face in place of its face, stretched from corner to corner, in the plain look's
// border.
TEST_P(ButtonLooksOnScreen, PressedFacesOfEachStyle) {
  for (int style = 0; style < kStyleCount; ++style) {
    xpcommand& b = addButton(10 + style * 60, 10, kW, kH);
    b.set风格(style);
    b.set虚线框(1);  // no focus frame over the face's edge rows
  }
  show();
  for (auto& b : buttons) b->control().mouseDown(1, 0, 300, 180);
  const Bitmap shot = grab();
  for (int style = 0; style < kStyleCount; ++style) {
    EXPECT_TRUE(buttons[style]->control().pressed());
    const Bitmap& face = *pressedFace(style);
    for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
      EXPECT_EQ(at(shot, style, x ? kW - 4 : 3, y ? kH - 4 : 3),
                hex(face.at(x * (face.width - 1), y * (face.height - 1))))
          << "style " << style << ", corner " << x << "," << y;
    }
    EXPECT_EQ(at(shot, style, kW / 2, kH - 3), skin(style, Piece::down, 2, 0, 0)) << "style " << style;
  }

  for (auto& b : buttons) b->control().mouseUp(1, 0, 300, 180);
  const Bitmap after = grab();
  EXPECT_EQ(at(after, 2, kW / 2, 3), skin(2, Piece::内部, 2, 0, 0)) << "the plain face is back";
}

// The disabled look's frame is drawn on the surface itself: the screen shows it pixel for pixel as the
// button tests find it painted off the screen.
TEST_P(ButtonLooksOnScreen, DisabledFrameIsDrawnOnTheSurfaceWithSoftenedCorners) {
  xpcommand& b = addButton(20, 20, kW, kH);
  show();
  b.setEnabled(false);
  const Bitmap shot = grab();
  const Bitmap painted =
      FakeControlSurface({kW * kTwipsPerPixel, kH * kTwipsPerPixel}).drawSurface(b.paintList());
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) EXPECT_EQ(at(shot, 0, x, y), hex(painted.at(x, y))) << x << "," << y;

  b.setEnabled(true);
  const Bitmap enabled = grab();
  EXPECT_EQ(at(enabled, 0, kW / 2, kH - 1), "#003C74") << "the pieces cover the frame again";
}

TEST_P(ButtonLooksOnScreen, FocusFrameHasADotAtEverySecondPixel) {
  addButton(20, 20, kW, kH, 0);
  show();
  pixel::typeKey("Tab");  // the window's first tab stop
  const Bitmap shot = grab();
  ASSERT_TRUE(buttons[0]->control().focused());
  const auto dotted = [](int step) { return step % 2 == 0 ? "#000000" : "#FFFFFF"; };
  for (int x = 3; x <= kW - 4; ++x) {
    EXPECT_EQ(at(shot, 0, x, 3), dotted(x - 3)) << "top strip " << x;
    EXPECT_EQ(at(shot, 0, x, kH - 4), dotted(x - 3)) << "bottom strip " << x;
  }
  for (int y = 3; y <= kH - 4; ++y) {
    EXPECT_EQ(at(shot, 0, 3, y), dotted(y - 3)) << "left strip " << y;
    EXPECT_EQ(at(shot, 0, kW - 4, y), dotted(y - 3)) << "right strip " << y;
  }
  // The framed look around it.
  EXPECT_EQ(at(shot, 0, kW / 2, kH - 3), "#89ADE4");
  EXPECT_EQ(at(shot, 0, kW / 2, 2), "#CEE7FF");
}

INSTANTIATE_TEST_SUITE_P(Desktop, ButtonLooksOnScreen, testing::Values(96, 192), dpiName);

}  // namespace
}  // namespace quorvel
