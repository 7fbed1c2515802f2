// Where Tab and Shift+Tab move the focus: to the next (previous) control of the same window in tab
// order, skipping controls that cannot take the focus now, round from the last to the first.
#pragma once

#include <optional>
#include <span>

#include "platform/platform.h"

namespace quorvel {

struct TabStop {
  ControlId control;
  int tabIndex = -1;       // -1: never takes the focus
  bool focusable = false;  // enabled and visible now
};

// `stops` are one window's controls, `from` the one with the focus (nothing: the window itself).
// Nothing when no control of the window can take the focus.
std::optional<ControlId> nextTabStop(std::span<const TabStop> stops, std::optional<ControlId> from,
                                     bool backwards);

}  // namespace quorvel
