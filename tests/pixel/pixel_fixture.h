// Controls on a real FLTK window of a private X display, driven like a user drives them, and the
// colours the screen then shows. Tests give places in pixels at 96 dpi; on a desktop scaled to another
// resolution they are looked for where the scaled window shows them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "button/hosted_xpcommand.h"
#include "platform/fltk/fltk_platform.h"

namespace quorvel {

// #RRGGBB, as colour tables write colours.
std::string hex(Color color);
// Red ink, the smoothed edges of red text included.
bool reddish(Color color);

class PixelTest : public ::testing::Test {
 protected:
  static constexpr int kWindowWidth = 300;  // pixels
  static constexpr int kWindowHeight = 200;

  // A new window at the screen's corner on a desktop at `dpi`, the pointer far from it.
  explicit PixelTest(int dpi = kBaseDpi);

  // One backend for the whole run: FLTK keeps one display connection per process.
  static FltkPlatform& platform();

  // A button at (left, top) pixels of the window, made from an empty property set.
  xpcommand& addButton(int left, int top, int width = 41, int height = 25, int tabIndex = -1);
  ControlSpec placement(int left, int top, int width, int height, int tabIndex) const;
  // A bare surface for `client` at (left, top) pixels of the window.
  std::unique_ptr<ControlSurface> addSurface(ControlSurfaceClient& client, int left, int top, int width,
                                             int height, int tabIndex = -1);

  // Shows the window and lets it draw.
  void show();
  // Screen point of a pixel of the window's client area.
  Point onScreen(int x, int y) const;
  // Puts the pointer on a pixel of the window's client area.
  void pointAt(int x, int y);
  // Left button down or up where the pointer is.
  void leftButton(bool down);

  // The window's client area as the screen shows it now.
  Bitmap grab();
  // A length in pixels at 96 dpi as the screen shows it.
  int scaled(int pixels) const;
  // #RRGGBB of a control's pixel (x, y) in a shot, the control's corner at `corner` of the window: the
  // colour of every screen pixel the control's pixel is scaled to, or the colours it mixes.
  std::string at(const Bitmap& shot, Point corner, int x, int y) const;
  // The same relative to a button's top-left corner.
  std::string at(const Bitmap& shot, int button, int x, int y) const;

  // Where pixels of a kind lie within a rectangle of a shot: their bounding box, in pixels at 96 dpi
  // again, and how many of the screen's pixels there are.
  struct Ink {
    int left = 0;
    int top = 0;
    int right = -1;  // inclusive
    int bottom = -1;
    int count = 0;
  };
  Ink inkOf(const Bitmap& shot, int left, int top, int width, int height,
            const std::function<bool(Color)>& isInk) const;

  const int dpi;
  WindowHandle window{};
  std::vector<std::unique_ptr<HostedXpcommand>> buttons;
  std::vector<Point> corners;  // each button's top-left pixel in the window
};

// The same tests on a desktop at each resolution the suite is instantiated with.
class ScaledPixelTest : public testing::WithParamInterface<int>, public PixelTest {
 protected:
  ScaledPixelTest() : PixelTest(GetParam()) {}
};

// Names an instance by its resolution: dpi96, dpi192.
std::string dpiName(const testing::TestParamInfo<int>& info);

}  // namespace quorvel
