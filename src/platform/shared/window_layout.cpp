#include "platform/shared/window_layout.h"

#include <algorithm>

namespace quorvel {

PixelRect clientArea(const WindowSpec& spec, int dpi) {
  return PixelRect{0, 0, std::max(1, twipsToPixels(spec.clientWidth, dpi)),
                   std::max(1, twipsToPixels(spec.clientHeight, dpi))};
}

// NOTE: a frame's pixels are rounded once and its controls are placed from them, so a control never
// slides a pixel away from the frame it sits in.
PixelRect controlArea(const LayoutHost& host, const ControlSpec& spec, int dpi) {
  const PixelRect origin =
      spec.container ? controlArea(host, host.placementOf(*spec.container), dpi) : PixelRect{};
  return PixelRect{
      origin.left + twipsToPixels(spec.rect.left, dpi), origin.top + twipsToPixels(spec.rect.top, dpi),
      std::max(1, twipsToPixels(spec.rect.width, dpi)), std::max(1, twipsToPixels(spec.rect.height, dpi))};
}

void relayWindow(LayoutHost& host, WindowHandle window, int dpi, bool sized) {
  host.setLayoutDpi(window, dpi);
  if (!sized) host.sizeClientArea(window, clientArea(host.windowSpecOf(window), dpi));
  for (const ControlId control : host.controlsOf(window))
    host.placeControl(control, controlArea(host, host.placementOf(control), dpi), dpi);
}

}  // namespace quorvel
