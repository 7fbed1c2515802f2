#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "base/utf.h"
#include "platform/handlers.h"
#include "platform/tab_order.h"

namespace quorvel {

void FakePlatform::advance(Duration step) {
  const Duration target = now_ + step;
  while (wakeUp_ && *wakeUp_ <= target) {
    now_ = std::max(now_, *wakeUp_) + lateness_;
    if (!ticks_.runOneDue()) break;
  }
  now_ = std::max(now_, target);
}

WindowHandle FakePlatform::addWindow(Point clientOrigin) {
  windows_.push_back(Window{{}, {}, clientOrigin, {}});
  return static_cast<WindowHandle>(windows_.size() - 1);
}

void FakePlatform::setClientOrigin(WindowHandle window, Point clientOrigin) {
  windows_.at(index(window)).clientOrigin = clientOrigin;
}

WindowHandle FakePlatform::createWindow(const WindowSpec& spec) {
  windows_.push_back(Window{spec, {}, kFrameOffset, clientArea(spec, kBaseDpi)});
  return static_cast<WindowHandle>(windows_.size() - 1);
}

void FakePlatform::moveWindow(WindowHandle window, TwipsPoint outerTopLeft) {
  Window& w = windows_.at(index(window));
  // Like a real window, it can only sit on whole pixels.
  w.position = TwipsPoint{static_cast<float>(twipsToPixels(outerTopLeft.x) * kTwipsPerPixel),
                          static_cast<float>(twipsToPixels(outerTopLeft.y) * kTwipsPerPixel)};
  w.clientOrigin = Point{twipsToPixels(outerTopLeft.x) + kFrameOffset.x, twipsToPixels(outerTopLeft.y) + kFrameOffset.y};
}

TwipsPoint FakePlatform::windowPosition(WindowHandle window) const { return windows_.at(index(window)).position; }

// A control hears once that it became visible, when its window is first shown; the window then has
// the keyboard.
void FakePlatform::showWindow(WindowHandle window) {
  if (!std::exchange(windows_.at(index(window)).shown, true)) {
    for (Control& c : controls_) {
      if (c.window == window && c.client) c.client->surfaceShown();
    }
  }
  if (const auto id = focusTracker_.activated(window)) moveFocus(*id);
}

std::unique_ptr<ControlSurface> FakePlatform::createControlSurface(WindowHandle window, const ControlSpec& placement,
                                                                   ControlSurfaceClient& client) {
  const ControlId id = createControl(window, placement);
  auto surface = std::make_unique<FakeControlSurface>(
      TwipsSize{static_cast<double>(placement.rect.width), static_cast<double>(placement.rect.height)});
  surface->onFocusRequest = [this, id] { setFocus(id); };
  surface->setAmbientFont(ambientFontFor(placement.font));
  surface->onCapture = [this, id](bool asked) {
    if (asked) {
      capture_.set(id);
    } else {
      capture_.release(id);
    }
  };
  surface->onDisabled = [this, id] { capture_.disabled(id); };
  surface->onDestroyed = [this, id] {
    capture_.disabled(id);
    control(id).surface = nullptr;
    control(id).client = nullptr;
  };
  control(id).client = &client;
  control(id).surface = surface.get();
  return surface;
}

std::optional<ControlId> FakePlatform::controlWithTabIndex(WindowHandle window, int tabIndex) const {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].window == window && controls_[i].spec.tabIndex == tabIndex) return static_cast<ControlId>(i);
  }
  return std::nullopt;
}

void FakePlatform::moveFocus(std::optional<ControlId> to) {
  if (focus_ == to) return;
  if (focus_) control(*focus_).textSelected = false;
  const std::optional<ControlId> from = focus_;
  focus_ = to;
  if (to) focusTracker_.focused(control(*to).window, *to);
  if (from) control(*from).keys.forget();
  if (from && control(*from).client) control(*from).client->focusLeft();
  if (to && control(*to).client) control(*to).client->focusEntered();
}

