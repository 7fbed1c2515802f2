#include "platform/shared/held_keys.h"

#include <algorithm>

namespace quorvel {

bool HeldKeys::keyDown(ControlSurfaceClient& client, std::int16_t code, std::int16_t shift, bool repeat) {
  const bool held = std::find(held_.begin(), held_.end(), code) != held_.end();
  lastDownDelivered_ = held || !repeat;
  if (!lastDownDelivered_) return false;
  if (!held) held_.push_back(code);
  client.keyDown(code, shift);
  return true;
}

void HeldKeys::keyUp(ControlSurfaceClient& client, std::int16_t code, std::int16_t shift) {
  const auto at = std::find(held_.begin(), held_.end(), code);
  if (at == held_.end()) return;
  held_.erase(at);
  client.keyUp(code, shift);
}

void HeldKeys::forget() {
  held_.clear();
  lastDownDelivered_ = false;
}

}  // namespace quorvel
