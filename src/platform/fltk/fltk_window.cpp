// Top-level windows: creation, placement by the outer frame's corner, showing and the event loop.
#include <FL/Fl.H>
#include <FL/Fl_Tooltip.H>

#include "platform/fltk/fltk_icon.h"
#include "platform/fltk/fltk_platform.h"
#include "platform/fltk/fltk_screen.h"
#include "platform/fltk/fltk_top_window.h"

namespace quorvel {
namespace {

FltkPlatform* screenFollower = nullptr;

}  // namespace

// The window reports Tab when no control has the keyboard, and the keyboard leaving and coming back.
void FltkPlatform::makeNativeWindow(WindowHandle window) {
  const WindowSpec& spec = record(window).spec;
  const PixelRect client = clientArea(spec, record(window).dpi);
  auto widget = std::make_unique<TopWindow>(client.width, client.height, spec.caption.c_str());
  widget->onTab = [this, window](bool backwards) { tabPressed(window, std::nullopt, backwards); };
  widget->onKeyboardLost = [this, window](Fl_Widget* had) { keyboardLost(window, controlOf(had)); };
  widget->onKeyboardBack = [this, window] { return keyboardBack(window); };
  widget->onMinimised = [this, window](bool minimised) { windowMinimised(window, minimised); };
  setProgramIcon(*widget);
  windows_.push_back(NativeWindow{std::move(widget), Point{}});
}

void FltkPlatform::moveWindow(WindowHandle window, TwipsPoint outerTopLeft) {
  const int dpi = record(window).dpi;
  Point& corner = windows_.at(static_cast<std::size_t>(window)).outerTopLeft;
  corner = Point{twipsToPixels(outerTopLeft.x, dpi), twipsToPixels(outerTopLeft.y, dpi)};
  if (topWindow(window).shown()) {
    placeShownWindow(window);
  } else {
    topWindow(window).position(corner.x, corner.y);
  }
}

// Moves the window so that its outer frame's corner lands where it was asked to be.
void FltkPlatform::placeShownWindow(WindowHandle window) {
  TopWindow& widget = topWindow(window);
  const Point corner = windows_.at(static_cast<std::size_t>(window)).outerTopLeft;
  Point frame;
  const auto client = clientOrigin(widget);
  const auto outer = outerOrigin(widget);
  if (client && outer) frame = Point{client->x - outer->x, client->y - outer->y};
  moveClientOrigin(widget, Point{corner.x + frame.x, corner.y + frame.y});
}

TwipsPoint FltkPlatform::windowPosition(WindowHandle window) const {
  Point corner = windows_.at(static_cast<std::size_t>(window)).outerTopLeft;
  if (topWindow(window).shown()) {
    if (const auto outer = outerOrigin(topWindow(window))) corner = *outer;
  }
  const int dpi = record(window).dpi;
  return TwipsPoint{static_cast<float>(pixelsToTwips(corner.x, dpi)), static_cast<float>(pixelsToTwips(corner.y, dpi))};
}

void FltkPlatform::followScreens(bool follow) {
  if (follow) {
    screenFollower = this;
    Fl::add_handler(screenEvent);
    Fl::add_system_handler(rootEvent, nullptr);
    watchRootProperties();
    screensChanged();
  } else if (screenFollower == this) {
    Fl::remove_system_handler(rootEvent);
    Fl::remove_handler(screenEvent);
    screenFollower = nullptr;
  }
}

int FltkPlatform::screenEvent(int event) {
  if (event == FL_SCREEN_CONFIGURATION_CHANGED && screenFollower) screenFollower->screensChanged();
  return 0;  // not taken: others may follow the screens too
}

int FltkPlatform::rootEvent(void* event, void*) {
  if (screenFollower && resourcesChanged(event)) screenFollower->screensChanged();
  return 0;
}

void FltkPlatform::screensChanged() {
  dpi_ = desktopResolution();
  Fl_Tooltip::size(static_cast<Fl_Fontsize>(scaledPixels(FL_NORMAL_SIZE, dpi_)));
  for (std::size_t i = 0; i < windowCount(); ++i) resolutionChanged(static_cast<WindowHandle>(i), dpi_, false);
}

void FltkPlatform::sizeNativeClientArea(WindowHandle window, PixelRect area) {
  TopWindow& widget = topWindow(window);
  widget.size(area.width, area.height);
  widget.redraw();
}

// NOTE: FLTK pulls a new window fully onto the screen and a window manager frames it only once it is
// mapped, so the place is corrected when it can be measured; also when a closed window is shown again.
void FltkPlatform::showNativeWindow(WindowHandle window, bool) {
  TopWindow& widget = topWindow(window);
  const bool mapped = widget.shown();
  widget.show();
  if (mapped) return;
  widget.wait_for_expose();
  placeShownWindow(window);
  focusUnframedWindow(widget);
}

void FltkPlatform::runEventLoop() { Fl::run(); }

}  // namespace quorvel
