#include "platform/shared/tab_order.h"

#include <algorithm>
#include <vector>

namespace quorvel {

std::optional<ControlId> nextTabStop(std::span<const TabStop> stops, std::optional<ControlId> from,
                                     bool backwards) {
  std::vector<TabStop> order;
  for (const TabStop& stop : stops)
    if (stop.focusable && stop.tabIndex >= 0) order.push_back(stop);
  if (order.empty()) return std::nullopt;
  std::stable_sort(order.begin(), order.end(),
                   [](const TabStop& a, const TabStop& b) { return a.tabIndex < b.tabIndex; });

  // The place in the order of the control that has the focus, also when it cannot take it any more.
  std::optional<int> current;
  if (from) {
    const auto it =
        std::find_if(stops.begin(), stops.end(), [&](const TabStop& s) { return s.control == *from; });
    if (it != stops.end() && it->tabIndex >= 0) current = it->tabIndex;
  }
  if (!current) return backwards ? order.back().control : order.front().control;
  if (backwards) {
    const auto before =
        std::find_if(order.rbegin(), order.rend(), [&](const TabStop& s) { return s.tabIndex < *current; });
    return before != order.rend() ? before->control : order.back().control;
  }
  const auto after =
      std::find_if(order.begin(), order.end(), [&](const TabStop& s) { return s.tabIndex > *current; });
  return after != order.end() ? after->control : order.front().control;
}

}  // namespace quorvel
