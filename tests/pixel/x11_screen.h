// The test side of the private X display: letting the program catch up, reading the screen back, and
// keys typed through XTEST. The only test file that sees X or FLTK.
#pragma once

#include <string>

#include "platform/control_surface.h"
#include "platform/platform.h"

namespace quorvel::pixel {

// Lets the program handle every event the X server has for it and draw what became damaged.
void settle();

// Writes the desktop's resources onto the root window (RESOURCE_MANAGER) as a desktop does when the user
// changes its scaling, and lets the program hear of it; an empty text takes them away.
void setDesktopResources(const std::string& text);

// The screen's pixels in a rectangle, each 0x00BBGGRR.
Bitmap grabScreen(Point topLeft, int width, int height);

// Presses or releases a key, named as X names it ("space", "Tab", "Return", "a").
void pressKey(const char* name);
void releaseKey(const char* name);
void typeKey(const char* name);

}  // namespace quorvel::pixel
