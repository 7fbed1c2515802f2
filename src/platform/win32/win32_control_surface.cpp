#include "platform/win32/win32_control_surface.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "platform/shared/painter.h"
#include "platform/win32/win32_classes.h"
#include "platform/win32/win32_painter.h"
#include "platform/win32/win32_platform.h"
#include "platform/native_files/win32_text.h"

namespace quorvel {
namespace {

// Asks a host window whose control has gone to destroy itself once the current message is over.
constexpr UINT kDestroyLater = WM_APP + 1;

std::int16_t shiftState() {
  return static_cast<std::int16_t>(((GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0) |
                                   ((GetKeyState(VK_CONTROL) & 0x8000) ? 2 : 0) |
                                   ((GetKeyState(VK_MENU) & 0x8000) ? 4 : 0));
}

// Buttons as the control numbers them: 1 left, 2 right, 4 middle.
std::int16_t buttonsHeld(WPARAM keys) {
  return static_cast<std::int16_t>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                                   ((keys & MK_MBUTTON) ? 4 : 0));
}

// Bit 30 of a key message: the key was down already, so this is the keyboard's repeat.
bool isRepeat(LPARAM lParam) { return (lParam & (1L << 30)) != 0; }

}  // namespace

SurfaceWindow::SurfaceWindow(Win32Platform& platform, ControlId id, ControlSurfaceClient& client)
    : platform_(platform), id_(id), client_(&client) {}

LRESULT CALLBACK SurfaceWindow::proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* host = static_cast<SurfaceWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    host->attach(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
  }
  auto* host = reinterpret_cast<SurfaceWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!host) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    host->platform_.forgetSurface(host->id_, host);
    delete host;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return host->handle(message, wParam, lParam);
}

void SurfaceWindow::detach() {
  client_ = nullptr;
  platform_.capture_.disabled(id_);
  PostMessageW(hwnd_, kDestroyLater, 0, 0);
}

void SurfaceWindow::shown() {
  if (shown_ || !client_) return;
  shown_ = true;
  client_->surfaceShown();
}

void SurfaceWindow::place(POINT corner, int dpi) {
  origin_ = corner;
  dpi_ = dpi;
  SetWindowPos(hwnd_, nullptr, corner.x, corner.y, MulDiv(width_, dpi, kBaseDpi), MulDiv(height_, dpi, kBaseDpi),
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void SurfaceWindow::setSize(int width, int height) {
  // What a smaller control no longer covers belongs to its container again.
  RECT before{};
  GetWindowRect(hwnd_, &before);
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&before), 2);
  InvalidateRect(GetParent(hwnd_), &before, TRUE);
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
  place(origin_, dpi_);
}

float SurfaceWindow::twipsX(LPARAM lParam) const {
  return static_cast<float>(pixelsToTwips(GET_X_LPARAM(lParam), dpi_));
}

float SurfaceWindow::twipsY(LPARAM lParam) const {
  return static_cast<float>(pixelsToTwips(GET_Y_LPARAM(lParam), dpi_));
}

void SurfaceWindow::paint() {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (client_) {
    DibCanvas canvas(client.right, client.bottom, dpi_, platform_.fonts_);
    paintList(client_->paintList(), width_, height_, canvas);
    canvas.blitTo(dc, 0, 0);
  }
  EndPaint(hwnd_, &ps);
}

