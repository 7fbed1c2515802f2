// A top-level window of the program. Escape does not close it, unlike FLTK's default; the title bar's
// close button does.
#pragma once

#include <FL/Fl_Double_Window.H>

#include "platform/fltk/fltk_focus_keys.h"

namespace quorvel {

class TopWindow : public Fl_Double_Window, public FocusKeys {
 public:
  TopWindow(int w, int h, const char* caption);

  int handle(int event) override;

 private:
  static void closeRequested(Fl_Widget* widget, void*);
};

}  // namespace quorvel
