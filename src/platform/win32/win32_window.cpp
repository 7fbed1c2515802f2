// Top-level windows: creation at a client size in twips, placement by the outer frame's corner, the
// resolution they are laid out at, their messages and the event loop.
#include <windows.h>

#include <windowsx.h>

#include "platform/win32/win32_classes.h"
#include "platform/win32/win32_control_surface.h"
#include "platform/win32/win32_painter.h"
#include "platform/win32/win32_platform.h"
#include "platform/native_files/win32_text.h"

namespace quorvel {
namespace {

// NOTE: no WS_CLIPCHILDREN: a group box paints only its frame, and the window's own background shows
// through it.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Tab and the dialog keys work among the window's controls.
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

}  // namespace

LRESULT CALLBACK Win32Platform::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* platform = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (platform) {
    if (const auto handle = platform->windowOf(hwnd)) return platform->handleWindowMessage(*handle, message, wParam, lParam);
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Win32Platform::handleWindowMessage(WindowHandle handle, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = window(handle).hwnd;
  switch (message) {
    case WM_COMMAND:
      if (const auto id = controlOf(reinterpret_cast<HWND>(lParam)); id && lParam) handleCommand(*id, HIWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: {
      // Captions and texts in the control's own colour.
      const LRESULT brush = DefWindowProcW(hwnd, message, wParam, lParam);
      if (const auto id = controlOf(reinterpret_cast<HWND>(lParam))) {
        SetTextColor(reinterpret_cast<HDC>(wParam), systemColor(control(*id).spec.foreColor));
        if (message != WM_CTLCOLOREDIT) {
          SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
          return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
      }
      return brush;
    }
    case WM_ACTIVATE:
      if (activated(handle, wParam)) return 0;
      break;
    case WM_SIZE:
      if ((wParam == SIZE_MINIMIZED) != window(handle).minimised) minimised(handle, wParam == SIZE_MINIMIZED);
      break;
    case WM_DPICHANGED:
      resolutionChanged(handle, LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY: {
      window(handle).open = false;
      bool anyOpen = false;
      for (const WindowRecord& w : windows_) anyOpen = anyOpen || w.open;
      if (!anyOpen) PostQuitMessage(0);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Reports the window's activation to the focus tracking; true when a control got the keyboard back.
bool Win32Platform::activated(WindowHandle handle, WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    const auto id = controlOf(GetFocus());
    focusTracker_.deactivated(handle, id && control(*id).window == handle ? id : std::nullopt);
    return false;
  }
  focusTracker_.minimised(handle, HIWORD(wParam) != 0);
  const auto id = focusTracker_.activated(handle);
  if (!id || !control(*id).hwnd) return false;
  SetFocus(control(*id).hwnd);
  return true;
}

// NOTE: Wine leaves the keyboard on a control of a window it minimises. It is taken away (a minimised
// window cannot take it itself) until the window is restored, when the control that had it gets it back.
void Win32Platform::minimised(WindowHandle handle, bool minimised) {
  WindowRecord& record = window(handle);
  record.minimised = minimised;
  if (minimised) {
    const auto id = controlOf(GetFocus());
    if (id && control(*id).window == handle) {
      focusTracker_.deactivated(handle, id);
      SetFocus(nullptr);
    }
    focusTracker_.minimised(handle, true);
    return;
  }
  focusTracker_.minimised(handle, false);
  const auto id = focusTracker_.activated(handle);
  if (id && control(*id).hwnd && GetActiveWindow() == record.hwnd) SetFocus(control(*id).hwnd);
}

WindowHandle Win32Platform::createWindow(const WindowSpec& spec) {
  const auto handle = static_cast<WindowHandle>(windows_.size());
  windows_.push_back(WindowRecord{nullptr, spec, dpiOf(nullptr), true, false});
  const PixelRect client = clientArea(spec, window(handle).dpi);
  const RECT outer = outerRect(client.width, client.height, kWindowStyle, kWindowExStyle, window(handle).dpi);
  const HWND hwnd = CreateWindowExW(kWindowExStyle, kMainWindowClass, wide(spec.caption).c_str(), kWindowStyle, 0, 0,
                                    outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance_, this);
  window(handle).hwnd = hwnd;
  // Created on the primary screen; laid out at the resolution of the screen it is really on.
  if (const int dpi = dpiOf(hwnd); dpi != window(handle).dpi) resolutionChanged(handle, dpi, nullptr);
  return handle;
}

void Win32Platform::resolutionChanged(WindowHandle handle, int dpi, const RECT* suggested) {
  const WindowRecord& record = window(handle);
  if (suggested) {
    SetWindowPos(record.hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  relayWindow(*this, handle, dpi, suggested != nullptr);
  InvalidateRect(record.hwnd, nullptr, TRUE);
}

const WindowSpec& Win32Platform::windowSpecOf(WindowHandle handle) const { return window(handle).spec; }

void Win32Platform::setLayoutDpi(WindowHandle handle, int dpi) { window(handle).dpi = dpi; }

void Win32Platform::sizeClientArea(WindowHandle handle, PixelRect area) {
  const WindowRecord& record = window(handle);
  const RECT outer = outerRect(area.width, area.height, kWindowStyle, kWindowExStyle, record.dpi);
  SetWindowPos(record.hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Platform::moveWindow(WindowHandle handle, TwipsPoint outerTopLeft) {
  const WindowRecord& record = window(handle);
  SetWindowPos(record.hwnd, nullptr, twipsToPixels(outerTopLeft.x, record.dpi), twipsToPixels(outerTopLeft.y, record.dpi), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TwipsPoint Win32Platform::windowPosition(WindowHandle handle) const {
  const WindowRecord& record = window(handle);
  RECT outer{};
  GetWindowRect(record.hwnd, &outer);
  return TwipsPoint{static_cast<float>(pixelsToTwips(outer.left, record.dpi)), static_cast<float>(pixelsToTwips(outer.top, record.dpi))};
}

int Win32Platform::windowDpi(WindowHandle handle) const { return window(handle).dpi; }

void Win32Platform::showWindow(WindowHandle handle) {
  WindowRecord& record = window(handle);
  const bool first = !IsWindowVisible(record.hwnd);
  ShowWindow(record.hwnd, SW_SHOW);
  if (first) {
    for (ControlRecord& c : controls_) {
      if (c.window == handle && c.surface) c.surface->shown();
    }
  }
  UpdateWindow(record.hwnd);
  SetForegroundWindow(record.hwnd);
  if (const auto id = focusTracker_.activated(handle)) setFocus(*id);
}

// Tab is the program's: it follows the tab indexes, which the system's dialog manager does not know.
// Every other dialog key goes to the dialog manager, and the controls say which keys they want.
bool Win32Platform::handleDialogKeys(MSG& message) {
  const HWND root = GetAncestor(message.hwnd, GA_ROOT);
  const auto handle = windowOf(root);
  if (!handle) return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && !(GetKeyState(VK_CONTROL) & 0x8000)) {
    moveFocus(*handle, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
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
