// Headless backend for tests: a virtual monotonic clock, windows that are only an origin, a pointer,
// and records of every injected event and message box.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/fake/fake_control_surface.h"
#include "platform/shared/focus_tracker.h"
#include "platform/shared/held_keys.h"
#include "platform/shared/pointer_capture.h"
#include "platform/shared/stop_key.h"
#include "platform/platform.h"
#include "platform/shared/tick_loop.h"
#include "platform/shared/window_layout.h"

namespace quorvel {

class FakePlatform final : public Platform,
                           private TickWakeUp,
                           private CaptureGrab,
                           private LayoutHost,
                           private StopKeyGrab {
 public:
  struct InjectedEvent {
    Duration time;
    Point position;  // pointer position when the event was injected
    InputRecord record;
    int batch;  // events injected by one sendInput call share a batch number
  };
  struct ShownMessage {
    Duration time;
    std::string text;
    std::string title;
    MessageIcon icon;
  };


  // Clock: runs every tick due up to now + step, in deadline order. Each handler starts `lateness`
  // after its deadline (or after the previous handler, if that is later).
  void advance(Duration step);
  Duration now() const override { return now_; }
  void setHandlerLateness(Duration lateness) { lateness_ = lateness; }

  // Pixels between a window's outer top-left corner and its client origin (frame and title bar).
  static constexpr Point kFrameOffset{4, 26};
  WindowHandle addWindow(Point clientOrigin);
  void setClientOrigin(WindowHandle window, Point clientOrigin);
  // The window's screen changes to another resolution: the window is laid out again there.
  void setWindowDpi(WindowHandle window, int dpi) { relayWindow(*this, window, dpi, false); }
  bool windowShown(WindowHandle window) const { return windows_.at(index(window)).shown; }

  // The user at the controls. Each raises the handlers a real toolkit would.
  void chooseItem(ControlId combo, int index);         // pick a list item
  // Key by key, within the typing limit; on an owner-drawn control, each letter or digit as its key down
  // (Shift for a capital), character and key up.
  void typeText(ControlId control, std::string_view text);
  // A key that inserts nothing (Enter); on an owner-drawn control, its key down, press and up.
  void pressKey(ControlId control, int keyAscii);
  // Button or check box; on an owner-drawn control, the pointer moves in, presses and releases.
  void click(ControlId control);
  // The pointer moves onto an owner-drawn control and off it again.
  void hover(ControlId control);
  void leave(ControlId control);
  std::optional<ControlId> controlWithTabIndex(WindowHandle window, int tabIndex) const;
  // Focus to the next (previous) control of the focused control's window in tab order. A text box
  // reached this way has its text selected, so typing replaces it.
  void pressTab(bool backwards = false);
  std::optional<ControlId> focus() const { return focus_; }
  // The keyboard goes to another program's window, and comes back to `window`; a window is minimised
  // or restored.
  void activateOtherProgram();
  void activateWindow(WindowHandle window);
  void minimiseWindow(WindowHandle window, bool minimised);
  std::vector<ControlId> controlsOf(WindowHandle window) const override;
  const WindowSpec& windowSpecOf(WindowHandle window) const override { return windows_.at(index(window)).spec; }
  Point cursor() const { return cursor_; }
  const std::vector<InjectedEvent>& injected() const { return injected_; }
  const std::vector<ShownMessage>& messages() const { return messages_; }

  // The user's pointer, routed as a window system routes it: a move or a press goes to the owner-drawn
  // control under the pointer, or to the one holding the capture; the control pressed gets the release.
  // The second press of a pair on one control within half a second comes as a double click.
  void movePointer(Point screen);
  void pressLeft();
  void releaseLeft();
  // Down in the focused combo box: the next item is chosen.
  void pressDown();
  // Holds a key on the focused owner-drawn control for `span`: a key-down now and at every repeat of the
  // keyboard, one key-up at the end.
  void holdKey(int keyCode, Duration span);
  // The user reads every message box for `span` before closing it; timers tick meanwhile.
  void setMessageBoxReadingTime(Duration span) { readingTime_ = span; }
  // A handler that takes `span` to run.
  void stall(Duration span) { now_ += span; }

  // The user presses the stop key, wherever the keyboard is; another program holds that key, or lets
  // it go.
  void pressStopKey() { stopKey_.pressed(); }
  void holdStopKeyElsewhere(bool held) { stopKeyElsewhere_ = held; }
  bool stopKeyTaken() const { return stopKey_.taken(); }

  // Paints every owner-drawn control that asked for it, as a window system does when it is idle.
  void paintPending();

  std::optional<std::string> startupProblem() const override { return std::nullopt; }
  WindowHandle createWindow(const WindowSpec& spec) override;
  void moveWindow(WindowHandle window, TwipsPoint outerTopLeft) override;
  TwipsPoint windowPosition(WindowHandle window) const override;
  int windowDpi(WindowHandle window) const override { return windows_.at(index(window)).dpi; }
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
  TimerId createTimer(Duration interval, std::function<void()> onTick) override;
  void setTimerEnabled(TimerId timer, bool enabled) override;
  bool timerEnabled(TimerId timer) const override;
  Point clientToScreen(WindowHandle window, Point client) const override;
  void setCursorPos(Point screen) override;
  std::uint32_t sendInput(std::span<const InputRecord> records) override;
  void messageBox(std::string_view text, std::string_view title, MessageIcon icon) override;
  bool takeStopKey(std::function<void()> onPressed) override { return stopKey_.take(std::move(onPressed)); }
  void giveBackStopKey() override { stopKey_.giveBack(); }

 private:
  struct Window {
    WindowSpec spec;
    TwipsPoint position;
    Point clientOrigin;
    PixelRect client;
    int dpi = kBaseDpi;
    bool shown = false;
  };
  struct Control {
    WindowHandle window;
    ControlSpec spec;
    PixelRect area;  // in the window's client area
    ControlHandlers handlers;
    std::string text;
    int listIndex = -1;
    int checkValue = 0;
    bool textSelected = false;
    ControlSurfaceClient* client = nullptr;  // owner-drawn controls only
    FakeControlSurface* surface = nullptr;
    HeldKeys keys;
  };
  template <typename Handle>
  static std::size_t index(Handle handle) {
    return static_cast<std::size_t>(handle);
  }
  Control& control(ControlId id) { return controls_.at(index(id)); }
  void replaceText(Control& c, std::string text);
  void moveFocus(std::optional<ControlId> to);
  // The control's place on the screen, in pixels.
  PixelRect screenRect(ControlId id) const;
  static bool inClientArea(const Window& w, Point screen);
  std::optional<ControlId> pointerTarget() const;
  void typeKeys(ControlId id, std::string_view text);
  // One key on an owner-drawn control, as the keyboard sends it.
  void keyDown(ControlId id, std::int16_t code, std::int16_t shift, bool repeat, std::int16_t character);
  void keyUp(ControlId id, std::int16_t code, std::int16_t shift);
  void deliverPointer(ControlId id, const std::function<void(ControlSurfaceClient&, float, float)>& deliver);

  // The wake-up the tick loop asked for: what advance() runs to.
  void wakeAt(std::optional<Duration> deadline) override { wakeUp_ = deadline; }
  bool waitForSoonDeadline(Duration) override { return false; }
  void grabPointer(ControlId id) override;
  void letPointerGo(ControlId id) override;
  const ControlSpec& placementOf(ControlId id) const override { return controls_.at(index(id)).spec; }
  void setLayoutDpi(WindowHandle window, int dpi) override { windows_.at(index(window)).dpi = dpi; }
  void sizeClientArea(WindowHandle window, PixelRect area) override { windows_.at(index(window)).client = area; }
  void placeControl(ControlId id, PixelRect area, int) override { control(id).area = area; }
  bool grabStopKey() override { return !stopKeyElsewhere_; }
  void releaseStopKey() override {}

  TickLoop ticks_{*this};
  std::optional<Duration> wakeUp_;
  Duration now_{};
  Duration lateness_{};
  std::vector<Window> windows_;
  std::vector<Control> controls_;
  std::optional<ControlId> focus_;
  FocusTracker focusTracker_;
  PointerCapture capture_{*this};
  StopKey stopKey_{*this};
  bool stopKeyElsewhere_ = false;
  Point cursor_;
  std::vector<InjectedEvent> injected_;
  int batches_ = 0;
  Duration readingTime_{};
  std::optional<ControlId> pressed_;  // gets the release
  std::optional<ControlId> lastPressed_;
  Duration lastPressTime_{};
  bool pairOpen_ = false;  // the last press was the first of a pair
  std::vector<ShownMessage> messages_;
};

}  // namespace quorvel
