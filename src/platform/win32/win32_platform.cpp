#include "platform/win32/win32_platform.h"

#include <commctrl.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "platform/backend.h"
#include "platform/win32/win32_classes.h"

namespace quorvel {

Win32Platform::Win32Platform() : instance_(GetModuleHandleW(nullptr)) {
  QueryPerformanceFrequency(&frequency_);
  QueryPerformanceCounter(&epoch_);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  registerWindowClasses(instance_, windowProc, timerWindowProc);
  // Receives the one timer of the program and its hot key; modal loops dispatch its messages like any
  // other.
  timerWindow_ = CreateWindowExW(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, this);
}

Win32Platform::~Win32Platform() {
  holdFastClock(false);
  stopKey_.giveBack();
  if (timerWindow_) DestroyWindow(timerWindow_);
  if (toolTip_) DestroyWindow(toolTip_);
  for (WindowRecord& w : windows_) {
    if (w.open && IsWindow(w.hwnd)) DestroyWindow(w.hwnd);
  }
}

Win32Platform::WindowRecord& Win32Platform::window(WindowHandle handle) {
  return windows_.at(static_cast<std::size_t>(handle));
}

const Win32Platform::WindowRecord& Win32Platform::window(WindowHandle handle) const {
  return windows_.at(static_cast<std::size_t>(handle));
}

Win32Platform::ControlRecord& Win32Platform::control(ControlId id) {
  return controls_.at(static_cast<std::size_t>(id));
}

const Win32Platform::ControlRecord& Win32Platform::control(ControlId id) const {
  return controls_.at(static_cast<std::size_t>(id));
}

// The control a system window belongs to: the control itself, or the edit part inside a combo box.
std::optional<ControlId> Win32Platform::controlOf(HWND hwnd) const {
  for (int depth = 0; hwnd && depth < 2; ++depth, hwnd = GetParent(hwnd)) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
      if (controls_[i].hwnd == hwnd) return static_cast<ControlId>(i);
    }
  }
  return std::nullopt;
}

std::optional<WindowHandle> Win32Platform::windowOf(HWND hwnd) const {
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    if (hwnd && windows_[i].hwnd == hwnd) return static_cast<WindowHandle>(i);
  }
  return std::nullopt;
}

std::unique_ptr<Platform> createPlatform() { return std::make_unique<Win32Platform>(); }

}  // namespace quorvel

// NOTE: the runtime's default handler for an escaped exception prints the exception's demangled type
// name to a console this program does not have, and the demangler alone is a tenth of the executable.
// Defined here, in a file every build links, so the runtime's own is never pulled in.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
