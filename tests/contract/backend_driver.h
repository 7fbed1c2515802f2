// A backend under test and a user in front of it. Each backend's driver file defines these members with
// that backend's own means, doing what a person would do: type, press Tab, move the pointer, close a
// message box, let time pass.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "platform/platform.h"

namespace quorvel::contract {

// `stop`: the stop key, F8, pressed wherever the keyboard is.
enum class Key { tab, down, space, stop };

class BackendDriver {
 public:
  BackendDriver();
  ~BackendDriver();
  BackendDriver(const BackendDriver&) = delete;
  BackendDriver& operator=(const BackendDriver&) = delete;

  Platform& platform();

  // The backend's clock, and time passing on it with events and timers handled meanwhile.
  Duration now();
  void wait(Duration span);
  // Waits until `done` holds or `limit` has passed.
  void waitUntil(const std::function<bool()>& done, Duration limit) {
    const Duration end = now() + limit;
    while (!done() && now() < end) wait(std::chrono::milliseconds(10));
  }
  // A handler that takes `span` to run.
  void stall(Duration span);
  // Lets the window system deliver what is pending.
  void settle();
  // From now on the user closes every message box `after` it opened.
  void closeMessageBoxesAfter(Duration after);

  // Keys go to the control with the focus.
  void press(Key key, bool shift = false);
  // Held for `span`, with the keyboard's repeat.
  void hold(Key key, Duration span);
  void type(std::string_view text);
  // The keyboard goes to a window of another program, or back to one of the backend's windows; a
  // window is minimised or restored, as its title bar's buttons do it.
  void activateOtherProgram();
  void activate(WindowHandle window);
  void minimise(WindowHandle window, bool minimised);
  // Another program takes the stop key for itself, if it can, or gives it back.
  bool takeStopKeyElsewhere();
  void giveBackStopKeyElsewhere();
  // The window's screen goes to `dpi`, as when the user moves it to another screen or changes the
  // scaling; returns the resolution the backend lays the window out at from then on.
  int changeResolution(WindowHandle window, int dpi);
  // The pointer, at a point given relative to a window's client area.
  void movePointer(WindowHandle window, Point client);
  void leftButton(bool down);
  void click(WindowHandle window, Point client) {
    movePointer(window, client);
    leftButton(true);
    leftButton(false);
  }

 private:
  struct Backend;  // what the backend's driver keeps between calls
  std::unique_ptr<Backend> backend_;
};

}  // namespace quorvel::contract
