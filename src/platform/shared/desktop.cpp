// The model's windows and controls: records, texts, values and the focus, the same on every backend.
#include "platform/shared/desktop.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/shared/handlers.h"
#include "platform/shared/hosted_surface.h"
#include "platform/shared/tab_order.h"

namespace quorvel {
namespace {

// Text boxes and combo boxes hold what the user typed in the system's widget; the other kinds show a
// caption only the program sets.
bool holdsTypedText(ControlKind kind) {
  return kind == ControlKind::textBox || kind == ControlKind::comboBox;
}

}  // namespace

TimerId Desktop::createTimer(Duration interval, std::function<void()> onTick) {
  return ticks_.create(interval, std::move(onTick));
}

void Desktop::setTimerEnabled(TimerId timer, bool enabled) { ticks_.setEnabled(timer, enabled); }

bool Desktop::timerEnabled(TimerId timer) const { return ticks_.enabled(timer); }

WindowHandle Desktop::createWindow(const WindowSpec& spec) {
  windows_.push_back(WindowRecord{spec, desktopDpi(), false});
  const auto window = static_cast<WindowHandle>(windows_.size() - 1);
  makeNativeWindow(window);
  return window;
}

// A control hears once that it became visible, when its window is first shown; the window then has
// the keyboard, and the control that had it gets it back.
void Desktop::showWindow(WindowHandle window) {
  const bool first = !std::exchange(windows_.at(index(window)).shown, true);
  showNativeWindow(window, first);
  if (first) {
    for (const ControlId id : controlsOf(window)) {
      if (ControlSurfaceClient* client = clientOf(id)) client->surfaceShown();
    }
  }
  if (const auto id = focusTracker_.activated(window)) setFocus(*id);
}

std::vector<ControlId> Desktop::controlsOf(WindowHandle window) const {
  std::vector<ControlId> ids;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].window == window) ids.push_back(static_cast<ControlId>(i));
  }
  return ids;
}

std::optional<ControlId> Desktop::controlWithTabIndex(WindowHandle window, int tabIndex) const {
  for (const ControlId id : controlsOf(window)) {
    if (record(id).spec.tabIndex == tabIndex) return id;
  }
  return std::nullopt;
}

ControlId Desktop::addControl(WindowHandle window, const ControlSpec& spec) {
  record(window);  // must exist
  if (spec.container) {
    const ControlRecord& container = record(*spec.container);
    if (container.spec.kind != ControlKind::frame || container.surface || container.window != window)
      throw std::invalid_argument("container is not a frame of this window");
  }
  ControlRecord c;
  c.window = window;
  c.spec = spec;
  if (!holdsTypedText(spec.kind)) c.caption = spec.caption;
  controls_.push_back(std::move(c));
  return static_cast<ControlId>(controls_.size() - 1);
}

ControlId Desktop::createControl(WindowHandle window, const ControlSpec& spec) {
  const ControlId id = addControl(window, spec);
  makeNativeControl(id, controlArea(*this, spec, record(window).dpi));
  return id;
}

// Placed like the other controls, in the window or a frame of it, and a stop of its tab order.
std::unique_ptr<ControlSurface> Desktop::createControlSurface(WindowHandle window,
                                                              const ControlSpec& placement,
                                                              ControlSurfaceClient& client) {
  const ControlId id = addControl(window, placement);
  SurfaceRecord& s = writable(id).surface.emplace();
  s.client = &client;
  s.width = std::max(1, twipsToPixels(placement.rect.width));
  s.height = std::max(1, twipsToPixels(placement.rect.height));
  const int dpi = record(window).dpi;
  PixelRect area = controlArea(*this, placement, dpi);
  area.width = scaledPixels(s.width, dpi);
  area.height = scaledPixels(s.height, dpi);
  makeNativeControl(id, area);
  return std::make_unique<HostedSurface>(*this, id);
}

void Desktop::placeControl(ControlId id, PixelRect area, int dpi) {
  if (const auto& s = record(id).surface) {
    if (!s->client || !s->native) return;
    area.width = scaledPixels(s->width, dpi);
    area.height = scaledPixels(s->height, dpi);
  }
  placeNative(id, area, dpi);
}

