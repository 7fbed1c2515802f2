// The Windows backend under Wine on a private X display, driven through SendInput like a person at the
// keyboard and mouse.
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "backend_driver.h"
#include "base/utf.h"
#include "platform/win32/win32_platform.h"

namespace quorvel::contract {
namespace {

// One platform per process: its window classes are registered once.
Win32Platform& backend() {
  static Win32Platform instance;
  return instance;
}

// The message box being watched, when it was first seen, and how long the user waits before closing it.
const BackendDriver* watcher = nullptr;
HWND openBox = nullptr;
Duration boxSeen{};
Duration closeAfter{};
constexpr UINT kWatchMs = 10;
// A hot key of this thread stands for another program's.
constexpr int kOtherProgramsKey = 0xB000;
UINT_PTR watchTimer = 0;

WORD virtualKey(Key key) {
  constexpr WORD kKeys[] = {VK_TAB, VK_DOWN, VK_SPACE, VK_F8};  // in the order of Key
  return kKeys[static_cast<int>(key)];
}

INPUT keyInput(WORD key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  return input;
}

// The key pressed and released, inside Shift when asked.
void sendStroke(WORD key, bool shift) {
  std::vector<INPUT> inputs;
  if (shift) inputs.push_back(keyInput(VK_SHIFT, true));
  inputs.push_back(keyInput(key, true));
  inputs.push_back(keyInput(key, false));
  if (shift) inputs.push_back(keyInput(VK_SHIFT, false));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

BOOL CALLBACK findBox(HWND hwnd, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  if (std::wstring(name) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

Duration steadyNow() { return std::chrono::steady_clock::now().time_since_epoch(); }

// Handles every message that is there, as the program's event loop would.
void pump() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (backend().handleDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// The user notices a box when it appears and presses its OK button once it has been open long enough.
void CALLBACK watchMessageBoxes(HWND, UINT, UINT_PTR, DWORD) {
  if (!watcher) return;
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
  if (box != openBox) {
    openBox = box;
    boxSeen = steadyNow();
  } else if (box && steadyNow() - boxSeen >= closeAfter) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    openBox = nullptr;
  }
}

}  // namespace

struct BackendDriver::Backend {
  // The backend's top-level window that `window` stands for, found where its client area is while it is
  // on the screen and remembered for while it is minimised.
  HWND hwndOf(WindowHandle window) {
    HWND& found = windows[window];
    if (!found) {
      const Point inside = backend().clientToScreen(window, Point{1, 1});
      found = GetAncestor(WindowFromPoint(POINT{inside.x, inside.y}), GA_ROOT);
    }
    return found;
  }

  std::map<WindowHandle, HWND> windows;
};

BackendDriver::BackendDriver() : backend_(std::make_unique<Backend>()) {
  backend().setCursorPos(Point{1000, 740});
  settle();
}

BackendDriver::~BackendDriver() {
  if (watcher != this) return;
  KillTimer(nullptr, watchTimer);
  watchTimer = 0;
  watcher = nullptr;
}

Platform& BackendDriver::platform() { return backend(); }

Duration BackendDriver::now() { return steadyNow(); }

void BackendDriver::wait(Duration span) {
  const Duration end = now() + span;
  for (Duration left = span; left > Duration::zero(); left = end - now()) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(left).count();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ms > 0 ? ms : 1), QS_ALLINPUT);
    pump();
  }
}

void BackendDriver::stall(Duration span) {
  Sleep(static_cast<DWORD>(std::chrono::ceil<std::chrono::milliseconds>(span).count()));
}

// Wine hands input and window changes on through the X server: a short wait lets them arrive.
void BackendDriver::settle() { wait(std::chrono::milliseconds(60)); }

void BackendDriver::closeMessageBoxesAfter(Duration after) {
  watcher = this;
  closeAfter = after;
  openBox = nullptr;
  // A thread timer: the message box's own loop dispatches it.
  if (!watchTimer) watchTimer = SetTimer(nullptr, 0, kWatchMs, watchMessageBoxes);
}

void BackendDriver::press(Key key, bool shift) {
  sendStroke(virtualKey(key), shift);
  settle();
}

// The keyboard's repeat: key-downs while the key stays down, then one key-up.
void BackendDriver::hold(Key key, Duration span) {
  const Duration end = now() + span;
  for (bool first = true; first || now() < end; first = false) {
    INPUT down = keyInput(virtualKey(key), true);
    SendInput(1, &down, sizeof(INPUT));
    wait(std::chrono::milliseconds(first ? 500 : 33));
  }
  INPUT up = keyInput(virtualKey(key), false);
  SendInput(1, &up, sizeof(INPUT));
  wait(std::chrono::milliseconds(50));
}

// ASCII as the keys that type it, with Shift where needed; anything else as the system's Unicode key
// packets, so any text can be typed.
void BackendDriver::type(std::string_view text) {
  for (char16_t unit : utf8ToUtf16(text)) {
    const SHORT key = unit < 0x80 ? VkKeyScanW(static_cast<wchar_t>(unit)) : -1;
    if (key != -1) {
      sendStroke(static_cast<WORD>(key & 0xFF), (key >> 8) & 1);
    } else {
      INPUT packets[] = {keyInput(0, true), keyInput(0, false)};
      for (INPUT& packet : packets) {
        packet.ki.wScan = static_cast<WORD>(unit);
        packet.ki.dwFlags |= KEYEVENTF_UNICODE;
      }
      SendInput(2, packets, sizeof(INPUT));
    }
    wait(std::chrono::milliseconds(30));
  }
  settle();
}

void BackendDriver::movePointer(WindowHandle window, Point client) {
  backend().setCursorPos(backend().clientToScreen(window, client));
  settle();
}

void BackendDriver::leftButton(bool down) {
  const InputRecord record{0, 0, 0, 0, down ? kMouseLeftDown : kMouseLeftUp, 0, 0};
  backend().sendInput(std::span(&record, 1));
  settle();
}

// Another program's window, as far as the backend can tell: a window it did not make.
void BackendDriver::activateOtherProgram() {
  static const HWND other =
      CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 500, 200, 100, nullptr,
                      nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(other);
  SetFocus(other);
  wait(std::chrono::milliseconds(150));
}

void BackendDriver::activate(WindowHandle window) {
  SetForegroundWindow(backend_->hwndOf(window));
  wait(std::chrono::milliseconds(150));
}

void BackendDriver::minimise(WindowHandle window, bool minimised) {
  ShowWindow(backend_->hwndOf(window), minimised ? SW_MINIMIZE : SW_RESTORE);
  wait(std::chrono::milliseconds(150));
}

// What the system sends a window moved to a screen of another resolution: the new resolution, and an
// outer rectangle at the same corner whose client area is scaled to it. Wine sends it for no screen.
int BackendDriver::changeResolution(WindowHandle window, int dpi) {
  const HWND hwnd = backend_->hwndOf(window);
  const int before = backend().windowDpi(window);
  RECT outer{};
  RECT client{};
  GetWindowRect(hwnd, &outer);
  GetClientRect(hwnd, &client);
  const int frameWidth = (outer.right - outer.left) - client.right;
  const int frameHeight = (outer.bottom - outer.top) - client.bottom;
  RECT suggested{outer.left, outer.top, outer.left + MulDiv(client.right, dpi, before) + frameWidth,
                 outer.top + MulDiv(client.bottom, dpi, before) + frameHeight};
  SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  settle();
  return dpi;
}

// The system refuses a key that is registered already, whoever registered it.
bool BackendDriver::takeStopKeyElsewhere() { return RegisterHotKey(nullptr, kOtherProgramsKey, 0, VK_F8); }

void BackendDriver::giveBackStopKeyElsewhere() {
  UnregisterHotKey(nullptr, kOtherProgramsKey);
  pump();
}

}  // namespace quorvel::contract
