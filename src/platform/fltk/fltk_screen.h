// Where a shown top-level window really is, asked of the X server, so that the answer holds under any
// window manager or none.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

class Fl_Window;

namespace quorvel {

// Screen position of the client area's top-left corner.
std::optional<Point> clientOrigin(const Fl_Window& window);
// Screen position of the outer top-left corner of the frame a window manager put around the window,
// or of the window itself when it has no frame.
std::optional<Point> outerOrigin(const Fl_Window& window);
// Puts the client area's top-left corner there. The window asks for static gravity, so a window
// manager keeps the client area in place and moves its frame around it. FLTK's idea of where the window
// is (x() and y(), kept up to date from the server's configure events) follows at once.
void moveClientOrigin(Fl_Window& window, Point screen);
// Writes the window's title into WM_NAME and WM_ICON_NAME as UTF8_STRING. FLTK puts the UTF-8 bytes
// there labelled as Latin-1, which garbles a Chinese title for whatever reads only those properties.
void setUtf8Title(const Fl_Window& window);
// Gives the window the keyboard when no window manager framed it, since nobody else would.
void focusUnframedWindow(const Fl_Window& window);
// Size of the whole screen in pixels.
Point screenSize();
// The resources the desktop keeps on the root window (RESOURCE_MANAGER) as text, empty when it keeps none.
std::string rootResources();
// The dots per inch the desktop asks for in its resources on the root window, or 96 when it asks for none.
int desktopResolution();
// Has the X server report changes of the root window's properties: the desktop rewrites its resources
// when the user changes the scaling.
void watchRootProperties();
// Whether an X event says that the desktop's resources have changed.
bool resourcesChanged(const void* event);

}  // namespace quorvel
