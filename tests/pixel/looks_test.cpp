// The button's looks as the screen shows them: every skin style in every look, the pressed faces,
// the disabled frame and the dotted focus frame, at pixels whose colours the skin tables give; at
// 200 % each of the control's pixels is a block of two by two on the screen.
#include "button/skin.h"
#include "pixel_fixture.h"
#include "platform/fake/fake_control_surface.h"
#include "x11_screen.h"

namespace quorvel {
namespace {

constexpr int kW = 41;  // the main window's Save button, 615 x 375 twips
constexpr int kH = 25;

// From the skin tables: the outer border, the three rows of the bottom edge from the face outwards,
// and the top and bottom rows of the face; a face that is flat in two colours may show either.
struct LookColours {
  int style;
  int look;
  const char* border;
  const char* topOuter;  // near the left end of the top edge
  const char* bottom[3];
  const char* faceTop;
  const char* faceBottom;
  const char* faceOther;  // the second colour of a flat face
};

constexpr LookColours kLooks[] = {
    {0, 0, "#003C74", "#255783", {"#89ADE4", "#6982EE", "#003C74"}, "#FCFCFB", "#ECEBE6", nullptr},
    {0, 1, "#003C74", "#255783", {"#F8B230", "#E59700", "#003C74"}, "#FCFCFB", "#ECEBE5", nullptr},
    {0, 2, "#003C74", "#003C74", {"#E0DED4", "#D6D0C5", "#003C74"}, "#FCFCFB", "#ECEBE5", nullptr},
    {1, 0, "#376206", "#376206", {"#90C154", "#A8A766", "#376206"}, "#FAF9E9", "#FAF9E9", "#FBFAE8"},
    {1, 1, "#376206", "#376206", {"#E3914F", "#CF7225", "#376206"}, "#F7F4E3", "#F7F4E3", "#F6F3E3"},
    {1, 2, "#376206", "#376206", {"#ECE1C9", "#E3D1B8", "#376206"}, "#FCFCFB", "#ECEBE5", nullptr},
    {2, 0, "#003C74", "#003C74", {"#89ADE4", "#6982EE", "#003C74"}, "#FDFDFD", "#CDCCDF", nullptr},
    {2, 1, "#003C74", "#376206", {"#F8B330", "#E59700", "#003C74"}, "#FDFDFD", "#D6D7E7", nullptr},
    {2, 2, "#003C74", "#003C74", {"#C6C5D7", "#C6C5D7", "#003C74"}, "#FDFDFD", "#CDCCDF", nullptr},
};

testing::AssertionResult faceIs(const std::string& actual, const char* expected, const char* other) {
  if (actual == expected || (other && actual == other)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << actual << " is not " << expected << (other ? " or " : "")
                                     << (other ? other : "");
}

class ButtonLooksOnScreen : public ScaledPixelTest {};

TEST_P(ButtonLooksOnScreen, EveryStyleInEveryLookShowsItsBorderEdgesAndFace) {
  for (const LookColours& c : kLooks) {
    xpcommand& b = addButton(10 + c.look * 60, 10 + c.style * 40, kW, kH);
    b.set风格(c.style);
  }
  show();
  for (std::size_t i = 0; i < std::size(kLooks); ++i) buttons[i]->control().changeit(kLooks[i].look);
  const Bitmap shot = grab();
  for (std::size_t i = 0; i < std::size(kLooks); ++i) {
    const LookColours& c = kLooks[i];
    const int n = static_cast<int>(i);
    SCOPED_TRACE(testing::Message() << "style " << c.style << ", look " << c.look);
    EXPECT_EQ(at(shot, n, 0, kH / 2), c.border) << "left edge";
    EXPECT_EQ(at(shot, n, kW - 1, kH / 2), c.border) << "right edge";
    EXPECT_EQ(at(shot, n, 5, 0), c.topOuter) << "top edge";
    for (int row = 0; row < 3; ++row) {
      EXPECT_EQ(at(shot, n, kW / 2, kH - 3 + row), c.bottom[row]) << "bottom edge row " << row;
      EXPECT_EQ(at(shot, n, 8, kH - 3 + row), c.bottom[row]) << "bottom edge row " << row;
    }
    EXPECT_TRUE(faceIs(at(shot, n, kW / 2, 3), c.faceTop, c.faceOther)) << "face top";
    EXPECT_TRUE(faceIs(at(shot, n, kW / 2, kH - 4), c.faceBottom, c.faceOther)) << "face bottom";
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
  } plainCorners[] = {{Piece::左上角, 0, 0}, {Piece::右上角, kW - 3, 0}, {Piece::左下角, 0, kH - 3}, {Piece::右下角, kW - 3, kH - 3}};
  for (const auto& corner : plainCorners) {
    const Bitmap& bitmap = *skinStore(0).of(corner.piece, 2);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x)
        EXPECT_EQ(at(shot, 0, corner.left + x, corner.top + y), hex(bitmap.at(x, y)))
            << "corner at " << corner.left << "," << corner.top << ", pixel " << x << "," << y;
  }
}

TEST_P(ButtonLooksOnScreen, PressedFacesOfEachStyle) {
  for (int style = 0; style < 3; ++style) {
    xpcommand& b = addButton(10 + style * 60, 10, kW, kH);
    b.set风格(style);
    b.set虚线框(1);  // no focus frame over the face's edge rows
  }
  show();
  for (auto& b : buttons) b->control().mouseDown(1, 0, 300, 180);
  const Bitmap shot = grab();
  for (int style = 0; style < 3; ++style) EXPECT_TRUE(buttons[style]->control().pressed());
  // Style 0: grey bands, two columns each.
  EXPECT_EQ(at(shot, 0, 5, 3), "#E4E4DD");
  EXPECT_EQ(at(shot, 0, kW - 6, 3), "#E6E6DF");
  EXPECT_EQ(at(shot, 0, 5, kH - 4), "#E3E2DB");
  EXPECT_EQ(at(shot, 0, kW - 6, kH - 4), "#E4E3DC");
  // Styles 1 and 2: vertical gradients.
  EXPECT_EQ(at(shot, 1, kW / 2, 3), "#EEE9D5");
  EXPECT_EQ(at(shot, 1, kW / 2, kH - 4), "#F2ECD8");
  EXPECT_EQ(at(shot, 2, kW / 2, 3), "#B3B2C5");
  EXPECT_EQ(at(shot, 2, kW / 2, kH - 4), "#FFFFFF");
  // Around the face stands the plain look's border.
  EXPECT_EQ(at(shot, 0, kW / 2, kH - 3), "#E0DED4");
  EXPECT_EQ(at(shot, 2, kW / 2, kH - 3), "#C6C5D7");

  for (auto& b : buttons) b->control().mouseUp(1, 0, 300, 180);
  const Bitmap after = grab();
  EXPECT_EQ(at(after, 2, kW / 2, 3), "#FDFDFD") << "the plain face is back";
}

// The disabled look's frame is drawn on the surface itself: the screen shows it pixel for pixel as the
// button tests find it painted off the screen.
TEST_P(ButtonLooksOnScreen, DisabledFrameIsDrawnOnTheSurfaceWithSoftenedCorners) {
  xpcommand& b = addButton(20, 20, kW, kH);
  show();
  b.setEnabled(false);
  const Bitmap shot = grab();
  const Bitmap painted = FakeControlSurface({kW * kTwipsPerPixel, kH * kTwipsPerPixel}).drawSurface(b.paintList());
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