ControlId FakePlatform::createControl(WindowHandle window, const ControlSpec& spec) {
  windows_.at(index(window));  // must exist
  if (spec.container && (controls_.at(index(*spec.container)).spec.kind != ControlKind::frame ||
                         controls_.at(index(*spec.container)).window != window))
    throw std::invalid_argument("container is not a frame of this window");
  Control c;
  c.window = window;
  c.spec = spec;
  c.text = spec.kind == ControlKind::comboBox ? "" : spec.caption;
  controls_.push_back(std::move(c));
  const auto id = static_cast<ControlId>(controls_.size() - 1);
  control(id).area = controlArea(*this, spec, windows_.at(index(window)).dpi);
  return id;
}

std::vector<ControlId> FakePlatform::controlsOf(WindowHandle window) const {
  std::vector<ControlId> ids;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].window == window) ids.push_back(static_cast<ControlId>(i));
  }
  return ids;
}

void FakePlatform::setControlHandlers(ControlId id, ControlHandlers handlers) {
  control(id).handlers = std::move(handlers);
}

std::string FakePlatform::controlText(ControlId id) const { return controls_.at(index(id)).text; }

void FakePlatform::replaceText(Control& c, std::string text) {
  if (c.text == text) return;
  c.text = std::move(text);
  raiseChange(c.handlers);
}

void FakePlatform::setControlText(ControlId id, std::string_view text) { replaceText(control(id), std::string(text)); }

int FakePlatform::listIndex(ControlId combo) const { return controls_.at(index(combo)).listIndex; }

int FakePlatform::checkValue(ControlId checkBox) const { return controls_.at(index(checkBox)).checkValue; }

void FakePlatform::setCheckValue(ControlId checkBox, int value) { control(checkBox).checkValue = value; }

void FakePlatform::setFocus(ControlId id) {
  const Control& c = control(id);
  if (c.spec.tabIndex < 0 || (c.surface && !c.surface->enabled())) return;
  moveFocus(id);
}

void FakePlatform::runEventLoop() {}

// One grab in the system: whoever takes it, takes it from everyone else.
void FakePlatform::grabPointer(ControlId id) {
  for (Control& c : controls_)
    if (c.surface) c.surface->setGrabbed(false);
  if (control(id).surface) control(id).surface->setGrabbed(true);
}

void FakePlatform::letPointerGo(ControlId id) {
  if (control(id).surface) control(id).surface->setGrabbed(false);
}

void FakePlatform::activateOtherProgram() {
  if (!focus_) return;
  focusTracker_.deactivated(control(*focus_).window, focus_);
  moveFocus(std::nullopt);
}

void FakePlatform::activateWindow(WindowHandle window) {
  if (focus_ && control(*focus_).window == window) return;
  activateOtherProgram();
  moveFocus(focusTracker_.activated(window));
}

void FakePlatform::minimiseWindow(WindowHandle window, bool minimised) {
  if (minimised && focus_ && control(*focus_).window == window) activateOtherProgram();
  focusTracker_.minimised(window, minimised);
}

void FakePlatform::chooseItem(ControlId combo, int item) {
  Control& c = control(combo);
  c.listIndex = item;
  replaceText(c, c.spec.items.at(static_cast<std::size_t>(item)));
  raiseClick(c.handlers);
}

void FakePlatform::typeText(ControlId id, std::string_view text) {
  moveFocus(id);
  if (control(id).client) {
    typeKeys(id, text);
    return;
  }
  for (const char32_t typed : codePoints(text)) {
    int key = static_cast<int>(typed);
    Control& c = control(id);
    raiseKeyPress(c.handlers, key);
    Control& after = control(id);
    if (key == 0) continue;  // the handler swallowed it
    const std::string kept = after.textSelected ? std::string() : after.text;
    const auto limit = static_cast<std::size_t>(std::max(after.spec.maxLength, 0));
    if (limit > 0 && characterCount(kept) >= limit) continue;
    if (after.spec.kind == ControlKind::comboBox) after.listIndex = -1;
    after.textSelected = false;
    replaceText(after, kept + toUtf8(static_cast<char32_t>(key)));
  }
}

