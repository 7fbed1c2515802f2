// The widget of an owner-drawn control on FLTK: it reports the control's pointer, keyboard and focus
// events to the model and paints what the model says the control shows. The window owns the widget.
#pragma once

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>

#include "platform/control_surface.h"

namespace quorvel {

class FltkPlatform;

class SurfaceWidget final : public Fl_Widget {
 public:
  SurfaceWidget(FltkPlatform& platform, ControlId id, PixelRect area);

  // The capture's part of the program's event dispatch: hands the event on to FLTK.
  static int dispatchPointer(FltkPlatform& platform, int event, Fl_Window* window);

  int handle(int event) override;
  void draw() override;
  // Sized from outside: the model hears of the new size.
  void resize(int x, int y, int w, int h) override;
  // Puts the widget where the model placed it, at the size the model keeps; that is not reported back.
  void place(PixelRect area);

 private:
  // The pointer relative to this widget, from an event that went to `window`, or to none when the
  // pointer left the program's windows.
  PixelPoint pointerFrom(const Fl_Window* window) const;
  void deliverMove(PixelPoint at);
  int handlePointer(int event);
  int handleKey(int event);

  FltkPlatform& platform_;
  ControlId id_;
  bool quietResize_ = false;
};

}  // namespace quorvel
