// A push button raising its click on release, on Space and on Enter while it has the focus.
#pragma once

#include <FL/Fl_Button.H>


namespace quorvel {

class CommandButton : public Fl_Button {
 public:
  CommandButton(int x, int y, int w, int h);

  int handle(int event) override;
};

}  // namespace quorvel
