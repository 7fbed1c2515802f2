#include "platform/win32/win32_platform.h"

#include <commctrl.h>

#include <cstdlib>

#include "platform/backend.h"
#include "platform/win32/win32_classes.h"

namespace quorvel {

Win32Platform::Win32Platform() : instance_(GetModuleHandleW(nullptr)) {
  QueryPerformanceFrequency(&frequency_);
  QueryPerformanceCounter(&epoch_);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  registerWindowClasses(instance_, windowProc);
  // Receives the one timer of the program and its hot key; modal loops dispatch its messages like any
  // other.
  messageWindow_ =
      CreateWindowExW(0, kMessageWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, this);
}

Win32Platform::~Win32Platform() {
  holdFastClock(false);
  giveBackStopKey();
  if (messageWindow_) DestroyWindow(messageWindow_);
  if (toolTip_) DestroyWindow(toolTip_);
  for (const NativeWindow& w : windows_) {
    if (w.hwnd) DestroyWindow(w.hwnd);
  }
}

LRESULT CALLBACK Win32Platform::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* platform = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return platform ? platform->dispatch(hwnd, message, wParam, lParam)
                  : DefWindowProcW(hwnd, message, wParam, lParam);
}

// Messages that come while a window is being made, before its handle is kept, get the default handling.
LRESULT Win32Platform::dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd == messageWindow_) return handleTimerMessage(message, wParam, lParam);
  if (const auto handle = windowOf(hwnd)) return handleWindowMessage(*handle, message, wParam, lParam);
  if (const auto id = controlOf(hwnd); id && hwndOf(*id) == hwnd)
    return handleSurfaceMessage(*id, hwnd, message, wParam, lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::optional<ControlId> Win32Platform::controlOf(HWND hwnd) const {
  for (int depth = 0; hwnd && depth < 2; ++depth, hwnd = GetParent(hwnd)) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
      if (controls_[i] == hwnd) return static_cast<ControlId>(i);
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

int Win32Platform::desktopDpi() const { return dpiOf(nullptr); }

std::unique_ptr<Platform> createPlatform() { return std::make_unique<Win32Platform>(); }

}  // namespace quorvel

// NOTE: the runtime's default handler for an escaped exception prints the exception's demangled type
// name to a console this program does not have, and the demangler alone is a tenth of the executable.
// Defined here, in a file every build links, so the runtime's own is never pulled in.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
