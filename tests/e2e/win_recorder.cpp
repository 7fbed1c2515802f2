// The click recorder for the Windows program under Wine: clicks injected there reach only Wine's own
// windows, so this Windows program shows a window of the given screen geometry and logs each left or
// right press (the middle button gives it the keyboard):
//   press <button> <screen x> <screen y> <message time in ms>
// and the keys pressed while it has the keyboard (F8 by name, others by virtual-key code):
//   key <name>
// A line "ready" tells the reader that nothing can be missed from then on.
// Usage: win_recorder --window X Y W H
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void log(int button, HWND hwnd, LPARAM lParam) {
  POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ClientToScreen(hwnd, &at);
  std::printf("press %d %ld %ld %lu\n", button, at.x, at.y, static_cast<unsigned long>(GetMessageTime()));
  std::fflush(stdout);
}

LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      log(1, hwnd, lParam);
      return 0;
    // NOTE: Wine hands its windows the keyboard through the window manager, which a window that never
    // activates on a click does not get; the middle button gives it the keyboard instead.
    case WM_MBUTTONDOWN:
      SetForegroundWindow(hwnd);
      SetFocus(hwnd);
      return 0;
    case WM_RBUTTONDOWN:
      log(3, hwnd, lParam);
      return 0;
    // A click leaves the keyboard where it was: the program under test keeps it. The keyboard comes
    // here only when it is given.
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_KEYDOWN:
      wParam == VK_F8 ? std::puts("key F8") : std::printf("key vk%u\n", static_cast<unsigned>(wParam));
      std::fflush(stdout);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6 || std::strcmp(argv[1], "--window") != 0) {
    std::fputs("usage: win_recorder --window X Y W H\n", stderr);
    return 2;
  }
  const int x = std::atoi(argv[2]), y = std::atoi(argv[3]), width = std::atoi(argv[4]),
            height = std::atoi(argv[5]);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = L"QuorvelRecorder";
  RegisterClassW(&windowClass);
  // A popup: no frame, so the window covers exactly the geometry asked for, and no window manager moves it.
  HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"recorder", WS_POPUP, x, y, width,
                              height, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  std::puts("ready");
  std::fflush(stdout);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
