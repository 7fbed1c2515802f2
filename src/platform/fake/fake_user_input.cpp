// The user's pointer and keys on the fake backend, reported where a window system reports them.
#include <algorithm>
#include <chrono>
#include <utility>

#include "base/utf.h"
#include "platform/fake/fake_platform.h"

namespace quorvel {
namespace {

constexpr Duration kKeyRepeatDelay = std::chrono::milliseconds(500);
constexpr Duration kKeyRepeatInterval = std::chrono::milliseconds(33);

bool contains(const PixelRect& r, Point p) {
  return p.x >= r.left && p.y >= r.top && p.x < r.left + r.width && p.y < r.top + r.height;
}

}  // namespace

PixelRect FakePlatform::screenRect(ControlId id) const {
  const PixelRect& area = controls_.at(static_cast<std::size_t>(id)).area;
  const Point origin = native(record(id).window).clientOrigin;
  return PixelRect{origin.x + area.left, origin.y + area.top, area.width, area.height};
}

PixelPoint FakePlatform::relative(ControlId id, Point screen) const {
  const PixelRect r = screenRect(id);
  return PixelPoint{screen.x - r.left, screen.y - r.top};
}

// The pressed control, else the capture holder, else the topmost control under the pointer that takes
// input (an enabled owner-drawn control, a text box, combo box, check box or button) and is not cut off
// by its window's edge.
std::optional<ControlId> FakePlatform::pointerTarget() const {
  if (pressed_) return pressed_;
  if (const auto holder = captureHolder(); holder && ownerDrawn(*holder)) return holder;
  for (std::size_t i = controlCount(); i-- > 0;) {
    const auto id = static_cast<ControlId>(i);
    const ControlRecord& c = record(id);
    const bool takesInput = c.surface
                                ? c.surface->enabled && c.surface->client
                                : c.spec.kind != ControlKind::frame && c.spec.kind != ControlKind::label;
    const NativeWindow& w = native(c.window);
    const PixelRect client{w.clientOrigin.x + w.client.left, w.clientOrigin.y + w.client.top, w.client.width,
                           w.client.height};
    if (takesInput && record(c.window).shown && contains(client, cursor_) &&
        contains(screenRect(id), cursor_))
      return id;
  }
  return std::nullopt;
}

void FakePlatform::movePointer(Point screen) {
  cursor_ = screen;
  const auto target = pointerTarget();
  if (target && ownerDrawn(*target)) pointerMoved(*target, relative(*target, cursor_), pressed_ ? 1 : 0, 0);
}

// A plain control acts on the release; an owner-drawn one hears the press, paired into double clicks by
// the model.
void FakePlatform::pressLeft() {
  pressed_ = pointerTarget();
  if (pressed_ && ownerDrawn(*pressed_)) pointerPressed(*pressed_, relative(*pressed_, cursor_), 1, 0, 0);
}

void FakePlatform::releaseLeft() {
  const auto target = std::exchange(pressed_, std::nullopt);
  if (!target) return;
  if (ownerDrawn(*target)) {
    pointerReleased(*target, relative(*target, cursor_), 1, 0, true);
  } else if (pointerTarget() == target) {
    click(*target);
  }
}

void FakePlatform::click(ControlId id) {
  if (ownerDrawn(id)) {
    const PixelRect r = screenRect(id);
    const PixelPoint middle{r.width / 2, r.height / 2};
    // One click as the system counts it, however close to another.
    pointerMoved(id, middle, 0, 0);
    pointerPressed(id, middle, 1, 0, 1);
    pointerReleased(id, middle, 1, 0, true);
    return;
  }
  if (record(id).spec.tabIndex >= 0) giveNativeFocus(id, false);
  clicked(id);
}

void FakePlatform::hover(ControlId id) {
  const PixelRect r = screenRect(id);
  pointerMoved(id, PixelPoint{r.width / 2, r.height / 2}, 0, 0);
}

void FakePlatform::leave(ControlId id) { pointerMoved(id, PixelPoint{screenRect(id).width + 20, -20}, 0, 0); }

void FakePlatform::chooseItem(ControlId combo, int index) { itemPicked(combo, index); }

void FakePlatform::pressDown() {
  const auto id = focus();
  if (id && record(*id).spec.kind == ControlKind::comboBox) itemPicked(*id, record(*id).listIndex + 1);
}

void FakePlatform::typeText(ControlId id, std::string_view text) {
  giveNativeFocus(id, native(id).textSelected);
  if (ownerDrawn(id)) {
    typeKeys(id, text);
  } else {
    typeCharacters(id, text);
  }
}

// Each character goes through the key press handler, which may change or swallow it, and stops at the
// typing limit; a selected text is replaced by the first.
void FakePlatform::typeCharacters(ControlId id, std::string_view text) {
  for (const char32_t typed : codePoints(text)) {
    int key = static_cast<int>(typed);
    keyTyped(id, key);
    if (key == 0) continue;
    NativeControl& c = native(id);
    const std::string kept = c.textSelected ? std::string() : c.text;
    const auto limit = static_cast<std::size_t>(std::max(record(id).spec.maxLength, 0));
    if (limit > 0 && characterCount(kept) >= limit) continue;
    c.textSelected = false;
    c.text = kept + toUtf8(static_cast<char32_t>(key));
    textEdited(id);
  }
}

void FakePlatform::typeKeys(ControlId id, std::string_view text) {
  for (const char c : text) {
    const bool capital = c >= 'A' && c <= 'Z';
    const int code = capital || (c >= '0' && c <= '9') ? c : c >= 'a' && c <= 'z' ? c - 32 : 0;
    if (code == 0) continue;
    keyStroke(id, code, capital ? 1 : 0, false, c);
    keyWentUp(id, code, capital ? 1 : 0);
  }
}

void FakePlatform::keyStroke(ControlId id, int code, int shift, bool repeat, int character) {
  if (keyWentDown(id, code, shift, repeat)) characterTyped(id, character);
}

void FakePlatform::pressKey(ControlId id, int keyAscii) {
  giveNativeFocus(id, false);
  if (!ownerDrawn(id)) {
    keyTyped(id, keyAscii);
    return;
  }
  keyStroke(id, keyAscii, 0, false, keyAscii);
  keyWentUp(id, keyAscii, 0);
}

void FakePlatform::holdKey(int keyCode, Duration span) {
  const auto held = focus();
  if (!held || !ownerDrawn(*held)) return;
  const Duration end = now_ + span;
  keyStroke(*held, keyCode, 0, false, keyCode);
  for (Duration repeat = now_ + kKeyRepeatDelay; repeat < end; repeat += kKeyRepeatInterval) {
    advance(repeat - now_);
    keyStroke(*held, keyCode, 0, true, keyCode);
  }
  advance(end - now_);
  keyWentUp(*held, keyCode, 0);
}

}  // namespace quorvel
