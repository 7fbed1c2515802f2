#include "platform/fltk/fltk_focus_keys.h"

#include <FL/Fl.H>

namespace quorvel {

bool FocusKeys::passTab(int event) const {
  if (event != FL_KEYBOARD || Fl::event_key() != FL_Tab || !onTab) return false;
  if (Fl::event_state() & (FL_CTRL | FL_ALT | FL_META)) return false;
  onTab((Fl::event_state() & FL_SHIFT) != 0);
  return true;
}

}  // namespace quorvel
