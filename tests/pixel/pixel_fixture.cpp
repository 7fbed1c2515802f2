#include "pixel_fixture.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "platform/shared/window_layout.h"
#include "x11_screen.h"

namespace quorvel {

std::string hex(Color color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", color & 0xFFu, (color >> 8) & 0xFFu,
                (color >> 16) & 0xFFu);
  return text;
}

bool reddish(Color c) {
  const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  return r > 150 && g < 120 && b < 120;
}

std::string dpiName(const testing::TestParamInfo<int>& info) { return "dpi" + std::to_string(info.param); }

FltkPlatform& PixelTest::platform() {
  static FltkPlatform instance;
  return instance;
}

PixelTest::PixelTest(int desktopDpi) : dpi(desktopDpi) {
  if (platform().startupProblem()) throw std::runtime_error(*platform().startupProblem());
  pixel::setDesktopResources(dpi == kBaseDpi ? "" : "Xft.dpi:\t" + std::to_string(dpi) + "\n");
  window = platform().createWindow(
      WindowSpec{"pixels", kWindowWidth * kTwipsPerPixel, kWindowHeight * kTwipsPerPixel});
  if (platform().windowDpi(window) != dpi)
    throw std::runtime_error("the window is not laid out at the desktop's dpi");
  platform().moveWindow(window, TwipsPoint{0, 0});
  platform().setCursorPos(Point{630, 470});
  pixel::settle();
}

ControlSpec PixelTest::placement(int left, int top, int width, int height, int tabIndex) const {
  ControlSpec spec;
  spec.kind = ControlKind::button;
  spec.rect =
      TwipsRect{left * kTwipsPerPixel, top * kTwipsPerPixel, width * kTwipsPerPixel, height * kTwipsPerPixel};
  spec.tabIndex = tabIndex;
  return spec;
}

std::unique_ptr<ControlSurface> PixelTest::addSurface(ControlSurfaceClient& client, int left, int top,
                                                      int width, int height, int tabIndex) {
  return platform().createControlSurface(window, placement(left, top, width, height, tabIndex), client);
}

xpcommand& PixelTest::addButton(int left, int top, int width, int height, int tabIndex) {
  buttons.push_back(std::make_unique<HostedXpcommand>(
      platform(), window, placement(left, top, width, height, tabIndex), PropertyStore{}));
  corners.push_back(Point{left, top});
  return buttons.back()->control();
}

void PixelTest::show() {
  platform().showWindow(window);
  pixel::settle();
}

Point PixelTest::onScreen(int x, int y) const { return platform().clientToScreen(window, Point{x, y}); }

void PixelTest::pointAt(int x, int y) {
  platform().setCursorPos(onScreen(x, y));
  pixel::settle();
}

void PixelTest::leftButton(bool down) {
  const InputRecord record{0, 0, 0, 0, down ? kMouseLeftDown : kMouseLeftUp, 0, 0};
  platform().sendInput(std::span(&record, 1));
  pixel::settle();
}

Bitmap PixelTest::grab() {
  pixel::settle();
  return pixel::grabScreen(onScreen(0, 0), scaled(kWindowWidth), scaled(kWindowHeight));
}

int PixelTest::scaled(int pixels) const { return scaledPixels(pixels, dpi); }

// The control's pixels are scaled from its own corner, which is scaled from the window's.
std::string PixelTest::at(const Bitmap& shot, Point corner, int x, int y) const {
  const int left = scaled(corner.x) + scaled(x);
  const int top = scaled(corner.y) + scaled(y);
  const std::string colour = hex(shot.at(left, top));
  for (int row = top; row < scaled(corner.y) + scaled(y + 1); ++row) {
    for (int column = left; column < scaled(corner.x) + scaled(x + 1); ++column) {
      if (shot.at(column, row) != shot.at(left, top))
        return colour + " mixed with " + hex(shot.at(column, row));
    }
  }
  return colour;
}

std::string PixelTest::at(const Bitmap& shot, int button, int x, int y) const {
  return at(shot, corners.at(static_cast<std::size_t>(button)), x, y);
}

PixelTest::Ink PixelTest::inkOf(const Bitmap& shot, int left, int top, int width, int height,
                                const std::function<bool(Color)>& isInk) const {
  Ink ink;
  for (int y = scaled(top); y < scaled(top + height); ++y) {
    for (int x = scaled(left); x < scaled(left + width); ++x) {
      if (!isInk(shot.at(x, y))) continue;
      if (ink.count++ == 0) {
        ink.left = ink.right = x;
        ink.top = ink.bottom = y;
      }
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  if (ink.count == 0) return ink;
  const auto unscaled = [this](int pixel) { return pixel * kBaseDpi / dpi; };
  return Ink{unscaled(ink.left), unscaled(ink.top), unscaled(ink.right), unscaled(ink.bottom), ink.count};
}

}  // namespace quorvel
