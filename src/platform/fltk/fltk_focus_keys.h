// Tab and Shift+Tab are not left to FLTK's own navigation, which follows the order of children in
// their groups: every focusable control hands them to the backend, which follows the tab order.
#pragma once

#include <functional>

namespace quorvel {

class FocusKeys {
 public:
  std::function<void(bool backwards)> onTab;

 protected:
  // True when the event was a Tab key and has been passed on.
  bool passTab(int event) const;
};

}  // namespace quorvel
