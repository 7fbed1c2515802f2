// Where a window and its controls go in pixels at a screen's resolution, and laying a window out again
// when that resolution changes. Geometry is asked for in twips, so a window has the same size in inches
// on every screen; backends report a new resolution and apply the pixels they are handed.
#pragma once

#include <cmath>
#include <vector>

#include "platform/control_surface.h"
#include "platform/platform.h"

namespace quorvel {

// What a backend keeps and does for a layout.
class LayoutHost {
 public:
  virtual const WindowSpec& windowSpecOf(WindowHandle window) const = 0;
  // The window's controls in the order they were made, so a frame comes before what it holds.
  virtual std::vector<ControlId> controlsOf(WindowHandle window) const = 0;
  // Where the control was asked to be.
  virtual const ControlSpec& placementOf(ControlId control) const = 0;
  virtual void setLayoutDpi(WindowHandle window, int dpi) = 0;
  virtual void sizeClientArea(WindowHandle window, PixelRect area) = 0;
  // Puts the control at `area` (client pixels), its text in its font at `dpi`. An owner-drawn control
  // takes the corner only: it sizes itself.
  virtual void placeControl(ControlId control, PixelRect area, int dpi) = 0;

 protected:
  ~LayoutHost() = default;
};

// A length given in pixels at 96 dpi, at `dpi`: what an owner-drawn control, which works in pixels at
// 96 dpi, covers on the screen.
inline int scaledPixels(int pixels, int dpi) {
  return static_cast<int>(std::lround(pixels * dpi / double{kBaseDpi}));
}

// A window's client area at `dpi`, at least a pixel each way.
PixelRect clientArea(const WindowSpec& spec, int dpi);
// A control's rectangle in client pixels at `dpi`: inside its frame's, when it has one.
PixelRect controlArea(const LayoutHost& host, const ControlSpec& placement, int dpi);

// The window's screen is now at `dpi`: the window and each of its controls get their pixels at that
// resolution, the same twips as before. `sized`: the system has already given the window its new size.
void relayWindow(LayoutHost& host, WindowHandle window, int dpi, bool sized);

}  // namespace quorvel
