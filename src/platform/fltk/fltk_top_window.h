// A top-level window of the program. Escape does not close it, unlike FLTK's default; the title bar's
// close button does. It reports losing and regaining the keyboard, and being minimised, to the program's
// focus tracking, which says which control gets the keyboard back.
#pragma once

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>

#include <functional>

namespace quorvel {

class TopWindow : public Fl_Double_Window {
 public:
  TopWindow(int w, int h, const char* caption);

  int handle(int event) override;
  void show() override;

  // The window lost the keyboard while `control` had it; also said by a message box, which takes the
  // focus without the window losing it first.
  std::function<void(Fl_Widget* control)> onKeyboardLost;
  // The window has the keyboard again and none of its controls has it: true when one took it.
  std::function<bool()> onKeyboardBack;
  std::function<void(bool minimised)> onMinimised;

 private:
  static void closeRequested(Fl_Widget* widget, void*);
};

}  // namespace quorvel
