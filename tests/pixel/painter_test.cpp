// Paint lists drawn by the Linux backend: the surface's background and marks, stretched bitmaps,
// centred text and dotted strips, each where it belongs and nowhere else.
#include "pixel_fixture.h"
#include "recording_client.h"

namespace quorvel {
namespace {

constexpr Color kRed = 0x000000FF;  // 0x00BBGGRR
constexpr Color kGreen = 0x0000FF00;
constexpr Color kBlue = 0x00FF0000;
constexpr Color kWhite = 0x00FFFFFF;
constexpr Color kGrey = 0x00808080;

class PaintListOnScreen : public ScaledPixelTest {
 protected:
  static constexpr int kLeft = 40;  // the surface's corner in the window
  static constexpr int kTop = 30;

  PaintListOnScreen() : surface(addSurface(client, kLeft, kTop, 60, 40)) { client.list.background = kGrey; }

  // Shows the list and returns the surface's pixel at (x, y) as #RRGGBB.
  Bitmap paint() {
    show();
    surface->requestRepaint();
    return grab();
  }
  std::string px(const Bitmap& shot, int x, int y) const { return at(shot, Point{kLeft, kTop}, x, y); }

  RecordingClient client;
  std::unique_ptr<ControlSurface> surface;
};

TEST_P(PaintListOnScreen, BackgroundFillsTheSurfaceOnlyAndSystemColoursResolve) {
  client.list.background = kSystemColorFlag | 15u;  // button face
  const Bitmap shot = paint();
  EXPECT_EQ(px(shot, 0, 0), "#D4D0C8");
  client.list.background = kBlue;
  const Bitmap blue = paint();
  EXPECT_EQ(px(blue, 0, 0), "#0000FF");
  EXPECT_EQ(px(blue, 59, 39), "#0000FF");
  EXPECT_EQ(px(blue, 60, 39), "#D4D0C8") << "the window beside it";
  EXPECT_EQ(px(blue, 59, 40), "#D4D0C8");
}

TEST_P(PaintListOnScreen, ALineCoversItsFirstPointAndStopsBeforeItsLast) {
  client.list.marks = {SurfaceLine{{2, 1}, {7, 1}, kRed}, SurfaceLine{{1, 9}, {1, 3}, kBlue},
                       SurfaceLine{{10, 10}, {14, 14}, kGreen}, SurfacePixel{{20, 20}, kWhite}};
  const Bitmap shot = paint();
  EXPECT_EQ(px(shot, 1, 1), "#808080");
  for (int x = 2; x <= 6; ++x) EXPECT_EQ(px(shot, x, 1), "#FF0000") << x;
  EXPECT_EQ(px(shot, 7, 1), "#808080");
  for (int y = 4; y <= 9; ++y) EXPECT_EQ(px(shot, 1, y), "#0000FF") << y;
  EXPECT_EQ(px(shot, 1, 3), "#808080");
  for (int i = 10; i <= 13; ++i) EXPECT_EQ(px(shot, i, i), "#00FF00") << i;
  EXPECT_EQ(px(shot, 14, 14), "#808080");
  EXPECT_EQ(px(shot, 20, 20), "#FFFFFF");
  EXPECT_EQ(px(shot, 21, 20), "#808080");
}

TEST_P(PaintListOnScreen, ABitmapIsStretchedOverItsRectangleAndClippedToTheSurface) {
  auto quarters = std::make_shared<Bitmap>(Bitmap{2, 2, {kRed, kGreen, kBlue, kWhite}});
  client.list.elements = {StretchedBitmap{{10, 10, 8, 6}, quarters},
                          StretchedBitmap{{50, 30, 20, 20}, quarters}};
  const Bitmap shot = paint();
  for (int y = 10; y < 16; ++y) {
    for (int x = 10; x < 18; ++x) {
      const char* expected = y < 13 ? (x < 14 ? "#FF0000" : "#00FF00") : (x < 14 ? "#0000FF" : "#FFFFFF");
      EXPECT_EQ(px(shot, x, y), expected) << x << "," << y;
    }
  }
  EXPECT_EQ(px(shot, 9, 12), "#808080");
  EXPECT_EQ(px(shot, 18, 12), "#808080");
  EXPECT_EQ(px(shot, 12, 16), "#808080");
  // The second runs off the surface's corner: drawn up to the edge, not beyond.
  EXPECT_EQ(px(shot, 59, 39), "#FF0000");
  EXPECT_EQ(px(shot, 60, 39), "#D4D0C8");
  EXPECT_EQ(px(shot, 59, 40), "#D4D0C8");
}

TEST_P(PaintListOnScreen, AStripIsOpaqueWithItsDotsAndNothingBeyondIt) {
  client.list.elements = {
      DottedStrip{{5, 20, 10, 1}, kWhite, kWindowTextColor, {{0, 0}, {2, 0}, {9, 0}, {12, 0}}}};
  const Bitmap shot = paint();
  EXPECT_EQ(px(shot, 5, 20), "#000000");
  EXPECT_EQ(px(shot, 6, 20), "#FFFFFF");
  EXPECT_EQ(px(shot, 7, 20), "#000000");
  EXPECT_EQ(px(shot, 13, 20), "#FFFFFF");
  EXPECT_EQ(px(shot, 14, 20), "#000000");
  EXPECT_EQ(px(shot, 17, 20), "#808080") << "a dot beyond the strip";
  EXPECT_EQ(px(shot, 4, 20), "#808080");
  EXPECT_EQ(px(shot, 5, 21), "#808080");
}

bool notGrey(Color c) { return c != kGrey; }

TEST_P(PaintListOnScreen, TextIsCentredInItsColourAndClippedToItsRectangle) {
  const CaptionFont font{"宋体", 9, false, false, false, false, 400, 134};
  client.list.elements = {CenteredText{{10, 5, 40, 14}, "保存", font, kRed, false},
                          CenteredText{{20, 22, 12, 14}, "WWWWWWWW", font, kRed, false}};
  const Bitmap shot = paint();
  const Ink word = inkOf(shot, kLeft, kTop, 60, 20, reddish);
  ASSERT_GT(word.count, 10);
  EXPECT_GE(word.left, kLeft + 10);
  EXPECT_LE(word.right, kLeft + 49);
  EXPECT_GE(word.top, kTop + 5);
  EXPECT_LE(word.bottom, kTop + 18);
  EXPECT_NEAR((word.left + word.right) / 2.0, kLeft + 29.5, 1.5) << "centred";
  const Ink clipped = inkOf(shot, kLeft, kTop + 20, 60, 20, notGrey);
  ASSERT_GT(clipped.count, 10);
  // The text is wider than its rectangle: it runs to both edges and stops there.
  EXPECT_GE(clipped.left, kLeft + 20);
  EXPECT_LE(clipped.left, kLeft + 21);
  EXPECT_LE(clipped.right, kLeft + 31);
  EXPECT_GE(clipped.right, kLeft + 30);
  EXPECT_GE(clipped.top, kTop + 22);
  EXPECT_LE(clipped.bottom, kTop + 35);
}

TEST_P(PaintListOnScreen, ABoldCaptionIsDrawnWithHeavierStrokes) {
  const CaptionFont regular{"宋体", 9, false, false, false, false, 400, 134};
  const CaptionFont bold{"宋体", 9, true, false, false, false, 700, 134};
  client.list.elements = {CenteredText{{0, 0, 60, 20}, "保存", regular, kRed, false},
                          CenteredText{{0, 20, 60, 20}, "保存", bold, kRed, false}};
  const Bitmap shot = paint();
  const Ink thin = inkOf(shot, kLeft, kTop, 60, 20, reddish);
  const Ink heavy = inkOf(shot, kLeft, kTop + 20, 60, 20, reddish);
  ASSERT_GT(thin.count, 10);
  EXPECT_GT(heavy.count, thin.count * 5 / 4);
}

TEST_P(PaintListOnScreen, WrappedTextTakesOneLineForEachWordThatFits) {
  const CaptionFont font{"宋体", 9, false, false, false, false, 400, 134};
  const TwipsSize one = surface->measureText("WW", font, 0);
  const int width = static_cast<int>(one.width / kTwipsPerPixel);
  const int line = static_cast<int>(one.height / kTwipsPerPixel);
  client.list.elements = {CenteredText{{2, 2, width, 2 * line}, "WW WW", font, kRed, true}};
  const Bitmap shot = paint();
  const Ink first = inkOf(shot, kLeft, kTop + 2, 60, line, reddish);
  const Ink second = inkOf(shot, kLeft, kTop + 2 + line, 60, line, reddish);
  EXPECT_GT(first.count, 10);
  EXPECT_GT(second.count, 10);
  EXPECT_EQ(first.count, second.count) << "the same word on each line";
  EXPECT_EQ(first.left, second.left);
}

INSTANTIATE_TEST_SUITE_P(Desktop, PaintListOnScreen, testing::Values(96, 192), dpiName);

}  // namespace
}  // namespace quorvel
