// Top-level windows: creation, placement by the outer frame's corner, showing and the event loop.
#include <FL/Fl.H>
#include <FL/Fl_Tooltip.H>

#include <algorithm>

#include "platform/fltk/fltk_icon.h"
#include "platform/fltk/fltk_platform.h"
#include "platform/fltk/fltk_screen.h"
#include "platform/fltk/fltk_surface_widget.h"
#include "platform/fltk/fltk_top_window.h"

namespace quorvel {

// The window reports the keyboard leaving and coming back.
void FltkPlatform::makeNativeWindow(WindowHandle window) {
  const WindowSpec& spec = record(window).spec;
  const PixelRect client = clientArea(spec, record(window).dpi);
  auto widget = std::make_unique<TopWindow>(client.width, client.height, spec.caption.c_str());
  widget->onKeyboardLost = [this, window](Fl_Widget* had) { keyboardLost(window, controlOf(had)); };
  widget->onKeyboardBack = [this, window] { return keyboardBack(window); };
  widget->onMinimised = [this, window](bool minimised) { windowMinimised(window, minimised); };
  setProgramIcon(*widget);
  windows_.push_back(NativeWindow{std::move(widget), Point{}});
}

void FltkPlatform::moveWindow(WindowHandle window, TwipsPoint outerTopLeft) {
  const int dpi = record(window).dpi;
  const Point corner{twipsToPixels(outerTopLeft.x, dpi), twipsToPixels(outerTopLeft.y, dpi)};
  windows_.at(static_cast<std::size_t>(window)).outerTopLeft = corner;
  if (topWindow(window).shown()) {
    placeShownWindow(window);
  } else {
    topWindow(window).position(corner.x, corner.y);
  }
}

// Moves the window so that its outer frame's corner lands where it was asked to be.
void FltkPlatform::placeShownWindow(WindowHandle window) {
  TopWindow& widget = topWindow(window);
  const Point corner = native(window).outerTopLeft;
  Point frame;
  const auto client = clientOrigin(widget);
  const auto outer = outerOrigin(widget);
  if (client && outer) frame = Point{client->x - outer->x, client->y - outer->y};
  moveClientOrigin(widget, Point{corner.x + frame.x, corner.y + frame.y});
}

TwipsPoint FltkPlatform::windowPosition(WindowHandle window) const {
  Point corner = native(window).outerTopLeft;
  if (topWindow(window).shown()) {
    if (const auto outer = outerOrigin(topWindow(window))) corner = *outer;
  }
  const int dpi = record(window).dpi;
  return TwipsPoint{static_cast<float>(pixelsToTwips(corner.x, dpi)),
                    static_cast<float>(pixelsToTwips(corner.y, dpi))};
}

// NOTE: the dialog keys are not left to FLTK, whose Tab follows the order of children in their groups
// and whose buttons ignore Enter. In a window of the program, before any widget sees them, Tab and
// Shift+Tab go to the model, which follows the tab order, and Enter clicks the button that has the
// keyboard.
bool FltkPlatform::dialogKey(int event, const Fl_Window* window) {
  const int state = Fl::event_state();
  if (event != FL_KEYBOARD || (state & (FL_CTRL | FL_ALT | FL_META))) return false;
  const auto found = std::find_if(windows_.begin(), windows_.end(),
                                  [window](const NativeWindow& w) { return w.widget.get() == window; });
  if (found == windows_.end()) return false;
  const auto handle = static_cast<WindowHandle>(found - windows_.begin());
  const auto focus = controlOf(Fl::focus());
  const int key = Fl::event_key();
  if (key == FL_Tab) {
    tabPressed(handle, focus, (state & FL_SHIFT) != 0);
    return true;
  }
  if ((key != FL_Enter && key != FL_KP_Enter) || (state & FL_SHIFT) || !focus) return false;
  // An owner-drawn button hears Enter itself.
  if (record(*focus).spec.kind != ControlKind::button || record(*focus).surface) return false;
  clicked(*focus);
  return true;
}

int FltkPlatform::dispatchEvent(int event, Fl_Window* window) {
  if (current_->dialogKey(event, window)) return 1;
  return SurfaceWidget::dispatchPointer(*current_, event, window);
}

void FltkPlatform::followScreens(bool follow) {
  if (follow) {
    Fl::add_handler(screenEvent);
    Fl::add_system_handler(rootEvent, nullptr);
    watchRootProperties();
    screensChanged();
  } else {
    Fl::remove_system_handler(rootEvent);
    Fl::remove_handler(screenEvent);
  }
}

int FltkPlatform::screenEvent(int event) {
  if (event == FL_SCREEN_CONFIGURATION_CHANGED && current_) current_->screensChanged();
  return 0;  // not taken: others may follow the screens too
}

int FltkPlatform::rootEvent(void* event, void*) {
  if (current_ && resourcesChanged(event)) current_->screensChanged();
  return 0;
}

void FltkPlatform::screensChanged() {
  dpi_ = desktopResolution();
  Fl_Tooltip::size(static_cast<Fl_Fontsize>(scaledPixels(FL_NORMAL_SIZE, dpi_)));
  for (std::size_t i = 0; i < windowCount(); ++i)
    resolutionChanged(static_cast<WindowHandle>(i), dpi_, false);
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
