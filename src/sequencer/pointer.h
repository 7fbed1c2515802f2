// Pointer placement relative to a window's client area, and click injection.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace quorvel {

class Pointer {
 public:
  Pointer(Platform& platform, WindowHandle window) : platform_(platform), window_(window) {}

  // Puts the pointer on a point given in pixels from the window's client origin. Coordinates round to
  // the nearest integer, ties to even; one outside the 32-bit range throws OverflowError (field "x" or
  // "y", no slot) and nothing moves.
  void MoveMouse(float x, float y);

  // Injects a press and a release (the two flag words) as one batch at the pointer's position.
  void ClickMouse(std::uint32_t downFlags, std::uint32_t upFlags);

 private:
  Platform& platform_;
  WindowHandle window_;
};

}  // namespace quorvel
