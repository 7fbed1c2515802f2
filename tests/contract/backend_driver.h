// A backend under test and a user in front of it. Each backend's driver does with its own means what
// a person would do: type, press Tab, move the pointer, close a message box, let time pass.
#pragma once

#include <functional>
#include <string_view>

#include "platform/platform.h"

namespace quorvel::contract {

// `stop`: the stop key, F8, pressed wherever the keyboard is.
enum class Key { tab, down, space, stop };

class BackendDriver {
 public:
  virtual ~BackendDriver() = default;
  virtual Platform& platform() = 0;

  // The backend's clock, and time passing on it with events and timers handled meanwhile.
  virtual Duration now() = 0;
  virtual void wait(Duration span) = 0;
  // Waits until `done` holds or `limit` has passed.
  void waitUntil(const std::function<bool()>& done, Duration limit) {
    const Duration end = now() + limit;
    while (!done() && now() < end) wait(std::chrono::milliseconds(10));
  }
  // A handler that takes `span` to run.
  virtual void stall(Duration span) = 0;
  // Lets the window system deliver what is pending.
  virtual void settle() = 0;
  // From now on the user closes every message box `after` it opened.
  virtual void closeMessageBoxesAfter(Duration after) = 0;

  // Keys go to the control with the focus.
  void press(Key key, bool shift = false) { sendKey(key, shift); }
  virtual void sendKey(Key key, bool shift) = 0;
  // Held for `span`, with the keyboard's repeat.
  virtual void hold(Key key, Duration span) = 0;
  virtual void type(std::string_view text) = 0;
  // The keyboard goes to a window of another program, or back to one of the backend's windows; a
  // window is minimised or restored, as its title bar's buttons do it.
  virtual void activateOtherProgram() = 0;
  virtual void activate(WindowHandle window) = 0;
  virtual void minimise(WindowHandle window, bool minimised) = 0;
  // Another program takes the stop key for itself, if it can, or gives it back.
  virtual bool takeStopKeyElsewhere() = 0;
  virtual void giveBackStopKeyElsewhere() = 0;
  // The window's screen goes to `dpi`, as when the user moves it to another screen or changes the
  // scaling; returns the resolution the backend lays the window out at from then on.
  virtual int changeResolution(WindowHandle window, int dpi) = 0;
  // The pointer, at a point given relative to a window's client area.
  virtual void movePointer(WindowHandle window, Point client) = 0;
  virtual void leftButton(bool down) = 0;
  void click(WindowHandle window, Point client) {
    movePointer(window, client);
    leftButton(true);
    leftButton(false);
  }
};

}  // namespace quorvel::contract
