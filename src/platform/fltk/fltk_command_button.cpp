#include "platform/fltk/fltk_command_button.h"

#include <FL/Fl.H>

namespace quorvel {

CommandButton::CommandButton(int x, int y, int w, int h) : Fl_Button(x, y, w, h) {}

int CommandButton::handle(int event) {
  const bool enter = event == FL_KEYBOARD && Fl::focus() == this &&
                     (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter) &&
                     !(Fl::event_state() & (FL_SHIFT | FL_CTRL | FL_ALT | FL_META));
  if (!enter) return Fl_Button::handle(event);
  do_callback();
  return 1;
}

}  // namespace quorvel
