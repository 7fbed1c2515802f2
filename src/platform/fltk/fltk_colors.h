// The program's colours (0x00BBGGRR, or a system colour by index) as FLTK colours.
#pragma once

#include <FL/Enumerations.H>

#include "platform/platform.h"

namespace quorvel {

Fl_Color toFlColor(Color color);

}  // namespace quorvel
