#include "platform/fltk/fltk_colors.h"

#include <FL/Fl.H>

namespace quorvel {
namespace {

// The system colours that controls use, by their index, mapped to the toolkit's own roles.
Fl_Color systemColor(unsigned index) {
  switch (index) {
    case 5:  // window background
      return FL_BACKGROUND2_COLOR;
    case 15:  // button face
      return FL_BACKGROUND_COLOR;
    case 16:  // button shadow
      return FL_DARK3;
    case 17:  // gray (disabled) text
      return FL_INACTIVE_COLOR;
    case 20:  // button highlight
      return FL_WHITE;
    default:  // 8 window text, 18 button text and the other text colours
      return FL_FOREGROUND_COLOR;
  }
}

}  // namespace

Fl_Color toFlColor(Color color) {
  if (color & kSystemColorFlag) return systemColor(color & 0xFFu);
  const auto channel = [color](int shift) { return static_cast<uchar>((color >> shift) & 0xFFu); };
  return fl_rgb_color(channel(0), channel(8), channel(16));
}

}  // namespace quorvel
