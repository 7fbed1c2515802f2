// The Windows desktop backend: native windows and controls through the Unicode API, clicks through
// SendInput, timers on the performance counter. The shared model keeps the records and decides; this port
// keeps the native handles and reports what the system says. No system header leaks out of platform/win32/.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/shared/desktop.h"
#include "platform/win32/win32_fonts.h"

namespace quorvel {

class Win32Platform final : public Desktop {
 public:
  Win32Platform();
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  std::optional<std::string> startupProblem() const override { return std::nullopt; }
  Point clientToScreen(WindowHandle window, Point client) const override;
  void setCursorPos(Point screen) override;
  std::uint32_t sendInput(std::span<const InputRecord> records) override;
  void moveWindow(WindowHandle window, TwipsPoint outerTopLeft) override;
  TwipsPoint windowPosition(WindowHandle window) const override;
  void runEventLoop() override;
  void messageBox(std::string_view text, std::string_view title, MessageIcon icon) override;

  // What the event loop does with a message before dispatching it: Tab and the dialog keys. True when
  // the message has been handled. For loops of others that run the program's windows (tests).
  bool handleDialogKeys(MSG& message);

 private:
  struct NativeWindow {
    HWND hwnd = nullptr;  // nothing once destroyed
    bool minimised = false;
  };

  // One procedure for the program's windows, its owner-drawn controls and its message window.
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR platform);
  LRESULT dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleWindowMessage(WindowHandle handle, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleTimerMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleEditMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT colorControl(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
  void handleCommand(ControlId id, UINT code);
  void pickComboItem(ControlId id);
  bool activated(WindowHandle handle, WPARAM wParam);
  void minimised(WindowHandle handle, bool minimised);
  void windowDestroyed(WindowHandle handle);

  // Owner-drawn controls: the system's messages reported to the model, and their paint.
  LRESULT handleSurfaceMessage(ControlId id, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool surfacePointer(ControlId id, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void pointerLeft(ControlId id, HWND hwnd);
  void paintSurface(ControlId id, HWND hwnd);
  void surfaceDestroyed(ControlId id, HWND hwnd);

  HWND hwndOf(WindowHandle handle) const { return windows_.at(static_cast<std::size_t>(handle)).hwnd; }
  HWND hwndOf(ControlId id) const { return controls_.at(static_cast<std::size_t>(id)); }
  // The control a system window belongs to: the control itself, or the edit part inside a combo box.
  std::optional<ControlId> controlOf(HWND hwnd) const;
  std::optional<WindowHandle> windowOf(HWND hwnd) const;
  void fitLabel(HWND label);

  // The port.
  int desktopDpi() const override;
  void makeNativeWindow(WindowHandle window) override;
  void showNativeWindow(WindowHandle window, bool first) override;
  void sizeNativeClientArea(WindowHandle window, PixelRect area) override;
  void makeNativeControl(ControlId control, PixelRect area) override;
  void placeNative(ControlId control, PixelRect area, int dpi) override;
  std::string nativeText(ControlId control) const override;
  void setNativeText(ControlId control, std::string_view text) override;
  void showCheckValue(ControlId checkBox, int value) override;
  bool nativeFocusable(ControlId control) const override;
  bool giveNativeFocus(ControlId control, bool byTab) override;
  void enableNative(ControlId surface, bool enabled) override;
  void setNativeToolTip(ControlId surface, std::string_view text) override;
  void repaintNative(ControlId surface) override;
  void dropNativeSurface(ControlId surface) override;
  TwipsSize measureNativeText(std::string_view text, const CaptionFont& font, double wrapWidth,
                              int dpi) const override;

  // Timers: one SetTimer for the earliest deadline on the performance counter.
  Duration now() const override;
  void wakeAt(std::optional<Duration> deadline) override;
  bool waitForSoonDeadline(Duration deadline) override;
  void holdFastClock(bool hold);

  // The system's capture, as the shared capture says.
  void grabPointer(ControlId id) override;
  void letPointerGo(ControlId id) override;

  // The stop key: a hot key of the message window.
  bool grabStopKey() override;
  void releaseStopKey() override;

  HINSTANCE instance_ = nullptr;
  HWND messageWindow_ = nullptr;
  HWND toolTip_ = nullptr;
  HWND leaveTracked_ = nullptr;  // the control the system reports the pointer leaving of
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER epoch_{};
  bool fastClock_ = false;
  std::optional<ControlId> pickOnClose_;  // the combo box whose open list has an item highlighted
  mutable FontCatalog fonts_;             // a cache of the system's fonts, filled as they are asked for
  std::vector<NativeWindow> windows_;
  std::vector<HWND> controls_;  // nothing once an owner-drawn control's window has gone
};

// The mouse buttons held now, as MK_ flags.
WPARAM mouseButtonsDown();

}  // namespace quorvel
