// Keys as an owner-drawn control hears them, alike on every backend: a held key gives a key-down at the
// press and one at every repeat of the keyboard, each with the character it types, and one key-up when
// it is let go. A key that went down before the control had the keyboard is not the control's: neither
// its repeats nor its key-up reach it. Backends report each key message as their system sends it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/control_surface.h"

namespace quorvel {

class HeldKeys {
 public:
  // `repeat`: the system says the key was down already; a key this control holds counts as a repeat
  // whatever the system says. True when the control heard it: the character the key types follows.
  // The control may be gone by the time this returns.
  bool keyDown(ControlSurfaceClient& client, std::int16_t code, std::int16_t shift, bool repeat);
  // A character the system sends apart from its key-down: it goes where that key-down went.
  bool characterFollows() const { return lastDownDelivered_; }
  void keyUp(ControlSurfaceClient& client, std::int16_t code, std::int16_t shift);
  // The control lost the keyboard: the keys it held go up elsewhere.
  void forget();

 private:
  std::vector<std::int16_t> held_;
  bool lastDownDelivered_ = false;
};

}  // namespace quorvel
