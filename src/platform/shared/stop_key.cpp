#include "platform/shared/stop_key.h"

#include <utility>

namespace quorvel {

bool StopKey::take(std::function<void()> onPressed) {
  if (!onPressed) return false;
  if (!taken() && !grab_.grabStopKey()) return false;
  onPressed_ = std::move(onPressed);
  return true;
}

void StopKey::giveBack() {
  if (!taken()) return;
  onPressed_ = nullptr;
  grab_.releaseStopKey();
}

// The handler may give the key back, which drops it: it runs from a copy.
void StopKey::pressed() {
  if (!taken()) return;
  const auto handler = onPressed_;
  handler();
}

}  // namespace quorvel
