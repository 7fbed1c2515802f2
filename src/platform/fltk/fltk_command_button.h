// A push button raising its click on release, on Space and on Enter while it has the focus.
#pragma once

#include <FL/Fl_Button.H>

#include <functional>

#include "platform/fltk/fltk_focus_keys.h"

namespace quorvel {

class CommandButton : public Fl_Button, public FocusKeys {
 public:
  CommandButton(int x, int y, int w, int h);

  std::function<void()> onClicked;

  int handle(int event) override;

 private:
  static void clicked(Fl_Widget* widget, void*);
};

}  // namespace quorvel
