// A top-level window of the program. Escape does not close it, unlike FLTK's default; the title bar's
// close button does. It gives the focus back to the control that had it when it gets the focus again.
#pragma once

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>

#include <memory>

#include "platform/fltk/fltk_focus_keys.h"

namespace quorvel {

class TopWindow : public Fl_Double_Window, public FocusKeys {
 public:
  TopWindow(int w, int h, const char* caption);

  int handle(int event) override;
  void show() override;

  // The control that gets the focus when the window gets it back. Set whenever the window loses the
  // keyboard and by a message box, which takes the focus without the window losing it first.
  void rememberFocus(Fl_Widget* control);

 private:
  static void closeRequested(Fl_Widget* widget, void*);
  bool returnFocus();

  std::unique_ptr<Fl_Widget_Tracker> lastFocus_;
};

}  // namespace quorvel
