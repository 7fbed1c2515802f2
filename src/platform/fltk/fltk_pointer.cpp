// Pointer placement and click injection: the pointer is warped by the X server, clicks go through XTEST
// so that they reach whatever window is under the pointer, like the user's own.
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/fltk/fltk_platform.h"
#include "platform/fltk/fltk_screen.h"
#include "platform/fltk/fltk_top_window.h"

namespace quorvel {
namespace {

constexpr std::uint32_t kMouseRecord = 0;
constexpr unsigned kLeftButton = 1;

std::int32_t saturatedSum(std::int32_t a, std::int32_t b) {
  const auto sum = static_cast<std::int64_t>(a) + b;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

Point FltkPlatform::clientToScreen(WindowHandle handle, Point client) const {
  // A window not shown yet has no frame: its client area starts at the corner it will open at. A shown
  // one is where FLTK last heard it went: asking the server here would add a round trip to every click.
  TopWindow& widget = topWindow(handle);
  const Point origin = widget.shown() ? Point{widget.x(), widget.y()} : native(handle).outerTopLeft;
  return Point{saturatedSum(origin.x, client.x), saturatedSum(origin.y, client.y)};
}

void FltkPlatform::setCursorPos(Point screen) {
  if (!displayOpen_) return;
  // Like the system call it stands for, a point off the screen puts the pointer on its nearest edge.
  const Point size = screenSize();
  const int x = std::clamp(screen.x, 0, std::max(size.x - 1, 0));
  const int y = std::clamp(screen.y, 0, std::max(size.y - 1, 0));
  XWarpPointer(fl_display, None, RootWindow(fl_display, fl_screen), 0, 0, 0, 0, x, y);
  XFlush(fl_display);
}

std::uint32_t FltkPlatform::sendInput(std::span<const InputRecord> records) {
  if (!displayOpen_ || startupProblem_) return 0;
  std::uint32_t sent = 0;
  for (const InputRecord& record : records) {
    if (record.type != kMouseRecord) continue;
    bool ok = true;
    if (record.dwFlags & kMouseLeftDown)
      ok = XTestFakeButtonEvent(fl_display, kLeftButton, True, CurrentTime) && ok;
    if (record.dwFlags & kMouseLeftUp)
      ok = XTestFakeButtonEvent(fl_display, kLeftButton, False, CurrentTime) && ok;
    if (ok) ++sent;
  }
  // One flush: the server gets the whole batch at once.
  XFlush(fl_display);
  return sent;
}

}  // namespace quorvel
