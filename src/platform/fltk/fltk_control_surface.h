// The host of an owner-drawn control on FLTK: a widget that hands the control its pointer, keyboard and
// focus events and paints its paint list, and the surface object through which the control asks things
// of its host. The window owns the widget; the control's owner owns the surface object, and either may
// go first.
#pragma once

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>

#include <functional>

#include "platform/control_surface.h"
#include "platform/fltk/fltk_focus_keys.h"
#include "platform/fltk/fltk_fonts.h"
#include "platform/shared/held_keys.h"
#include "platform/shared/pointer_capture.h"

namespace quorvel {

class SurfaceWidget final : public Fl_Widget, public FocusKeys {
 public:
  // At (x, y) of its window, `w` x `h` pixels at 96 dpi, drawn at the screen's `dpi`.
  SurfaceWidget(int x, int y, int w, int h, int dpi, ControlSurfaceClient& client, FontCatalog& fonts,
                PointerCapture& capture, ControlId id);
  ~SurfaceWidget() override;
  SurfaceWidget(const SurfaceWidget&) = delete;
  SurfaceWidget& operator=(const SurfaceWidget&) = delete;

  int handle(int event) override;
  void draw() override;
  void resize(int x, int y, int w, int h) override;

  // The control's size in pixels at 96 dpi, its own unit, and the resolution it is drawn at.
  int width() const { return width_; }
  int height() const { return height_; }
  int dpi() const { return dpi_; }
  // A size the control sets itself, in pixels at 96 dpi, which it is not told about.
  void setSizeQuietly(int w, int h);
  // Puts the corner at (x, y) of the window, the size scaled to the screen's `dpi`.
  void place(int x, int y, int dpi);
  // Cuts the widget off from a control that is going away; it delivers and paints nothing more.
  void detach();
  // While captured, the widget sees every pointer move over the program's windows, also outside it.
  void setCapture();
  void releaseCapture();
  // Disabled or going away: the capture ends.
  void loseCapture();

  FontCatalog& fonts() const { return fonts_; }

 private:
  static int dispatchPointer(int event, Fl_Window* window);
  // The pointer relative to this widget, from an event that went to `window`, or to none when the
  // pointer left the program's windows.
  void pointerFrom(const Fl_Window* window, int& x, int& y) const;
  void deliverMove(int x, int y);
  float twips(int pixels) const;
  int handlePointer(int event);
  int handleKey(int event);
  int handleFocus(int event);

  ControlSurfaceClient* client_;  // nothing once detached
  FontCatalog& fonts_;
  PointerCapture& capture_;
  ControlId id_;
  int width_;
  int height_;
  int dpi_;
  HeldKeys keys_;
  bool quietResize_ = false;
  bool shown_ = false;
};

class FltkControlSurface final : public ControlSurface {
 public:
  // `focus` gives the widget the focus through the window's tab order; `forget` takes the widget out of
  // it when the surface goes while the window stays.
  FltkControlSurface(SurfaceWidget& widget, CaptionFont ambientFont, std::function<void()> focus,
                     std::function<void()> forget);
  ~FltkControlSurface() override;
  FltkControlSurface(const FltkControlSurface&) = delete;
  FltkControlSurface& operator=(const FltkControlSurface&) = delete;

  TwipsSize size() const override;
  void setSize(TwipsSize size) override;
  bool enabled() const override;
  void setEnabled(bool enabled) override;
  void requestFocus() override;
  void setCapture() override;
  void releaseCapture() override;
  void setToolTip(std::string_view text) override;
  TwipsSize measureText(std::string_view text, const CaptionFont& font, double wrapWidth) const override;
  CaptionFont ambientFont() const override { return ambientFont_; }
  // Stored property sets are written only by a form designer, and this host has none.
  void propertyChanged(std::string_view) override {}
  void requestRepaint() override;

 private:
  // The widget, or nothing once its window has deleted it.
  SurfaceWidget* widget() const { return tracker_.deleted() ? nullptr : widget_; }

  SurfaceWidget* widget_;
  mutable Fl_Widget_Tracker tracker_;  // asking it changes nothing, but FLTK does not say so
  FontCatalog& fonts_;
  CaptionFont ambientFont_;
  std::function<void()> focus_;
  std::function<void()> forget_;
};

}  // namespace quorvel
