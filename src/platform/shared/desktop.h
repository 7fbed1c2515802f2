// The window and control model every backend shares, and the one seam through which a backend reports
// what the user or the system did. The records and every decision live here; a backend is a port that
// keeps its native handles and does only what needs the system.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/control_surface.h"
#include "platform/platform.h"
#include "platform/shared/focus_tracker.h"
#include "platform/shared/held_keys.h"
#include "platform/shared/painter.h"
#include "platform/shared/pointer_capture.h"
#include "platform/shared/stop_key.h"
#include "platform/shared/tick_loop.h"
#include "platform/shared/window_layout.h"

namespace quorvel {

// The model's records, outside the class so that they are complete types wherever it is.
struct DesktopWindow {
  WindowSpec spec;
  int dpi = kBaseDpi;
  bool shown = false;
};
// An owner-drawn control: what it is drawn for and its own size, in pixels at 96 dpi.
struct DesktopSurface {
  ControlSurfaceClient* client = nullptr;  // nothing once the control has gone
  bool native = true;                      // false once the system has destroyed the native widget
  int width = 1;
  int height = 1;
  bool enabled = true;
  HeldKeys keys;
};
struct DesktopControl {
  WindowHandle window{};
  ControlSpec spec;
  ControlHandlers handlers;
  std::string caption;  // frames, labels, buttons and check boxes show it
  int listIndex = -1;   // combo boxes: the item picked, -1 when typed text picks none
  int checkValue = 0;
  std::optional<DesktopSurface> surface;
};

class Desktop : public Platform,
                protected TickWakeUp,
                protected CaptureGrab,
                protected StopKeyGrab,
                private LayoutHost {
 public:
  using WindowRecord = DesktopWindow;
  using SurfaceRecord = DesktopSurface;
  using ControlRecord = DesktopControl;

  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  TimerId createTimer(Duration interval, std::function<void()> onTick) final;
  void setTimerEnabled(TimerId timer, bool enabled) final;
  bool timerEnabled(TimerId timer) const final;
  WindowHandle createWindow(const WindowSpec& spec) final;
  int windowDpi(WindowHandle window) const final { return record(window).dpi; }
  void showWindow(WindowHandle window) final;
  ControlId createControl(WindowHandle window, const ControlSpec& spec) final;
  void setControlHandlers(ControlId control, ControlHandlers handlers) final;
  std::unique_ptr<ControlSurface> createControlSurface(WindowHandle window, const ControlSpec& placement,
                                                       ControlSurfaceClient& client) final;
  std::string controlText(ControlId control) const final;
  void setControlText(ControlId control, std::string_view text) final;
  int listIndex(ControlId combo) const final { return record(combo).listIndex; }
  int checkValue(ControlId checkBox) const final { return record(checkBox).checkValue; }
  void setCheckValue(ControlId checkBox, int value) final;
  void setFocus(ControlId control) final;
  bool takeStopKey(std::function<void()> onPressed) final { return stopKey_.take(std::move(onPressed)); }
  void giveBackStopKey() final { stopKey_.giveBack(); }

  // The model, as the ports and the tests read it.
  const WindowRecord& record(WindowHandle window) const { return windows_.at(index(window)); }
  const ControlRecord& record(ControlId control) const { return controls_.at(index(control)); }
  std::size_t windowCount() const { return windows_.size(); }
  std::size_t controlCount() const { return controls_.size(); }
  std::vector<ControlId> controlsOf(WindowHandle window) const final;
  const WindowSpec& windowSpecOf(WindowHandle window) const final { return record(window).spec; }
  // The control that has the keyboard, as the system last reported it.
  std::optional<ControlId> focus() const { return focus_; }
  // What an owner-drawn control shows now; nothing once it has gone.
  std::optional<PaintList> paintListOf(ControlId control) const;
  bool stopKeyTaken() const { return stopKey_.taken(); }
  // The control of a window whose tab index is `tabIndex`, if any.
  std::optional<ControlId> controlWithTabIndex(WindowHandle window, int tabIndex) const;

 protected:
  Desktop() = default;
  ~Desktop() override = default;

  // Reports: what the user or the system did. Handlers may add controls or drop owner-drawn ones while
  // a report runs.
  void textEdited(ControlId control);               // the user changed a text box's or a combo box's text
  void itemPicked(ControlId combo, int item);       // the user chose an item; its text is put there here
  void clicked(ControlId control);                  // a button or a check box, by the user
  void keyTyped(ControlId control, int& keyAscii);  // before a text takes it; 0 swallows it
  void tabPressed(WindowHandle window, std::optional<ControlId> from, bool backwards);
  void focusGained(ControlId control);
  void focusLost(ControlId control);
  void keyboardLost(WindowHandle window, std::optional<ControlId> hadFocus);
  // The window has the keyboard again: true when a control of it took it back.
  bool keyboardBack(WindowHandle window);
  void windowMinimised(WindowHandle window, bool minimised);
  // The window's screen is at `dpi` now; `sized`: the system has already given it its new size.
  void resolutionChanged(WindowHandle window, int dpi, bool sized);
  void ticksDue() { ticks_.runDue(); }
  bool tickDue() { return ticks_.runOneDue(); }
  void stopKeyPressed() { stopKey_.pressed(); }
  // Owner-drawn controls. Points are pixels from the control's corner; buttons 1 left, 2 right,
  // 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt. `clickCount`: the system's count of quick presses at one
  // place (2 for the second), or 0 where the system counts none.
  void pointerMoved(ControlId control, PixelPoint at, int buttons, int shift);
  void pointerPressed(ControlId control, PixelPoint at, int button, int shift, int clickCount);
  void pointerReleased(ControlId control, PixelPoint at, int button, int shift, bool buttonsUp);
  // True when the control heard the key: the character it types follows.
  bool keyWentDown(ControlId control, int keyCode, int shift, bool repeat);
  void keyWentUp(ControlId control, int keyCode, int shift);
  void characterTyped(ControlId control, int character);
  // Sized from outside, in pixels at the window's resolution.
  void surfaceResized(ControlId control, int width, int height);
  // The system gave the pointer capture to a window of someone else.
  void captureTaken() { capture_.lost(); }
  std::optional<ControlId> captureHolder() const { return capture_.holder(); }
  // The system destroyed an owner-drawn control's native widget with its window.
  void nativeSurfaceGone(ControlId control);

  // The port: what needs the system.
  virtual int desktopDpi() const = 0;  // where a new window starts
  virtual void makeNativeWindow(WindowHandle window) = 0;
  virtual void showNativeWindow(WindowHandle window, bool first) = 0;
  virtual void sizeNativeClientArea(WindowHandle window, PixelRect area) = 0;
  // Makes the control's native widget at `area` of its window's client area, inside its container's.
  virtual void makeNativeControl(ControlId control, PixelRect area) = 0;
  // Puts it at `area`, its text in its font at `dpi`; a label sizes itself to its caption.
  virtual void placeNative(ControlId control, PixelRect area, int dpi) = 0;
  virtual std::string nativeText(ControlId control) const = 0;  // text and combo boxes
  // Shows `text`; a text or combo box does not report this change as an edit of the user's.
  virtual void setNativeText(ControlId control, std::string_view text) = 0;
  virtual void showCheckValue(ControlId checkBox, int value) = 0;
  virtual bool nativeFocusable(ControlId control) const = 0;  // enabled and visible now
  // True when it took the keyboard. `byTab`: a text it holds is selected, so typing replaces it.
  virtual bool giveNativeFocus(ControlId control, bool byTab) = 0;
  virtual void enableNative(ControlId surface, bool enabled) = 0;
  virtual void setNativeToolTip(ControlId surface, std::string_view text) = 0;
  virtual void repaintNative(ControlId surface) = 0;
  // The control has gone: its widget goes once the current event is over.
  virtual void dropNativeSurface(ControlId surface) = 0;
  // Twips, as ControlSurface::measureText gives them, for a window at `dpi`.
  virtual TwipsSize measureNativeText(std::string_view text, const CaptionFont& font, double wrapWidth,
                                      int dpi) const = 0;

 private:
  friend class HostedSurface;

  template <typename Handle>
  static std::size_t index(Handle handle) {
    return static_cast<std::size_t>(handle);
  }
  ControlRecord& writable(ControlId control) { return controls_.at(index(control)); }
  // The client of a live owner-drawn control.
  ControlSurfaceClient* clientOf(ControlId control) const;
  ControlId addControl(WindowHandle window, const ControlSpec& spec);
  void writeNativeText(ControlId control, std::string_view text);
  bool takesFocus(const ControlRecord& c) const;
  float twips(ControlId control, int pixels) const;
  bool secondOfPair(ControlId control, int clickCount);
  // HostedSurface's calls.
  void setSurfaceSize(ControlId control, int width, int height);
  void enableSurface(ControlId control, bool enabled);
  void surfaceDropped(ControlId control);

  // LayoutHost.
  const ControlSpec& placementOf(ControlId control) const final { return record(control).spec; }
  void setLayoutDpi(WindowHandle window, int dpi) final { windows_.at(index(window)).dpi = dpi; }
  void sizeClientArea(WindowHandle window, PixelRect area) final { sizeNativeClientArea(window, area); }
  void placeControl(ControlId control, PixelRect area, int dpi) final;

  std::deque<WindowRecord> windows_;
  std::deque<ControlRecord> controls_;
  std::optional<ControlId> focus_;
  bool writingText_ = false;  // the program is changing a text: the system's report is not the user's
  TickLoop ticks_{*this};
  FocusTracker focusTracker_;
  PointerCapture capture_{*this};
  StopKey stopKey_{*this};
  // The last press, for pairing presses into double clicks where the system counts none.
  std::optional<ControlId> lastPressed_;
  Duration lastPressTime_{};
  bool pairOpen_ = false;
};

}  // namespace quorvel
