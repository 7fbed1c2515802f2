// Top-level windows: creation at a client size in twips, placement by the outer frame's corner, their
// messages and the event loop.
#include <windows.h>

#include "platform/native_files/win32_text.h"
#include "platform/win32/win32_classes.h"
#include "platform/win32/win32_painter.h"
#include "platform/win32/win32_platform.h"

namespace quorvel {
namespace {

// NOTE: no WS_CLIPCHILDREN: a group box paints only its frame, and the window's own background shows
// through it.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Tab and the dialog keys work among the window's controls.
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

}  // namespace

LRESULT Win32Platform::handleWindowMessage(WindowHandle handle, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = hwndOf(handle);
  switch (message) {
    case WM_COMMAND:
      if (const auto id = controlOf(reinterpret_cast<HWND>(lParam)); id && lParam)
        handleCommand(*id, HIWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return colorControl(hwnd, message, wParam, lParam);
    case WM_ACTIVATE:
      if (activated(handle, wParam)) return 0;
      break;
    case WM_SIZE:
      if ((wParam == SIZE_MINIMIZED) != windows_[static_cast<std::size_t>(handle)].minimised)
        minimised(handle, wParam == SIZE_MINIMIZED);
      break;
    case WM_DPICHANGED: {
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      resolutionChanged(handle, LOWORD(wParam), true);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      windowDestroyed(handle);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Captions and texts in the control's own colour.
LRESULT Win32Platform::colorControl(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT brush = DefWindowProcW(parent, message, wParam, lParam);
  const auto id = controlOf(reinterpret_cast<HWND>(lParam));
  if (!id) return brush;
  SetTextColor(reinterpret_cast<HDC>(wParam), systemColor(record(*id).spec.foreColor));
  if (message == WM_CTLCOLOREDIT) return brush;
  SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void Win32Platform::windowDestroyed(WindowHandle handle) {
  windows_[static_cast<std::size_t>(handle)].hwnd = nullptr;
  for (const NativeWindow& w : windows_) {
    if (w.hwnd) return;
  }
  PostQuitMessage(0);
}

// Reports the window's activation; true when a control got the keyboard back.
bool Win32Platform::activated(WindowHandle handle, WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    keyboardLost(handle, controlOf(GetFocus()));
    return false;
  }
  windowMinimised(handle, HIWORD(wParam) != 0);
  return keyboardBack(handle);
}

// NOTE: Wine leaves the keyboard on a control of a window it minimises. It is taken away (a minimised
// window cannot take it itself) until the window is restored, when the control that had it gets it back.
void Win32Platform::minimised(WindowHandle handle, bool minimised) {
  windows_[static_cast<std::size_t>(handle)].minimised = minimised;
  if (minimised) {
    const auto id = controlOf(GetFocus());
    if (id && record(*id).window == handle) {
      keyboardLost(handle, id);
      SetFocus(nullptr);
    }
  }
  windowMinimised(handle, minimised);
  if (!minimised && GetActiveWindow() == hwndOf(handle)) keyboardBack(handle);
}

void Win32Platform::makeNativeWindow(WindowHandle handle) {
  windows_.resize(static_cast<std::size_t>(handle) + 1);
  const WindowRecord& w = record(handle);
  const PixelRect client = clientArea(w.spec, w.dpi);
  const RECT outer = outerRect(client.width, client.height, kWindowStyle, kWindowExStyle, w.dpi);
  const HWND hwnd =
      CreateWindowExW(kWindowExStyle, kMainWindowClass, wide(w.spec.caption).c_str(), kWindowStyle, 0, 0,
                      outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance_, this);
  windows_.back().hwnd = hwnd;
  // Created on the primary screen; laid out at the resolution of the screen it is really on.
  if (const int dpi = dpiOf(hwnd); dpi != w.dpi) {
    resolutionChanged(handle, dpi, false);
    InvalidateRect(hwnd, nullptr, TRUE);
  }
}

void Win32Platform::sizeNativeClientArea(WindowHandle handle, PixelRect area) {
  const RECT outer = outerRect(area.width, area.height, kWindowStyle, kWindowExStyle, record(handle).dpi);
  SetWindowPos(hwndOf(handle), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Platform::moveWindow(WindowHandle handle, TwipsPoint outerTopLeft) {
  const int dpi = record(handle).dpi;
  SetWindowPos(hwndOf(handle), nullptr, twipsToPixels(outerTopLeft.x, dpi),
               twipsToPixels(outerTopLeft.y, dpi), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TwipsPoint Win32Platform::windowPosition(WindowHandle handle) const {
  const int dpi = record(handle).dpi;
  RECT outer{};
  GetWindowRect(hwndOf(handle), &outer);
  return TwipsPoint{static_cast<float>(pixelsToTwips(outer.left, dpi)),
                    static_cast<float>(pixelsToTwips(outer.top, dpi))};
}

void Win32Platform::showNativeWindow(WindowHandle handle, bool) {
  const HWND hwnd = hwndOf(handle);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  SetForegroundWindow(hwnd);
}

// Tab is the model's: it follows the tab indexes, which the system's dialog manager does not know.
// Every other dialog key goes to the dialog manager, and the controls say which keys they want.
bool Win32Platform::handleDialogKeys(MSG& message) {
  const HWND root = GetAncestor(message.hwnd, GA_ROOT);
  const auto handle = windowOf(root);
  if (!handle) return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && !(GetKeyState(VK_CONTROL) & 0x8000)) {
    tabPressed(*handle, controlOf(GetFocus()), (GetKeyState(VK_SHIFT) & 0x8000) != 0);
    return true;
  }
  return IsDialogMessageW(root, &message) != FALSE;
}

void Win32Platform::runEventLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (handleDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace quorvel
