// The Linux desktop backend: FLTK 1.3 windows and controls on X11, pointer placement and clicks through
// the XTEST extension, timers on the monotonic clock. No toolkit header leaks out of this one.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/fltk/fltk_fonts.h"
#include "platform/shared/focus_tracker.h"
#include "platform/shared/pointer_capture.h"
#include "platform/shared/stop_key.h"
#include "platform/platform.h"
#include "platform/shared/tick_loop.h"
#include "platform/shared/window_layout.h"

class Fl_Group;
class Fl_Widget;

namespace quorvel {

class FltkPlatform final : public Platform,
                           private TickWakeUp,
                           private CaptureGrab,
                           private LayoutHost,
                           private StopKeyGrab {
 public:
  // Connects to the X display named by DISPLAY.
  FltkPlatform();
  ~FltkPlatform() override;
  FltkPlatform(const FltkPlatform&) = delete;
  FltkPlatform& operator=(const FltkPlatform&) = delete;

  // No display, or no XTEST extension.
  std::optional<std::string> startupProblem() const override { return startupProblem_; }

  TimerId createTimer(Duration interval, std::function<void()> onTick) override;
  void setTimerEnabled(TimerId timer, bool enabled) override;
  bool timerEnabled(TimerId timer) const override;

  Point clientToScreen(WindowHandle window, Point client) const override;
  void setCursorPos(Point screen) override;
  std::uint32_t sendInput(std::span<const InputRecord> records) override;

  WindowHandle createWindow(const WindowSpec& spec) override;
  void moveWindow(WindowHandle window, TwipsPoint outerTopLeft) override;
  TwipsPoint windowPosition(WindowHandle window) const override;
  int windowDpi(WindowHandle window) const override;
  void showWindow(WindowHandle window) override;
  ControlId createControl(WindowHandle window, const ControlSpec& spec) override;
  void setControlHandlers(ControlId control, ControlHandlers handlers) override;
  std::unique_ptr<ControlSurface> createControlSurface(WindowHandle window, const ControlSpec& placement,
                                                       ControlSurfaceClient& client) override;
  std::string controlText(ControlId control) const override;
  void setControlText(ControlId control, std::string_view text) override;
  int listIndex(ControlId combo) const override;
  int checkValue(ControlId checkBox) const override;
  void setCheckValue(ControlId checkBox, int value) override;
  void setFocus(ControlId control) override;
  void runEventLoop() override;

  void messageBox(std::string_view text, std::string_view title, MessageIcon icon) override;
  bool takeStopKey(std::function<void()> onPressed) override { return stopKey_.take(std::move(onPressed)); }
  void giveBackStopKey() override { stopKey_.giveBack(); }

 private:
  struct WindowRecord;
  struct ControlRecord;

  WindowRecord& window(WindowHandle handle);
  const WindowRecord& window(WindowHandle handle) const;
  // Where a control goes: its parent group and its rectangle in window pixels.
  struct Placement {
    Fl_Group* parent;
    int x, y, w, h;
  };
  Placement place(WindowHandle handle, const ControlSpec& spec);
  void makeWidget(ControlRecord& record, const Placement& at);
  // The control's text in its font at `dpi`, and what is sized by that font or that resolution.
  void fitToResolution(ControlRecord& record, int dpi);
  ControlRecord& control(ControlId id);
  const ControlRecord& control(ControlId id) const;

  // Timers: one kernel timer, always at the earliest deadline.
  Duration now() const override;
  void wakeAt(std::optional<Duration> deadline) override;
  bool waitForSoonDeadline(Duration deadline) override;
  void grabPointer(ControlId id) override;
  void letPointerGo(ControlId id) override;
  void openTickTimer();
  void closeTickTimer();
  static void timeoutExpired(int fd, void* platform);

  void connectEvents(ControlId id);
  // Moves the focus from `from` to the next control of its window in tab order.
  void moveFocus(WindowHandle window, std::optional<ControlId> from, bool backwards);
  void placeShownWindow(WindowRecord& record);
  // The screens or the desktop's scaling have changed: each window is laid out again, at the resolution
  // the desktop asks for. The toolkit says so to every platform that follows the screens; one process
  // has one.
  void followScreens(bool follow);
  static int screenEvent(int event);
  static int rootEvent(void* event, void*);
  void screensChanged();
  // Layout: where the controls are, and putting them at the pixels the shared layout works out.
  const WindowSpec& windowSpecOf(WindowHandle window) const override;
  std::vector<ControlId> controlsOf(WindowHandle window) const override;
  const ControlSpec& placementOf(ControlId id) const override;
  void setLayoutDpi(WindowHandle window, int dpi) override;
  void sizeClientArea(WindowHandle window, PixelRect area) override;
  void placeControl(ControlId id, PixelRect area, int dpi) override;
  // The stop key: F8 grabbed on the root window, and its presses seen before the toolkit sees them.
  bool grabStopKey() override;
  void releaseStopKey() override;
  static int stopKeyEvent(void* event, void* platform);
  // The window's reports to the focus tracker, and the control of a widget.
  void trackKeyboard(WindowHandle handle);
  std::optional<ControlId> controlOf(const Fl_Widget* widget) const;

  std::optional<std::string> startupProblem_;
  bool displayOpen_ = false;
  int dpi_ = kBaseDpi;  // what the desktop asks for
  std::chrono::steady_clock::time_point epoch_;
  int tickTimer_ = -1;  // a timerfd
  TickLoop ticks_{*this};
  FontCatalog fonts_;
  FocusTracker focusTracker_;
  PointerCapture capture_{*this};
  StopKey stopKey_{*this};
  unsigned stopKeyCode_ = 0;  // the grabbed key's code while it is grabbed
  std::vector<std::unique_ptr<WindowRecord>> windows_;
  std::vector<std::unique_ptr<ControlRecord>> controls_;
};

}  // namespace quorvel
