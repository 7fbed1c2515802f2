#include "platform/shared/focus_tracker.h"

#include <algorithm>

namespace quorvel {

FocusTracker::State& FocusTracker::state(WindowHandle window) {
  const auto at =
      std::find_if(windows_.begin(), windows_.end(), [window](const State& s) { return s.window == window; });
  if (at != windows_.end()) return *at;
  windows_.push_back(State{window, std::nullopt, false});
  return windows_.back();
}

void FocusTracker::focused(WindowHandle window, ControlId control) { state(window).control = control; }

void FocusTracker::deactivated(WindowHandle window, std::optional<ControlId> hadFocus) {
  if (hadFocus) state(window).control = hadFocus;
}

void FocusTracker::minimised(WindowHandle window, bool minimised) { state(window).minimised = minimised; }

std::optional<ControlId> FocusTracker::activated(WindowHandle window) const {
  const auto at =
      std::find_if(windows_.begin(), windows_.end(), [window](const State& s) { return s.window == window; });
  if (at == windows_.end() || at->minimised) return std::nullopt;
  return at->control;
}

}  // namespace quorvel
