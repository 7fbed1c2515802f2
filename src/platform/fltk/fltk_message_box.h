// A modal message box with an exclamation icon and one OK button. It runs its own event loop, so
// timers keep ticking while it is open.
#pragma once

#include <string_view>

#include "platform/fltk/fltk_fonts.h"

namespace quorvel {

// Returns when the user has closed the box, by its button, Enter, Space, Escape or the title bar. The box
// is laid out at the screen's `dpi`, its text in `font`.
void runMessageBox(std::string_view text, std::string_view title, ResolvedFont font, int dpi);

}  // namespace quorvel
