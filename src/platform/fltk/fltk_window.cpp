// Top-level windows: creation, placement by the outer frame's corner, showing and the event loop.
#include <FL/Fl.H>
#include <FL/Fl_Tooltip.H>

#include "platform/fltk/fltk_icon.h"
#include "platform/fltk/fltk_platform.h"
#include "platform/fltk/fltk_records.h"
#include "platform/fltk/fltk_screen.h"

namespace quorvel {
namespace {

FltkPlatform* screenFollower = nullptr;

}  // namespace

FltkPlatform::WindowRecord& FltkPlatform::window(WindowHandle handle) {
  return *windows_.at(static_cast<std::size_t>(handle));
}

const FltkPlatform::WindowRecord& FltkPlatform::window(WindowHandle handle) const {
  return *windows_.at(static_cast<std::size_t>(handle));
}

WindowHandle FltkPlatform::createWindow(const WindowSpec& spec) {
  const auto handle = static_cast<WindowHandle>(windows_.size());
  auto record = std::make_unique<WindowRecord>();
  record->spec = spec;
  record->dpi = dpi_;
  const PixelRect client = clientArea(spec, record->dpi);
  record->widget = std::make_unique<TopWindow>(client.width, client.height, spec.caption.c_str());
  record->widget->onTab = [this, handle](bool backwards) { moveFocus(handle, std::nullopt, backwards); };
  setProgramIcon(*record->widget);
  windows_.push_back(std::move(record));
  trackKeyboard(handle);
  return handle;
}

void FltkPlatform::trackKeyboard(WindowHandle handle) {
  TopWindow& widget = *window(handle).widget;
  widget.onKeyboardLost = [this, handle](Fl_Widget* had) { focusTracker_.deactivated(handle, controlOf(had)); };
  widget.onKeyboardBack = [this, handle] {
    const auto id = focusTracker_.activated(handle);
    if (!id) return false;
    const ControlRecord& c = control(*id);
    Fl_Widget* target = c.field ? static_cast<Fl_Widget*>(c.field) : c.widget;
    return target && window(handle).widget->contains(target) && target->take_focus() != 0;
  };
  widget.onMinimised = [this, handle](bool minimised) { focusTracker_.minimised(handle, minimised); };
}

std::optional<ControlId> FltkPlatform::controlOf(const Fl_Widget* widget) const {
  for (std::size_t i = 0; widget && i < controls_.size(); ++i) {
    const ControlRecord& c = *controls_[i];
    if (c.widget == widget || c.field == widget) return static_cast<ControlId>(i);
  }
  return std::nullopt;
}

void FltkPlatform::moveWindow(WindowHandle handle, TwipsPoint outerTopLeft) {
  WindowRecord& record = window(handle);
  record.outerTopLeft =
      Point{twipsToPixels(outerTopLeft.x, record.dpi), twipsToPixels(outerTopLeft.y, record.dpi)};
  if (record.widget->shown()) {
    placeShownWindow(record);
  } else {
    record.widget->position(record.outerTopLeft.x, record.outerTopLeft.y);
  }
}

// Moves the window so that its outer frame's corner lands where it was asked to be.
void FltkPlatform::placeShownWindow(WindowRecord& record) {
  TopWindow& widget = *record.widget;
  Point frame;
  const auto client = clientOrigin(widget);
  const auto outer = outerOrigin(widget);
  if (client && outer) frame = Point{client->x - outer->x, client->y - outer->y};
  moveClientOrigin(widget, Point{record.outerTopLeft.x + frame.x, record.outerTopLeft.y + frame.y});
}

TwipsPoint FltkPlatform::windowPosition(WindowHandle handle) const {
  const WindowRecord& record = window(handle);
  Point corner = record.outerTopLeft;
  if (record.widget->shown()) {
    if (const auto outer = outerOrigin(*record.widget)) corner = *outer;
  }
  return TwipsPoint{static_cast<float>(pixelsToTwips(corner.x, record.dpi)),
                    static_cast<float>(pixelsToTwips(corner.y, record.dpi))};
}

int FltkPlatform::windowDpi(WindowHandle handle) const { return window(handle).dpi; }

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
  for (std::size_t i = 0; i < windows_.size(); ++i)
    relayWindow(*this, static_cast<WindowHandle>(i), dpi_, false);
}

const WindowSpec& FltkPlatform::windowSpecOf(WindowHandle handle) const { return window(handle).spec; }

void FltkPlatform::setLayoutDpi(WindowHandle handle, int dpi) { window(handle).dpi = dpi; }

void FltkPlatform::sizeClientArea(WindowHandle handle, PixelRect area) {
  TopWindow& widget = *window(handle).widget;
  widget.size(area.width, area.height);
  widget.redraw();
}

void FltkPlatform::showWindow(WindowHandle handle) {
  WindowRecord& record = window(handle);
  TopWindow& widget = *record.widget;
  const bool first = !widget.shown();
  widget.show();
  if (first) {
    // NOTE: FLTK pulls a new window fully onto the screen and a window manager frames it only once it is
    // mapped, so the place is corrected when it can be measured.
    widget.wait_for_expose();
    placeShownWindow(record);
    focusUnframedWindow(widget);
  }
  if (const auto id = focusTracker_.activated(handle)) setFocus(*id);
}

void FltkPlatform::runEventLoop() { Fl::run(); }

}  // namespace quorvel
