#include "platform/fltk/fltk_top_window.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include "platform/fltk/fltk_screen.h"

namespace quorvel {
namespace {

// NOTE: FLTK drops the focus whenever its window loses the keyboard, and when the window gets it back
// it walks its groups for a focusable child; frames are not focusable, so the walk ends on the wrong
// control. The control is remembered here, while FLTK still has it, and given back on return.
int rememberOnFocusOut(void* event, void*) {
  const auto& e = *static_cast<const XEvent*>(event);
  if (e.type != FocusOut || e.xfocus.detail == NotifyInferior) return 0;
  auto* window = dynamic_cast<TopWindow*>(fl_find(e.xfocus.window));
  if (window && Fl::focus() && window->contains(Fl::focus()) && window->onKeyboardLost)
    window->onKeyboardLost(Fl::focus());
  return 0;
}

}  // namespace

TopWindow::TopWindow(int w, int h, const char* caption) : Fl_Double_Window(w, h) {
  copy_label(caption);
  xclass("quorvel");
  callback(closeRequested);
  end();
  static const bool installed = (Fl::add_system_handler(rememberOnFocusOut, nullptr), true);
  static_cast<void>(installed);
}

void TopWindow::closeRequested(Fl_Widget* widget, void*) {
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  widget->hide();
}

int TopWindow::handle(int event) {
  // Reached when no control has the focus: the window's own arrival of the focus.
  if (event == FL_FOCUS && !contains(Fl::focus()) && onKeyboardBack && onKeyboardBack()) return 1;
  // A window manager unmaps a window it minimises, and maps it again when it is restored.
  if ((event == FL_HIDE || event == FL_SHOW) && onMinimised) onMinimised(event == FL_HIDE);
  return Fl_Double_Window::handle(event);
}

void TopWindow::show() {
  Fl_Double_Window::show();
  setUtf8Title(*this);
}

}  // namespace quorvel
