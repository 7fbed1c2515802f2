// Headless backend for tests: a port of the shared model like the others, on a virtual monotonic clock,
// with windows that are only an origin, a pointer, and records of every injected event and message box.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/shared/desktop.h"

namespace quorvel {

class FakePlatform final : public Desktop {
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
  // A handler that takes `span` to run.
  void stall(Duration span) { now_ += span; }

  // Pixels between a window's outer top-left corner and its client origin (frame and title bar).
  static constexpr Point kFrameOffset{4, 26};
  // A window of another program, which is only an origin.
  WindowHandle addWindow(Point clientOrigin);
  void setClientOrigin(WindowHandle window, Point clientOrigin);
  // The window's screen changes to another resolution: the window is laid out again there.
  void setWindowDpi(WindowHandle window, int dpi) { resolutionChanged(window, dpi, false); }
  bool windowShown(WindowHandle window) const { return record(window).shown; }

  // The user at the controls, reported as a window system reports it.
  void chooseItem(ControlId combo, int index);  // pick a list item
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
  // Focus to the next (previous) control of the focused control's window in tab order. A text box
  // reached this way has its text selected, so typing replaces it.
  void pressTab(bool backwards = false);
  // The keyboard goes to another program's window, and comes back to `window`; a window is minimised
  // or restored.
  void activateOtherProgram();
  void activateWindow(WindowHandle window);
  void minimiseWindow(WindowHandle window, bool minimised);
  // The user's pointer, routed as a window system routes it: a move or a press goes to the owner-drawn
  // control under the pointer, or to the one holding the capture; the control pressed gets the release.
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
  // The user presses the stop key, wherever the keyboard is; another program holds that key, or lets
  // it go.
  void pressStopKey() { stopKeyPressed(); }
  void holdStopKeyElsewhere(bool held) { stopKeyElsewhere_ = held; }
  // Paints every owner-drawn control that asked for it, as a window system does when it is idle.
  void paintPending();

  Point cursor() const { return cursor_; }
  const std::vector<InjectedEvent>& injected() const { return injected_; }
  const std::vector<ShownMessage>& messages() const { return messages_; }

  std::optional<std::string> startupProblem() const override { return std::nullopt; }
  Point clientToScreen(WindowHandle window, Point client) const override;
  void setCursorPos(Point screen) override { cursor_ = screen; }
  std::uint32_t sendInput(std::span<const InputRecord> records) override;
  void moveWindow(WindowHandle window, TwipsPoint outerTopLeft) override;
  TwipsPoint windowPosition(WindowHandle window) const override { return native(window).position; }
  void runEventLoop() override {}
  void messageBox(std::string_view text, std::string_view title, MessageIcon icon) override;

 private:
  struct NativeWindow {
    TwipsPoint position;
    Point clientOrigin;
    PixelRect client;
  };
  struct NativeControl {
    PixelRect area;    // in the window's client area
    std::string text;  // text and combo boxes
    bool textSelected = false;
    bool repaintPending = false;
  };

  NativeWindow& native(WindowHandle window) { return windows_.at(static_cast<std::size_t>(window)); }
  const NativeWindow& native(WindowHandle window) const {
    return windows_.at(static_cast<std::size_t>(window));
  }
  NativeControl& native(ControlId id) { return controls_.at(static_cast<std::size_t>(id)); }
  bool ownerDrawn(ControlId id) const { return record(id).surface.has_value(); }
  // The control's place on the screen, and a point of the screen relative to its corner.
  PixelRect screenRect(ControlId id) const;
  PixelPoint relative(ControlId id, Point screen) const;
  std::optional<ControlId> pointerTarget() const;
  void typeKeys(ControlId id, std::string_view text);
  void typeCharacters(ControlId id, std::string_view text);
  // One key on an owner-drawn control, as the keyboard sends it.
  void keyStroke(ControlId id, int code, int shift, bool repeat, int character);

  // The port.
  int desktopDpi() const override { return kBaseDpi; }
  void makeNativeWindow(WindowHandle window) override;
  void showNativeWindow(WindowHandle, bool) override {}
  void sizeNativeClientArea(WindowHandle window, PixelRect area) override { native(window).client = area; }
  void makeNativeControl(ControlId id, PixelRect area) override;
  void placeNative(ControlId id, PixelRect area, int) override { native(id).area = area; }
  std::string nativeText(ControlId id) const override {
    return controls_.at(static_cast<std::size_t>(id)).text;
  }
  void setNativeText(ControlId id, std::string_view text) override { native(id).text = text; }
  // The model keeps every value a fake widget would show.
  void showCheckValue(ControlId, int) override {}
  bool nativeFocusable(ControlId) const override { return true; }
  bool giveNativeFocus(ControlId id, bool byTab) override;
  void enableNative(ControlId, bool) override {}
  void setNativeToolTip(ControlId, std::string_view) override {}
  void repaintNative(ControlId id) override { native(id).repaintPending = true; }
  void dropNativeSurface(ControlId) override {}
  TwipsSize measureNativeText(std::string_view text, const CaptionFont& font, double wrapWidth,
                              int) const override;
  // The wake-up the tick loop asked for: what advance() runs to.
  void wakeAt(std::optional<Duration> deadline) override { wakeUp_ = deadline; }
  bool waitForSoonDeadline(Duration) override { return false; }
  // There is no system grab: the fake routes the pointer by the model's capture holder.
  void grabPointer(ControlId) override {}
  void letPointerGo(ControlId) override {}
  bool grabStopKey() override { return !stopKeyElsewhere_; }
  void releaseStopKey() override {}

  std::vector<NativeWindow> windows_;
  std::vector<NativeControl> controls_;
  std::optional<Duration> wakeUp_;
  Duration now_{};
  Duration lateness_{};
  bool stopKeyElsewhere_ = false;
  Point cursor_;
  std::optional<ControlId> pressed_;  // gets the release
  std::vector<InjectedEvent> injected_;
  int batches_ = 0;
  Duration readingTime_{};
  std::vector<ShownMessage> messages_;
};

}  // namespace quorvel
