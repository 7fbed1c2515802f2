// Which control gets the keyboard back when its window has it again, alike on every backend. Backends
// report what their system tells them; the tracker decides. A minimised window gives the keyboard to
// none of its controls: what the user typed then would go to a control nobody sees.
#pragma once

#include <optional>
#include <vector>

#include "platform/platform.h"

namespace quorvel {

class FocusTracker {
 public:
  // A control of the window has the focus, given by the program or by the user.
  void focused(WindowHandle window, ControlId control);
  // The window lost the keyboard; `hadFocus`: its control that had it, where the system still says.
  void deactivated(WindowHandle window, std::optional<ControlId> hadFocus);
  void minimised(WindowHandle window, bool minimised);
  // The window has the keyboard again, or is shown: the control to give it to.
  std::optional<ControlId> activated(WindowHandle window) const;

 private:
  struct State {
    WindowHandle window{};
    std::optional<ControlId> control;
    bool minimised = false;
  };
  State& state(WindowHandle window);

  std::vector<State> windows_;
};

}  // namespace quorvel
