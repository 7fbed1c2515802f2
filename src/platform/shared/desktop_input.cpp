// The model's owner-drawn controls: the input the system reports, turned into what the control hears,
// and what the control asks of its host. Handlers may drop the control: nothing of a record is kept
// across a call into its client.
#include <algorithm>
#include <chrono>
#include <cmath>

#include "platform/shared/desktop.h"

namespace quorvel {
namespace {

constexpr Duration kDoubleClickTime = std::chrono::milliseconds(500);

std::int16_t word(int value) { return static_cast<std::int16_t>(value); }

}  // namespace

ControlSurfaceClient* Desktop::clientOf(ControlId id) const {
  const auto& s = record(id).surface;
  return s && s->native ? s->client : nullptr;
}

std::optional<PaintList> Desktop::paintListOf(ControlId id) const {
  if (const ControlSurfaceClient* client = clientOf(id)) return client->paintList();
  return std::nullopt;
}

float Desktop::twips(ControlId id, int pixels) const {
  return static_cast<float>(pixelsToTwips(pixels, record(record(id).window).dpi));
}

void Desktop::focusGained(ControlId id) {
  // Some systems offer the focus again to the control that has it: it hears of it once.
  if (focus_ == id) return;
  focus_ = id;
  if (ControlSurfaceClient* client = clientOf(id)) client->focusEntered();
}

void Desktop::focusLost(ControlId id) {
  if (focus_ == id) focus_.reset();
  if (auto& s = writable(id).surface) s->keys.forget();
  if (ControlSurfaceClient* client = clientOf(id)) client->focusLeft();
}

void Desktop::pointerMoved(ControlId id, PixelPoint at, int buttons, int shift) {
  if (ControlSurfaceClient* client = clientOf(id))
    client->pointerMoved(word(buttons), word(shift), twips(id, at.x), twips(id, at.y));
}

// The second press of a pair on one control: the system's count where it keeps one, else two presses
// within the double-click time.
bool Desktop::secondOfPair(ControlId id, int clickCount) {
  if (clickCount > 0) return clickCount % 2 == 0;
  const Duration at = now();
  const bool second = pairOpen_ && lastPressed_ == id && at - lastPressTime_ <= kDoubleClickTime;
  pairOpen_ = !second;
  lastPressed_ = id;
  lastPressTime_ = at;
  return second;
}

void Desktop::pointerPressed(ControlId id, PixelPoint at, int button, int shift, int clickCount) {
  ControlSurfaceClient* client = clientOf(id);
  if (!client) return;
  const bool second = secondOfPair(id, clickCount);
  // The control pressed holds the pointer until the buttons are up, as the system's own grab does.
  capture_.buttonDown(id);
  if (second) {
    client->doubleClicked();
  } else {
    client->pointerPressed(word(button), word(shift), twips(id, at.x), twips(id, at.y));
  }
}

void Desktop::pointerReleased(ControlId id, PixelPoint at, int button, int shift, bool buttonsUp) {
  if (ControlSurfaceClient* client = clientOf(id))
    client->pointerReleased(word(button), word(shift), twips(id, at.x), twips(id, at.y));
  if (buttonsUp) capture_.buttonsUp(id);
}

bool Desktop::keyWentDown(ControlId id, int keyCode, int shift, bool repeat) {
  ControlSurfaceClient* client = clientOf(id);
  return client && writable(id).surface->keys.keyDown(*client, word(keyCode), word(shift), repeat);
}

void Desktop::keyWentUp(ControlId id, int keyCode, int shift) {
  if (ControlSurfaceClient* client = clientOf(id))
    writable(id).surface->keys.keyUp(*client, word(keyCode), word(shift));
}

// The characters a key types as the control knows them: ASCII only, after the key-down it heard.
void Desktop::characterTyped(ControlId id, int character) {
  ControlSurfaceClient* client = clientOf(id);
  if (client && writable(id).surface->keys.characterFollows() && character > 0 && character < 0x7F)
    client->keyPressed(word(character));
}

void Desktop::surfaceResized(ControlId id, int width, int height) {
  auto& s = writable(id).surface;
  if (!s || !clientOf(id)) return;
  const int dpi = record(record(id).window).dpi;
  s->width = std::max(1, static_cast<int>(std::lround(width * double{kBaseDpi} / dpi)));
  s->height = std::max(1, static_cast<int>(std::lround(height * double{kBaseDpi} / dpi)));
  s->client->surfaceResized();
}

void Desktop::nativeSurfaceGone(ControlId id) {
  auto& s = writable(id).surface;
  if (!s || !s->native) return;
  s->native = false;
  capture_.disabled(id);
  if (focus_ == id) focus_.reset();
}

void Desktop::setSurfaceSize(ControlId id, int width, int height) {
  auto& s = writable(id).surface;
  s->width = std::max(1, width);
  s->height = std::max(1, height);
  const int dpi = record(record(id).window).dpi;
  placeControl(id, controlArea(*this, record(id).spec, dpi), dpi);
}

// Disabling a control ends its capture, as on the system this control was made for.
void Desktop::enableSurface(ControlId id, bool enabled) {
  writable(id).surface->enabled = enabled;
  if (!enabled) capture_.disabled(id);
  enableNative(id, enabled);
}

// The control may be dropped from inside one of its own handlers: its widget goes once the event is over.
void Desktop::surfaceDropped(ControlId id) {
  auto& s = writable(id).surface;
  const bool native = s->native;
  s->client = nullptr;
  capture_.disabled(id);
  if (focus_ == id) focus_.reset();
  if (native) dropNativeSurface(id);
}

}  // namespace quorvel
