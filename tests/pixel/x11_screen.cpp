#include "x11_screen.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <stdexcept>
#include <string>

namespace quorvel::pixel {
namespace {

void sendKey(const char* name, bool down) {
  const KeySym symbol = XStringToKeysym(name);
  const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(fl_display, symbol);
  if (code == 0) throw std::invalid_argument(std::string("no key named ") + name);
  XTestFakeKeyEvent(fl_display, code, down ? True : False, CurrentTime);
  settle();
}

}  // namespace

void settle() {
  // Each round: the server has answered everything asked so far, so the events it made are queued;
  // handling them may damage widgets, which the next round draws.
  for (int round = 0; round < 6; ++round) {
    XSync(fl_display, False);
    Fl::check();
    Fl::flush();
  }
  XSync(fl_display, False);
}

void setDesktopResources(const std::string& text) {
  const Atom property = XInternAtom(fl_display, "RESOURCE_MANAGER", False);
  const Window root = RootWindow(fl_display, fl_screen);
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  text.empty() ? XDeleteProperty(fl_display, root, property)
               : XChangeProperty(fl_display, root, property, XA_STRING, 8, PropModeReplace, bytes,
                                 static_cast<int>(text.size()));
  settle();
}

Bitmap grabScreen(Point topLeft, int width, int height) {
  XImage* image = XGetImage(fl_display, RootWindow(fl_display, fl_screen), topLeft.x, topLeft.y,
                            static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (!image) throw std::runtime_error("the screen cannot be read");
  Bitmap shot{width, height, {}};
  shot.pixels.reserve(static_cast<std::size_t>(width * height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // A 24-bit TrueColor screen: 0x00RRGGBB.
      const unsigned long p = XGetPixel(image, x, y);
      shot.pixels.push_back(static_cast<Color>(((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu)));
    }
  }
  XDestroyImage(image);
  return shot;
}

void pressKey(const char* name) { sendKey(name, true); }

void releaseKey(const char* name) { sendKey(name, false); }

void typeKey(const char* name) {
  pressKey(name);
  releaseKey(name);
}

}  // namespace quorvel::pixel
