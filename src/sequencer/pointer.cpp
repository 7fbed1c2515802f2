#include "sequencer/pointer.h"

#include <array>

#include "settings/conversions.h"

namespace quorvel {

// Points are pixels at 96 dpi, as for a program that knows nothing of scaling: at another resolution they
// are scaled before rounding, so one settings file clicks the same places at every scaling.
void Pointer::MoveMouse(float x, float y) {
  const double scale = static_cast<double>(platform_.windowDpi(window_)) / kBaseDpi;
  const Point client{toInt32(x * scale, ValueOrigin{"x", 0, formatFloat32(x)}),
                     toInt32(y * scale, ValueOrigin{"y", 0, formatFloat32(y)})};
  platform_.setCursorPos(platform_.clientToScreen(window_, client));
}

void Pointer::ClickMouse(std::uint32_t downFlags, std::uint32_t upFlags) {
  std::array<InputRecord, 2> records{};
  records[0].dwFlags = downFlags;
  records[1].dwFlags = upFlags;
  platform_.sendInput(records);
}

}  // namespace quorvel
