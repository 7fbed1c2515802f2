// What only FLTK's surface shows: sizes and text measures in whole pixels, and a size the control sets
// painted without being reported back. What every backend's surface does is in the contract suite.
#include "pixel_fixture.h"
#include "recording_client.h"
#include "x11_screen.h"

namespace quorvel {
namespace {

class SurfacePixels : public PixelTest {
 protected:
  // A surface 40 x 20 pixels at (50, 40) of the window.
  SurfacePixels() : surface(addSurface(client, 50, 40, 40, 20, 0)) { show(); }

  RecordingClient client;
  std::unique_ptr<ControlSurface> surface;
};

// Sizes and text measures come in whole pixels.
TEST_F(SurfacePixels, SizeIsInWholePixelsAndASizeSetByTheControlIsNotReported) {
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
  const CaptionFont font{"宋体", 9, false, false, false, false, 400, 134};
  const TwipsSize word = surface->measureText("保存", font, 0);
  EXPECT_GT(word.width, 0);
  EXPECT_EQ(static_cast<int>(word.width) % kTwipsPerPixel, 0);
  EXPECT_EQ(static_cast<int>(word.height) % kTwipsPerPixel, 0);
}

}  // namespace
}  // namespace quorvel
