// The stop key as every backend holds it: the handler of whoever took it, the key taken from the system
// exactly while there is one, and a press reported by the system reaching that handler alone.
#pragma once

#include <functional>

namespace quorvel {

// The system's part: a global key taken from the other programs and given back.
class StopKeyGrab {
 public:
  virtual ~StopKeyGrab() = default;
  virtual bool grabStopKey() = 0;
  virtual void releaseStopKey() = 0;
};

class StopKey {
 public:
  explicit StopKey(StopKeyGrab& grab) : grab_(grab) {}
  StopKey(const StopKey&) = delete;
  StopKey& operator=(const StopKey&) = delete;

  bool take(std::function<void()> onPressed);
  void giveBack();
  // The system saw the key go down while it was taken.
  void pressed();
  bool taken() const { return static_cast<bool>(onPressed_); }

 private:
  StopKeyGrab& grab_;
  std::function<void()> onPressed_;
};

}  // namespace quorvel
