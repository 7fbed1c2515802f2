// The resolution a desktop on X asks its programs to draw at: the Xft.dpi line of the resources it keeps
// on the root window (RESOURCE_MANAGER), "Xft.dpi:\t192" at 200 % scaling. X itself has no such
// setting that programs follow, so this line is what GNOME, KDE and Xfce write when the user scales.
#pragma once

#include <optional>
#include <string_view>

namespace quorvel {

// The dots per inch the resources name, rounded to whole ones; nothing when they name none, or a value
// that is no number or lies outside what any desktop offers. A later line overrides an earlier one.
std::optional<int> desktopDpi(std::string_view resources);

}  // namespace quorvel