LRESULT SurfaceWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case kDestroyLater:
      DestroyWindow(hwnd_);
      return 0;
    case WM_GETDLGCODE:
      // Space, Enter and the arrows come here; Tab moves on.
      return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_CAPTURECHANGED:
      // Taken by a window that is not the holder's (a message box, the system).
      if (platform_.capture_.holder() == id_ && reinterpret_cast<HWND>(lParam) != hwnd_) platform_.capture_.lost();
      return 0;
    default:
      break;
  }
  if (handlePointer(message, wParam, lParam) || handleKeyboard(message, wParam, lParam)) return 0;
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// The pointer left the control without the capture: it hears a move to where the pointer went.
void SurfaceWindow::pointerLeft() {
  // NOTE: Wine reports captured moves only over its own windows; a pointer that leaves the control
  // and the program in one move is reported here instead, at the place it went.
  trackingLeave_ = false;
  POINT at{};
  if (!client_ || !GetCursorPos(&at) || !ScreenToClient(hwnd_, &at)) return;
  const WPARAM keys = ((GetKeyState(VK_LBUTTON) & 0x8000) ? MK_LBUTTON : 0) |
                      ((GetKeyState(VK_RBUTTON) & 0x8000) ? MK_RBUTTON : 0) |
                      ((GetKeyState(VK_MBUTTON) & 0x8000) ? MK_MBUTTON : 0);
  const LPARAM where = MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y));
  client_->pointerMoved(buttonsHeld(keys), shiftState(), twipsX(where), twipsY(where));
}

void SurfaceWindow::buttonDown(std::int16_t button, LPARAM lParam) {
  // The system's windows have no grab of their own from a press to its release.
  platform_.capture_.buttonDown(id_);
  if (client_) client_->pointerPressed(button, shiftState(), twipsX(lParam), twipsY(lParam));
}

void SurfaceWindow::buttonUp(std::int16_t button, WPARAM wParam, LPARAM lParam) {
  if (client_) client_->pointerReleased(button, shiftState(), twipsX(lParam), twipsY(lParam));
  if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) platform_.capture_.buttonsUp(id_);
}

bool SurfaceWindow::handlePointer(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
      }
      if (client_) client_->pointerMoved(buttonsHeld(wParam), shiftState(), twipsX(lParam), twipsY(lParam));
      return true;
    case WM_MOUSELEAVE:
      pointerLeft();
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      buttonDown(message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4, lParam);
      return true;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      // The second press of a double click comes as this instead of a press.
      if (client_) client_->doubleClicked();
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      buttonUp(message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 4, wParam, lParam);
      return true;
    default:
      return false;
  }
}

bool SurfaceWindow::handleKeyboard(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto code = static_cast<std::int16_t>(wParam);
  switch (message) {
    case WM_KEYDOWN:
      if (client_) keys_.keyDown(*client_, code, shiftState(), isRepeat(lParam));
      return true;
    case WM_KEYUP:
      if (client_) keys_.keyUp(*client_, code, shiftState());
      return true;
    case WM_CHAR:
      // The characters a key types as the control knows them: ASCII only.
      if (client_ && keys_.characterFollows() && wParam < 0x7F) client_->keyPressed(code);
      return true;
    case WM_SETFOCUS:
      if (client_) client_->focusEntered();
      return true;
    case WM_KILLFOCUS:
      keys_.forget();
      if (client_) client_->focusLeft();
      return true;
    default:
      return false;
  }
}

Win32ControlSurface::Win32ControlSurface(Win32Platform& platform, ControlId id, CaptionFont ambientFont)
    : platform_(platform), id_(id), ambientFont_(std::move(ambientFont)) {}

Win32ControlSurface::~Win32ControlSurface() {
  SurfaceWindow* w = window();
  if (!w) return;  // its window is gone already
  platform_.forgetSurface(id_, w);
  // The control may be dropped from inside one of its own message handlers: the window goes once the
  // message is over.
  w->detach();
}

SurfaceWindow* Win32ControlSurface::window() const { return platform_.control(id_).surface; }

TwipsSize Win32ControlSurface::size() const {
  const SurfaceWindow* w = window();
  if (!w) return {};
  return {static_cast<double>(w->width() * kTwipsPerPixel), static_cast<double>(w->height() * kTwipsPerPixel)};
}

void Win32ControlSurface::setSize(TwipsSize size) {
  if (SurfaceWindow* w = window()) w->setSize(twipsToPixels(size.width), twipsToPixels(size.height));
}

