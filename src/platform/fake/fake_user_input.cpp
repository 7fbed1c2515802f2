// The user's pointer and keys on the fake backend, delivered where a window system delivers them.
#include <chrono>

#include "platform/fake/fake_platform.h"

namespace quorvel {
namespace {

constexpr Duration kDoubleClickTime = std::chrono::milliseconds(500);
constexpr Duration kKeyRepeatDelay = std::chrono::milliseconds(500);
constexpr Duration kKeyRepeatInterval = std::chrono::milliseconds(33);

}  // namespace

PixelRect FakePlatform::screenRect(ControlId id) const {
  const Control& c = controls_.at(index(id));
  const Point origin = windows_.at(index(c.window)).clientOrigin;
  return PixelRect{origin.x + c.area.left, origin.y + c.area.top, c.area.width, c.area.height};
}

bool FakePlatform::inClientArea(const Window& w, Point screen) {
  const int x = screen.x - w.clientOrigin.x;
  const int y = screen.y - w.clientOrigin.y;
  return x >= w.client.left && y >= w.client.top && x < w.client.left + w.client.width && y < w.client.top + w.client.height;
}

// The pressed control, else the capture holder, else the topmost control under the pointer that takes
// input (an enabled owner-drawn control, a text box, combo box, check box or button) and is not cut off
// by its window's edge.
std::optional<ControlId> FakePlatform::pointerTarget() const {
  if (pressed_) return pressed_;
  if (const auto holder = capture_.holder(); holder && controls_.at(index(*holder)).surface) return holder;
  for (std::size_t i = controls_.size(); i-- > 0;) {
    const Control& c = controls_[i];
    const bool takesInput = c.surface ? c.surface->enabled() && c.client
                                      : c.spec.kind != ControlKind::frame && c.spec.kind != ControlKind::label;
    const Window& w = windows_.at(index(c.window));
    if (!takesInput || !w.shown || !inClientArea(w, cursor_)) continue;
    const PixelRect r = screenRect(static_cast<ControlId>(i));
    if (cursor_.x >= r.left && cursor_.y >= r.top && cursor_.x < r.left + r.width && cursor_.y < r.top + r.height)
      return static_cast<ControlId>(i);
  }
  return std::nullopt;
}

void FakePlatform::deliverPointer(ControlId id,
                                  const std::function<void(ControlSurfaceClient&, float, float)>& deliver) {
  const Control& c = control(id);
  if (!c.client) return;
  const PixelRect r = screenRect(id);
  const int dpi = windows_.at(index(c.window)).dpi;
  deliver(*c.client, static_cast<float>(pixelsToTwips(cursor_.x - r.left, dpi)),
          static_cast<float>(pixelsToTwips(cursor_.y - r.top, dpi)));
}

void FakePlatform::movePointer(Point screen) {
  cursor_ = screen;
  const auto target = pointerTarget();
  if (!target) return;
  const std::int16_t buttons = pressed_ ? 1 : 0;
  deliverPointer(*target, [buttons](ControlSurfaceClient& client, float x, float y) {
    client.pointerMoved(buttons, 0, x, y);
  });
}

void FakePlatform::pressLeft() {
  const auto target = pointerTarget();
  if (!target) return;
  const bool second = pairOpen_ && lastPressed_ == target && now_ - lastPressTime_ <= kDoubleClickTime;
  pairOpen_ = !second;
  lastPressed_ = target;
  lastPressTime_ = now_;
  pressed_ = target;
  if (!control(*target).client) return;  // a plain control acts on the release
  if (second) {
    control(*target).client->doubleClicked();
    return;
  }
  deliverPointer(*target, [](ControlSurfaceClient& client, float x, float y) { client.pointerPressed(1, 0, x, y); });
}

void FakePlatform::releaseLeft() {
  const auto target = pressed_;
  pressed_.reset();
  if (!target) return;
  if (!control(*target).client) {
    if (pointerTarget() == target) click(*target);
    return;
  }
  deliverPointer(*target, [](ControlSurfaceClient& client, float x, float y) { client.pointerReleased(1, 0, x, y); });
}

void FakePlatform::pressDown() {
  if (!focus_) return;
  Control& c = control(*focus_);
  if (c.spec.kind != ControlKind::comboBox || c.listIndex + 1 >= static_cast<int>(c.spec.items.size())) return;
  chooseItem(*focus_, c.listIndex + 1);
}

void FakePlatform::typeKeys(ControlId id, std::string_view text) {
  for (const char c : text) {
    const bool capital = c >= 'A' && c <= 'Z';
    const auto code = static_cast<std::int16_t>(capital || (c >= '0' && c <= '9') ? c : c >= 'a' && c <= 'z' ? c - 32 : 0);
    const auto shift = static_cast<std::int16_t>(capital ? 1 : 0);
    if (code == 0) continue;
    keyDown(id, code, shift, false, static_cast<std::int16_t>(c));
    keyUp(id, code, shift);
  }
}

// Handlers may drop the control: nothing of it is kept across a call into it.
void FakePlatform::keyDown(ControlId id, std::int16_t code, std::int16_t shift, bool repeat, std::int16_t character) {
  ControlSurfaceClient* client = control(id).client;
  if (!client || !control(id).keys.keyDown(*client, code, shift, repeat)) return;
  if (ControlSurfaceClient* after = control(id).client) after->keyPressed(character);
}

void FakePlatform::keyUp(ControlId id, std::int16_t code, std::int16_t shift) {
  if (ControlSurfaceClient* client = control(id).client) control(id).keys.keyUp(*client, code, shift);
}

void FakePlatform::holdKey(int keyCode, Duration span) {
  if (!focus_ || !control(*focus_).client) return;
  const ControlId held = *focus_;
  const auto key = static_cast<std::int16_t>(keyCode);
  const Duration end = now_ + span;
  keyDown(held, key, 0, false, key);
  for (Duration repeat = now_ + kKeyRepeatDelay; repeat < end; repeat += kKeyRepeatInterval) {
    advance(repeat - now_);
    keyDown(held, key, 0, true, key);
  }
  advance(end - now_);
  keyUp(held, key, 0);
}

}  // namespace quorvel
