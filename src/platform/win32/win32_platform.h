// The Windows desktop backend: native windows and controls through the Unicode API, clicks through
// SendInput, timers on the performance counter. No system header leaks out of platform/win32/.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/shared/focus_tracker.h"
#include "platform/shared/pointer_capture.h"
#include "platform/shared/stop_key.h"
#include "platform/shared/tick_loop.h"
#include "platform/shared/window_layout.h"
#include "platform/win32/win32_fonts.h"

namespace quorvel {

class SurfaceWindow;

class Win32Platform final : public Platform,
                            private TickWakeUp,
                            private CaptureGrab,
                            private LayoutHost,
                            private StopKeyGrab {
 public:
  Win32Platform();
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  std::optional<std::string> startupProblem() const override { return std::nullopt; }

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

  // What the event loop does with a message before dispatching it: Tab and the dialog keys. True when
  // the message has been handled. For loops of others that run the program's windows (tests).
  bool handleDialogKeys(MSG& message);

 private:
  struct WindowRecord {
    HWND hwnd = nullptr;
    WindowSpec spec;
    int dpi = kBaseDpi;
    bool open = true;
    bool minimised = false;
  };
  struct ControlRecord {
    WindowHandle window{};
    ControlSpec spec;
    ControlHandlers handlers;
    HWND hwnd = nullptr;  // nothing once a surface has gone
    SurfaceWindow* surface = nullptr;
    int listIndex = -1;        // combo boxes: the item the user or nobody picked
    bool pickPending = false;  // combo boxes: chosen in the open list, raised when it closes
  };

  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK timerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR platform);
  LRESULT handleWindowMessage(WindowHandle handle, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleEditMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void handleCommand(ControlId id, UINT code);

  WindowRecord& window(WindowHandle handle);
  const WindowRecord& window(WindowHandle handle) const;
  ControlRecord& control(ControlId id);
  const ControlRecord& control(ControlId id) const;
  std::optional<ControlId> controlOf(HWND hwnd) const;
  std::optional<WindowHandle> windowOf(HWND hwnd) const;

  // Layout: where the controls are, and putting them at the pixels the shared layout works out.
  const WindowSpec& windowSpecOf(WindowHandle handle) const override;
  std::vector<ControlId> controlsOf(WindowHandle handle) const override;
  const ControlSpec& placementOf(ControlId id) const override;
  void setLayoutDpi(WindowHandle handle, int dpi) override;
  void sizeClientArea(WindowHandle handle, PixelRect area) override;
  void placeControl(ControlId id, PixelRect area, int dpi) override;
  void placeNewControl(ControlId id);
  void fitLabel(ControlRecord& c);
  static void raiseAboveFrames(HWND hwnd);
  // The window is on a screen of `dpi` now; the system may have given it its new outer rectangle.
  void resolutionChanged(WindowHandle handle, int dpi, const RECT* suggested);
  bool activated(WindowHandle handle, WPARAM wParam);
  void minimised(WindowHandle handle, bool minimised);

  void pickComboItem(ControlId id);
  // Moves the focus from the control with it to the next one of the window in tab order.
  void moveFocus(WindowHandle handle, bool backwards);
  // The control's host window has gone, or its control has: the record lets go of it.
  void forgetSurface(ControlId id, const SurfaceWindow* host);

  // Timers: one SetTimer for the earliest deadline on the performance counter.
  Duration now() const override;
  void wakeAt(std::optional<Duration> deadline) override;
  bool waitForSoonDeadline(Duration deadline) override;

  // The system's capture, as the shared capture says.
  void grabPointer(ControlId id) override;
  void letPointerGo(ControlId id) override;
  void holdFastClock(bool hold);

  // The stop key: a hot key of the message window.
  bool grabStopKey() override;
  void releaseStopKey() override;
  void hotKeyPressed(WPARAM id);

  HINSTANCE instance_ = nullptr;
  HWND timerWindow_ = nullptr;
  HWND toolTip_ = nullptr;
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER epoch_{};
  bool fastClock_ = false;
  bool settingText_ = false;  // the program is changing a text: the control's notification is not the user's
  TickLoop ticks_{*this};
  FontCatalog fonts_;
  FocusTracker focusTracker_;
  PointerCapture capture_{*this};
  StopKey stopKey_{*this};
  std::vector<WindowRecord> windows_;
  std::vector<ControlRecord> controls_;

  friend class SurfaceWindow;
  friend class Win32ControlSurface;
};

}  // namespace quorvel
