#include "platform/fltk/fltk_screen.h"

#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "platform/shared/desktop_dpi.h"

namespace quorvel {
namespace {

// X carries window positions as 16-bit numbers.
int toXCoordinate(int value) {
  return std::clamp(value, static_cast<int>(std::numeric_limits<std::int16_t>::min()),
                    static_cast<int>(std::numeric_limits<std::int16_t>::max()));
}

Window rootWindow() { return RootWindow(fl_display, fl_screen); }

Atom resourceManager() {
  static const Atom atom = XInternAtom(fl_display, "RESOURCE_MANAGER", False);
  return atom;
}

// The window's ancestor that is a child of the root window.
std::optional<Window> topAncestor(Window window) {
  Window current = window;
  for (;;) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(fl_display, current, &root, &parent, &children, &count)) return std::nullopt;
    if (children) XFree(children);
    if (parent == 0 || parent == root) return current;
    current = parent;
  }
}

}  // namespace

std::optional<Point> clientOrigin(const Fl_Window& window) {
  const Window xid = fl_xid(&window);
  if (!xid) return std::nullopt;
  int x = 0;
  int y = 0;
  Window child = 0;
  if (!XTranslateCoordinates(fl_display, xid, rootWindow(), 0, 0, &x, &y, &child)) return std::nullopt;
  return Point{x, y};
}

std::optional<Point> outerOrigin(const Fl_Window& window) {
  const Window xid = fl_xid(&window);
  if (!xid) return std::nullopt;
  const auto frame = topAncestor(xid);
  if (!frame) return std::nullopt;
  Window root = 0;
  int x = 0;
  int y = 0;
  unsigned width = 0;
  unsigned height = 0;
  unsigned border = 0;
  unsigned depth = 0;
  if (!XGetGeometry(fl_display, *frame, &root, &x, &y, &width, &height, &border, &depth)) return std::nullopt;
  return Point{x, y};
}

void moveClientOrigin(Fl_Window& window, Point screen) {
  if (!fl_xid(&window)) return;
  window.position(toXCoordinate(screen.x), toXCoordinate(screen.y));
  XFlush(fl_display);
}

void setUtf8Title(const Fl_Window& window) {
  const Window xid = fl_xid(&window);
  if (!xid || !window.label()) return;
  const Atom utf8 = XInternAtom(fl_display, "UTF8_STRING", False);
  const auto* title = reinterpret_cast<const unsigned char*>(window.label());
  const int length = static_cast<int>(std::strlen(window.label()));
  for (const Atom property : {XA_WM_NAME, XA_WM_ICON_NAME})
    XChangeProperty(fl_display, xid, property, utf8, 8, PropModeReplace, title, length);
  XFlush(fl_display);
}

void focusUnframedWindow(const Fl_Window& window) {
  const Window xid = fl_xid(&window);
  if (!xid || topAncestor(xid) != xid) return;
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(fl_display, xid, &attributes) || attributes.map_state != IsViewable) return;
  XSetInputFocus(fl_display, xid, RevertToParent, CurrentTime);
  XFlush(fl_display);
}

Point screenSize() {
  return Point{DisplayWidth(fl_display, fl_screen), DisplayHeight(fl_display, fl_screen)};
}

std::string rootResources() {
  constexpr long kMostLongs = 1 << 20;  // 4 MB, far beyond any desktop's resources
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long left = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(fl_display, rootWindow(), resourceManager(), 0, kMostLongs, False, XA_STRING, &type,
                         &format, &count, &left, &data) != Success)
    return {};
  std::string text;
  if (data && type == XA_STRING && format == 8) text.assign(reinterpret_cast<const char*>(data), count);
  if (data) XFree(data);
  return text;
}

int desktopResolution() { return desktopDpi(rootResources()).value_or(kBaseDpi); }

// Added to what the program already hears of the root window, which the toolkit may have asked for.
void watchRootProperties() {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(fl_display, rootWindow(), &attributes)) return;
  XSelectInput(fl_display, rootWindow(), attributes.your_event_mask | PropertyChangeMask);
}

bool resourcesChanged(const void* event) {
  const auto& e = *static_cast<const XEvent*>(event);
  return e.type == PropertyNotify && e.xproperty.window == rootWindow() &&
         e.xproperty.atom == resourceManager();
}

}  // namespace quorvel
