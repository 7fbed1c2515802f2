// The windows of owner-drawn controls: a child window of our own class whose pointer, keyboard and focus
// messages are reported to the model, and which paints the control's paint list. The model decides what
// the control hears.
#include <windows.h>
// The system's other headers need it first.
#include <commctrl.h>
#include <windowsx.h>

#include "platform/native_files/win32_text.h"
#include "platform/shared/hosted_surface.h"
#include "platform/win32/win32_painter.h"
#include "platform/win32/win32_platform.h"

namespace quorvel {
namespace {

// Asks the window of a control that has gone to destroy itself once the current message is over.
constexpr UINT kDestroyLater = WM_APP + 1;

// A mouse button's messages, and the button as the control numbers it: 1 left, 2 right, 4 middle.
struct ButtonMessages {
  UINT down;
  UINT doubleClick;  // the second press of a double click comes as this, the system's click count of 2
  UINT up;
  int button;
};
constexpr ButtonMessages kButtonMessages[] = {{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONUP, 1},
                                              {WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_RBUTTONUP, 2},
                                              {WM_MBUTTONDOWN, WM_MBUTTONDBLCLK, WM_MBUTTONUP, 4}};

int shiftState() {
  return ((GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0) | ((GetKeyState(VK_CONTROL) & 0x8000) ? 2 : 0) |
         ((GetKeyState(VK_MENU) & 0x8000) ? 4 : 0);
}

// Buttons as the control numbers them: 1 left, 2 right, 4 middle.
int buttonsHeld(WPARAM keys) {
  return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) | ((keys & MK_MBUTTON) ? 4 : 0);
}

PixelPoint pointOf(LPARAM lParam) { return PixelPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// Bit 30 of a key message: the key was down already, so this is the keyboard's repeat.
bool isRepeat(LPARAM lParam) { return (lParam & (1L << 30)) != 0; }

}  // namespace

LRESULT Win32Platform::handleSurfaceMessage(ControlId id, HWND hwnd, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paintSurface(id, hwnd);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case kDestroyLater:
      DestroyWindow(hwnd);
      return 0;
    case WM_NCDESTROY:
      surfaceDestroyed(id, hwnd);
      break;
    case WM_GETDLGCODE:
      // Space, Enter and the arrows come here; Tab moves on.
      return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_CAPTURECHANGED:
      // Taken by a window that is not the holder's (a message box, the system).
      if (captureHolder() == id && reinterpret_cast<HWND>(lParam) != hwnd) captureTaken();
      return 0;
    case WM_KEYDOWN:
      keyWentDown(id, static_cast<int>(wParam), shiftState(), isRepeat(lParam));
      return 0;
    case WM_KEYUP:
      keyWentUp(id, static_cast<int>(wParam), shiftState());
      return 0;
    case WM_CHAR:
      characterTyped(id, static_cast<int>(wParam));
      return 0;
    case WM_SETFOCUS:
      focusGained(id);
      return 0;
    case WM_KILLFOCUS:
      focusLost(id);
      return 0;
    default:
      if (surfacePointer(id, hwnd, message, wParam, lParam)) return 0;
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The system destroyed the window, with its parent or when asked to.
void Win32Platform::surfaceDestroyed(ControlId id, HWND hwnd) {
  if (leaveTracked_ == hwnd) leaveTracked_ = nullptr;
  nativeSurfaceGone(id);
  controls_[static_cast<std::size_t>(id)] = nullptr;
}

void Win32Platform::paintSurface(ControlId id, HWND hwnd) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  if (const auto list = paintListOf(id)) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const SurfaceRecord& s = *record(id).surface;
    DibCanvas canvas(client.right, client.bottom, record(record(id).window).dpi, fonts_);
    paintList(*list, s.width, s.height, canvas);
    canvas.blitTo(dc, 0, 0);
  }
  EndPaint(hwnd, &ps);
}

// The pointer left the control without the capture: it hears a move to where the pointer went.
void Win32Platform::pointerLeft(ControlId id, HWND hwnd) {
  // NOTE: Wine reports captured moves only over its own windows; a pointer that leaves the control
  // and the program in one move is reported here instead, at the place it went.
  if (leaveTracked_ == hwnd) leaveTracked_ = nullptr;
  POINT at{};
  if (!GetCursorPos(&at) || !ScreenToClient(hwnd, &at)) return;
  pointerMoved(id, PixelPoint{at.x, at.y}, buttonsHeld(mouseButtonsDown()), shiftState());
}

bool Win32Platform::surfacePointer(ControlId id, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (leaveTracked_ != hwnd) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
        if (TrackMouseEvent(&track)) leaveTracked_ = hwnd;
      }
      pointerMoved(id, pointOf(lParam), buttonsHeld(wParam), shiftState());
      return true;
    case WM_MOUSELEAVE:
      pointerLeft(id, hwnd);
      return true;
    default:
      break;
  }
  for (const ButtonMessages& b : kButtonMessages) {
    if (message == b.down || message == b.doubleClick) {
      pointerPressed(id, pointOf(lParam), b.button, shiftState(), message == b.doubleClick ? 2 : 1);
      return true;
    }
    if (message == b.up) {
      pointerReleased(id, pointOf(lParam), b.button, shiftState(),
                      !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)));
      return true;
    }
  }
  return false;
}

void Win32Platform::enableNative(ControlId id, bool enabled) { EnableWindow(hwndOf(id), enabled); }

void Win32Platform::repaintNative(ControlId id) { InvalidateRect(hwndOf(id), nullptr, FALSE); }

// The control may be dropped from inside one of its own messages: the window goes once it is over.
void Win32Platform::dropNativeSurface(ControlId id) { PostMessageW(hwndOf(id), kDestroyLater, 0, 0); }

void Win32Platform::grabPointer(ControlId id) {
  const HWND hwnd = hwndOf(id);
  if (hwnd && GetCapture() != hwnd) SetCapture(hwnd);
}

void Win32Platform::letPointerGo(ControlId id) {
  const HWND hwnd = hwndOf(id);
  if (hwnd && GetCapture() == hwnd) ReleaseCapture();
}

void Win32Platform::setNativeToolTip(ControlId id, std::string_view text) {
  const HWND hwnd = hwndOf(id);
  if (!hwnd) return;
  if (!toolTip_) {
    toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, nullptr);
  }
  if (!toolTip_) return;
  std::wstring caption = wide(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(hwnd);
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
  tool.lpszText = caption.data();
  SendMessageW(toolTip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!caption.empty()) SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

TwipsSize Win32Platform::measureNativeText(std::string_view text, const CaptionFont& font, double wrapWidth,
                                           int dpi) const {
  DcText measure(fonts_.measuringDc(), dpi, fonts_);
  return measureInTwips(text, font, wrapWidth, measure);
}

}  // namespace quorvel