bool Win32ControlSurface::enabled() const {
  const SurfaceWindow* w = window();
  return w && IsWindowEnabled(w->hwnd());
}

void Win32ControlSurface::setEnabled(bool enabled) {
  SurfaceWindow* w = window();
  if (!w) return;
  if (!enabled) platform_.capture_.disabled(id_);
  EnableWindow(w->hwnd(), enabled);
}

void Win32ControlSurface::requestFocus() {
  if (window()) platform_.setFocus(id_);
}

void Win32ControlSurface::setCapture() {
  if (window()) platform_.capture_.set(id_);
}

void Win32ControlSurface::releaseCapture() {
  if (window()) platform_.capture_.release(id_);
}

void Win32Platform::grabPointer(ControlId id) {
  const HWND hwnd = control(id).hwnd;
  if (hwnd && GetCapture() != hwnd) SetCapture(hwnd);
}

void Win32Platform::letPointerGo(ControlId id) {
  const HWND hwnd = control(id).hwnd;
  if (hwnd && GetCapture() == hwnd) ReleaseCapture();
}

void Win32ControlSurface::setToolTip(std::string_view text) {
  SurfaceWindow* w = window();
  if (!w) return;
  HWND& tip = platform_.toolTip_;
  if (!tip) {
    tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, platform_.instance_, nullptr);
  }
  if (!tip) return;
  std::wstring caption = wide(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(w->hwnd());
  tool.uId = reinterpret_cast<UINT_PTR>(w->hwnd());
  tool.lpszText = caption.data();
  SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!caption.empty()) SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

TwipsSize Win32ControlSurface::measureText(std::string_view text, const CaptionFont& font, double wrapWidth) const {
  const SurfaceWindow* w = window();
  const int dpi = w ? platform_.window(platform_.control(id_).window).dpi : kBaseDpi;
  DcText measure(platform_.fonts_.measuringDc(), dpi, platform_.fonts_);
  const int wrap = wrapWidth > 0 ? std::max(1, twipsToPixels(wrapWidth)) : 0;
  const PixelSize extent = quorvel::measureText(text, font, wrap, measure);
  return {static_cast<double>(extent.width * kTwipsPerPixel), static_cast<double>(extent.height * kTwipsPerPixel)};
}

void Win32ControlSurface::requestRepaint() {
  if (SurfaceWindow* w = window()) InvalidateRect(w->hwnd(), nullptr, FALSE);
}

void Win32Platform::forgetSurface(ControlId id, const SurfaceWindow* host) {
  ControlRecord& c = control(id);
  if (c.surface != host) return;
  c.surface = nullptr;
  c.hwnd = nullptr;
}

// Placed like the other controls, in the window or a frame of it, and a stop of its tab order.
std::unique_ptr<ControlSurface> Win32Platform::createControlSurface(WindowHandle handle, const ControlSpec& placement,
                                                                    ControlSurfaceClient& client) {
  const auto id = static_cast<ControlId>(controls_.size());
  auto* host = new SurfaceWindow(*this, id, client);
  controls_.push_back(ControlRecord{handle, placement, {}, nullptr, host, -1, false});
  const DWORD focusStyle = placement.tabIndex >= 0 ? WS_TABSTOP | WS_GROUP : 0;
  const HWND hwnd = CreateWindowExW(0, kSurfaceWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | focusStyle, 0, 0, 1, 1,
                                    window(handle).hwnd, nullptr, instance_, host);
  ControlRecord& c = control(id);
  if (!hwnd) {
    if (c.surface == host) delete host;  // otherwise its window deleted it on the way out
    c.surface = nullptr;
  } else {
    c.hwnd = hwnd;
    host->setSize(std::max(1, twipsToPixels(placement.rect.width)), std::max(1, twipsToPixels(placement.rect.height)));
    placeNewControl(id);
    raiseAboveFrames(hwnd);
  }
  return std::make_unique<Win32ControlSurface>(*this, id, ambientFontFor(placement.font));
}

}  // namespace quorvel
