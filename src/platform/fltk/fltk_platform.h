// The Linux desktop backend: FLTK 1.3 windows and controls on X11, pointer placement and clicks through
// the XTEST extension, timers on the monotonic clock. The shared model keeps the records and decides;
// this port keeps the widgets and reports what X and FLTK did. No toolkit header leaks out of this one.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/fltk/fltk_fonts.h"
#include "platform/shared/desktop.h"

class Fl_Widget;
class Fl_Window;

namespace quorvel {

class TopWindow;
class TextField;

class FltkPlatform final : public Desktop {
 public:
  // Connects to the X display named by DISPLAY.
  FltkPlatform();
  ~FltkPlatform() override;

  // No display, or no XTEST extension.
  std::optional<std::string> startupProblem() const override { return startupProblem_; }
  Point clientToScreen(WindowHandle window, Point client) const override;
  void setCursorPos(Point screen) override;
  std::uint32_t sendInput(std::span<const InputRecord> records) override;
  void moveWindow(WindowHandle window, TwipsPoint outerTopLeft) override;
  TwipsPoint windowPosition(WindowHandle window) const override;
  void runEventLoop() override;
  void messageBox(std::string_view text, std::string_view title, MessageIcon icon) override;

 private:
  // The owner-drawn controls' widgets report their input straight to the model.
  friend class SurfaceWidget;

  struct NativeWindow {
    std::unique_ptr<TopWindow> widget;
    Point outerTopLeft;  // pixels; where the frame goes when the window is shown
  };

  // Windows (fltk_window.cpp): each is a TopWindow, placed by its frame's corner.
  int desktopDpi() const override { return dpi_; }
  void makeNativeWindow(WindowHandle window) override;
  void showNativeWindow(WindowHandle window, bool first) override;
  void sizeNativeClientArea(WindowHandle window, PixelRect area) override;
  const NativeWindow& native(WindowHandle window) const {
    return windows_.at(static_cast<std::size_t>(window));
  }
  TopWindow& topWindow(WindowHandle window) const { return *native(window).widget; }
  void placeShownWindow(WindowHandle window);
  // Every event of the program passes here before FLTK hands it to a widget.
  static int dispatchEvent(int event, Fl_Window* window);
  bool dialogKey(int event, const Fl_Window* window);
  // The screens or the desktop's scaling have changed: each window is laid out again, at the resolution
  // the desktop asks for.
  void followScreens(bool follow);
  static int screenEvent(int event);
  static int rootEvent(void* event, void*);
  void screensChanged();

  // Controls (fltk_controls.cpp): each control's widget, the one that takes its keyboard (a combo box's
  // text part), its text part.
  Fl_Widget* widget(ControlId control) const { return widgets_.at(static_cast<std::size_t>(control)); }
  Fl_Widget* focusTarget(ControlId control) const;
  TextField* fieldOf(ControlId control) const;
  std::optional<ControlId> controlOf(const Fl_Widget* widget) const;
  void makeNativeControl(ControlId control, PixelRect area) override;
  void connectEvents(ControlId control);
  static void widgetCallback(Fl_Widget* widget, void* platform);
  void placeNative(ControlId control, PixelRect area, int dpi) override;
  // The control's text in its font at `dpi`, and what is sized by that font or that resolution.
  void fitToResolution(ControlId control, int dpi);
  std::string nativeText(ControlId control) const override;
  void setNativeText(ControlId control, std::string_view text) override;
  void showCheckValue(ControlId checkBox, int value) override;
  bool nativeFocusable(ControlId control) const override;
  bool giveNativeFocus(ControlId control, bool byTab) override;
  // Owner-drawn controls: their widgets report to the model themselves.
  void enableNative(ControlId surface, bool enabled) override;
  void setNativeToolTip(ControlId surface, std::string_view text) override;
  void repaintNative(ControlId surface) override;
  void dropNativeSurface(ControlId surface) override;
  TwipsSize measureNativeText(std::string_view text, const CaptionFont& font, double wrapWidth,
                              int dpi) const override;
  // NOTE: there is nothing to grab on X: the surface widget's dispatch hands the holder the moves of
  // every window of the program, and the leaving of them all.
  void grabPointer(ControlId) override {}
  void letPointerGo(ControlId) override {}

  // Timers: one kernel timer, always at the earliest deadline.
  Duration now() const override;
  void wakeAt(std::optional<Duration> deadline) override;
  // The kernel timer wakes the loop on time, however soon.
  bool waitForSoonDeadline(Duration) override { return false; }
  void openTickTimer();
  void closeTickTimer();
  static void timeoutExpired(int fd, void* platform);
  // The stop key: F8 grabbed on the root window, and its presses seen before the toolkit sees them.
  bool grabStopKey() override;
  void releaseStopKey() override;
  static int stopKeyEvent(void* event, void* platform);

  // The platform FLTK's handlers serve, while the display is open: a process has one connection to it.
  static inline FltkPlatform* current_ = nullptr;
  std::optional<std::string> startupProblem_;
  bool displayOpen_ = false;
  int dpi_ = kBaseDpi;  // what the desktop asks for
  std::chrono::steady_clock::time_point epoch_;
  int tickTimer_ = -1;         // a timerfd
  mutable FontCatalog fonts_;  // a cache of the faces FLTK has been given
  unsigned stopKeyCode_ = 0;   // the grabbed key's code while it is grabbed
  std::vector<NativeWindow> windows_;
  // The widgets belong to their windows; an owner-drawn control's is nothing once it has gone.
  std::vector<Fl_Widget*> widgets_;
};

}  // namespace quorvel
