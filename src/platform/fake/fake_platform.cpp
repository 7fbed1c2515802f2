#include "platform/fake/fake_platform.h"

#include <algorithm>

#include "platform/fake/fake_control_surface.h"

namespace quorvel {

void FakePlatform::advance(Duration step) {
  const Duration target = now_ + step;
  while (wakeUp_ && *wakeUp_ <= target) {
    now_ = std::max(now_, *wakeUp_) + lateness_;
    if (!tickDue()) break;
  }
  now_ = std::max(now_, target);
}

WindowHandle FakePlatform::addWindow(Point clientOrigin) {
  const WindowHandle window = createWindow(WindowSpec{});
  setClientOrigin(window, clientOrigin);
  return window;
}

void FakePlatform::setClientOrigin(WindowHandle window, Point clientOrigin) {
  native(window).clientOrigin = clientOrigin;
}

void FakePlatform::makeNativeWindow(WindowHandle window) {
  windows_.push_back(NativeWindow{{}, kFrameOffset, clientArea(record(window).spec, kBaseDpi)});
}

void FakePlatform::moveWindow(WindowHandle window, TwipsPoint outerTopLeft) {
  NativeWindow& w = native(window);
  // Like a real window, it can only sit on whole pixels.
  const Point corner{twipsToPixels(outerTopLeft.x), twipsToPixels(outerTopLeft.y)};
  w.position = TwipsPoint{static_cast<float>(corner.x * kTwipsPerPixel),
                          static_cast<float>(corner.y * kTwipsPerPixel)};
  w.clientOrigin = Point{corner.x + kFrameOffset.x, corner.y + kFrameOffset.y};
}

Point FakePlatform::clientToScreen(WindowHandle window, Point client) const {
  const Point origin = native(window).clientOrigin;
  return Point{origin.x + client.x, origin.y + client.y};
}

void FakePlatform::makeNativeControl(ControlId id, PixelRect area) {
  const ControlSpec& spec = record(id).spec;
  controls_.push_back(
      NativeControl{area, spec.kind == ControlKind::textBox ? spec.caption : "", false, false});
}

// The keyboard moves as a system moves it: the control that had it hears it go first.
bool FakePlatform::giveNativeFocus(ControlId id, bool byTab) {
  if (focus() != id) {
    if (const auto from = focus()) {
      native(*from).textSelected = false;
      focusLost(*from);
    }
    focusGained(id);
  }
  native(id).textSelected = byTab;
  return true;
}

TwipsSize FakePlatform::measureNativeText(std::string_view text, const CaptionFont& font, double wrapWidth,
                                          int) const {
  return FakeControlSurface::textExtent(text, font, wrapWidth);
}

std::uint32_t FakePlatform::sendInput(std::span<const InputRecord> records) {
  ++batches_;
  for (const InputRecord& record : records)
    injected_.push_back(InjectedEvent{now_, cursor_, record, batches_});
  return static_cast<std::uint32_t>(records.size());
}

void FakePlatform::paintPending() {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (std::exchange(controls_[i].repaintPending, false)) paintListOf(static_cast<ControlId>(i));
  }
}

// Like the real ones, the box opens over windows painted as they stand.
void FakePlatform::messageBox(std::string_view text, std::string_view title, MessageIcon icon) {
  paintPending();
  messages_.push_back(ShownMessage{now_, std::string(text), std::string(title), icon});
  if (readingTime_ > Duration::zero()) advance(readingTime_);
}

void FakePlatform::activateOtherProgram() {
  const auto had = focus();
  if (!had) return;
  keyboardLost(record(*had).window, had);
  native(*had).textSelected = false;
  focusLost(*had);
}

void FakePlatform::activateWindow(WindowHandle window) {
  if (focus() && record(*focus()).window == window) return;
  activateOtherProgram();
  keyboardBack(window);
}

void FakePlatform::minimiseWindow(WindowHandle window, bool minimised) {
  if (minimised && focus() && record(*focus()).window == window) activateOtherProgram();
  windowMinimised(window, minimised);
}

void FakePlatform::pressTab(bool backwards) {
  if (windowCount() == 0) return;
  tabPressed(focus() ? record(*focus()).window : static_cast<WindowHandle>(0), focus(), backwards);
}

}  // namespace quorvel