void FakePlatform::pressKey(ControlId id, int keyAscii) {
  moveFocus(id);
  Control& c = control(id);
  if (c.client) {
    const auto key = static_cast<std::int16_t>(keyAscii);
    keyDown(id, key, 0, false, key);
    keyUp(id, key, 0);
    return;
  }
  raiseKeyPress(c.handlers, keyAscii);
}

void FakePlatform::hover(ControlId id) {
  Control& c = control(id);
  c.client->pointerMoved(0, 0, static_cast<float>(c.spec.rect.width) / 2, static_cast<float>(c.spec.rect.height) / 2);
}

void FakePlatform::leave(ControlId id) {
  Control& c = control(id);
  c.client->pointerMoved(0, 0, static_cast<float>(c.spec.rect.width) + 300, -300);
}

void FakePlatform::click(ControlId id) {
  Control& c = control(id);
  if (ControlSurfaceClient* client = c.client) {
    // Handlers may add controls, so nothing of `c` is touched after the first call.
    const float x = static_cast<float>(c.spec.rect.width) / 2;
    const float y = static_cast<float>(c.spec.rect.height) / 2;
    client->pointerMoved(0, 0, x, y);
    client->pointerPressed(1, 0, x, y);
    client->pointerReleased(1, 0, x, y);
    return;
  }
  if (c.spec.tabIndex >= 0) moveFocus(id);
  if (c.spec.kind == ControlKind::checkBox) c.checkValue = c.checkValue == 1 ? 0 : 1;
  raiseClick(c.handlers);
}

void FakePlatform::pressTab(bool backwards) {
  if (windows_.empty()) return;
  const WindowHandle window = focus_ ? control(*focus_).window : static_cast<WindowHandle>(0);
  std::vector<TabStop> stops;
  for (const ControlId id : controlsOf(window)) {
    const Control& c = control(id);
    stops.push_back(TabStop{id, c.spec.tabIndex, !c.surface || c.surface->enabled()});
  }
  if (const auto next = nextTabStop(stops, focus_, backwards)) {
    moveFocus(*next);
    control(*next).textSelected = true;
  }
}

TimerId FakePlatform::createTimer(Duration interval, std::function<void()> onTick) {
  return ticks_.create(interval, std::move(onTick));
}

void FakePlatform::setTimerEnabled(TimerId timer, bool enabled) { ticks_.setEnabled(timer, enabled); }

bool FakePlatform::timerEnabled(TimerId timer) const { return ticks_.enabled(timer); }

Point FakePlatform::clientToScreen(WindowHandle window, Point client) const {
  const Point origin = windows_.at(index(window)).clientOrigin;
  return Point{origin.x + client.x, origin.y + client.y};
}

void FakePlatform::setCursorPos(Point screen) { cursor_ = screen; }

std::uint32_t FakePlatform::sendInput(std::span<const InputRecord> records) {
  ++batches_;
  for (const InputRecord& record : records) injected_.push_back(InjectedEvent{now_, cursor_, record, batches_});
  return static_cast<std::uint32_t>(records.size());
}

void FakePlatform::paintPending() {
  for (Control& c : controls_) {
    if (c.surface && c.client && c.surface->takePendingRepaint()) c.client->paintList();
  }
}

// Like the real ones, the box opens over windows painted as they stand.
void FakePlatform::messageBox(std::string_view text, std::string_view title, MessageIcon icon) {
  paintPending();
  messages_.push_back(ShownMessage{now_, std::string(text), std::string(title), icon});
  if (readingTime_ > Duration::zero()) advance(readingTime_);
}


}  // namespace quorvel
