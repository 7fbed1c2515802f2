#include "platform/fltk/fltk_top_window.h"

#include <FL/Fl.H>

namespace quorvel {

TopWindow::TopWindow(int w, int h, const char* caption) : Fl_Double_Window(w, h) {
  copy_label(caption);
  xclass("quorvel");
  callback(closeRequested);
  end();
}

void TopWindow::closeRequested(Fl_Widget* widget, void*) {
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  widget->hide();
}

// Reached when no control has the focus: Tab then starts the tab order.
int TopWindow::handle(int event) {
  if (passTab(event)) return 1;
  return Fl_Double_Window::handle(event);
}

}  // namespace quorvel