void Desktop::setControlHandlers(ControlId id, ControlHandlers handlers) {
  writable(id).handlers = std::move(handlers);
}

std::string Desktop::controlText(ControlId id) const {
  const ControlRecord& c = record(id);
  return holdsTypedText(c.spec.kind) ? nativeText(id) : c.caption;
}

void Desktop::writeNativeText(ControlId id, std::string_view text) {
  writingText_ = true;
  setNativeText(id, text);
  writingText_ = false;
}

// Raises onChange when the text really changes; text set here is never cut to the typing limit.
void Desktop::setControlText(ControlId id, std::string_view text) {
  if (controlText(id) == text) return;
  ControlRecord& c = writable(id);
  if (!holdsTypedText(c.spec.kind)) c.caption = std::string(text);
  if (!c.surface) writeNativeText(id, text);
  raiseChange(record(id).handlers);
}

void Desktop::setCheckValue(ControlId id, int value) {
  ControlRecord& c = writable(id);
  if (c.spec.kind != ControlKind::checkBox) return;
  c.checkValue = value;
  showCheckValue(id, value);
}

// Frames and labels never take the focus, nor a control without a tab stop or a disabled one.
bool Desktop::takesFocus(const ControlRecord& c) const {
  if (c.spec.tabIndex < 0 || c.spec.kind == ControlKind::frame || c.spec.kind == ControlKind::label)
    return false;
  return !c.surface || (c.surface->client && c.surface->native && c.surface->enabled);
}

void Desktop::setFocus(ControlId id) {
  const ControlRecord& c = record(id);
  if (!takesFocus(c)) return;
  focusTracker_.focused(c.window, id);
  giveNativeFocus(id, false);
}

void Desktop::textEdited(ControlId id) {
  if (writingText_) return;
  ControlRecord& c = writable(id);
  if (c.spec.kind == ControlKind::comboBox) c.listIndex = -1;
  raiseChange(c.handlers);
}

// The picked item's text is in the box before the handlers run: they read it.
void Desktop::itemPicked(ControlId id, int item) {
  ControlRecord& c = writable(id);
  if (item < 0 || item >= static_cast<int>(c.spec.items.size())) return;
  c.listIndex = item;
  const std::string& text = c.spec.items[static_cast<std::size_t>(item)];
  if (nativeText(id) != text) {
    writeNativeText(id, text);
    raiseChange(record(id).handlers);
  }
  raiseClick(record(id).handlers);
}

// The user toggles a check box between clear and checked; only the program sets the third state.
void Desktop::clicked(ControlId id) {
  ControlRecord& c = writable(id);
  if (c.spec.kind == ControlKind::checkBox) setCheckValue(id, c.checkValue == 1 ? 0 : 1);
  raiseClick(record(id).handlers);
}

void Desktop::keyTyped(ControlId id, int& keyAscii) { raiseKeyPress(record(id).handlers, keyAscii); }

void Desktop::tabPressed(WindowHandle window, std::optional<ControlId> from, bool backwards) {
  std::vector<TabStop> stops;
  for (const ControlId id : controlsOf(window)) {
    const ControlRecord& c = record(id);
    if (c.spec.kind == ControlKind::frame || c.spec.kind == ControlKind::label) continue;
    stops.push_back(TabStop{id, c.spec.tabIndex, takesFocus(c) && nativeFocusable(id)});
  }
  if (from && record(*from).window != window) from.reset();
  const auto next = nextTabStop(stops, from, backwards);
  if (!next) return;
  focusTracker_.focused(window, *next);
  giveNativeFocus(*next, true);
}

void Desktop::keyboardLost(WindowHandle window, std::optional<ControlId> hadFocus) {
  if (hadFocus && record(*hadFocus).window != window) hadFocus.reset();
  focusTracker_.deactivated(window, hadFocus);
}

bool Desktop::keyboardBack(WindowHandle window) {
  const auto id = focusTracker_.activated(window);
  return id && takesFocus(record(*id)) && giveNativeFocus(*id, false);
}

void Desktop::windowMinimised(WindowHandle window, bool minimised) {
  focusTracker_.minimised(window, minimised);
}

void Desktop::resolutionChanged(WindowHandle window, int dpi, bool sized) {
  relayWindow(*this, window, dpi, sized);
}

}  // namespace quorvel
