#include "platform/win32/win32_classes.h"

#include "platform/win32/win32_control_surface.h"

namespace quorvel {
namespace {

// Functions of newer systems, looked up so that the program still starts where they are missing.
template <typename Function>
Function userFunction(const char* name) {
  const HMODULE user = GetModuleHandleW(L"user32.dll");
  // NOTE: a FARPROC is cast through the generic function type, which the compiler accepts silently.
  return user ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user, name))) : nullptr;
}

using DpiForWindow = UINT(WINAPI*)(HWND);
using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

}  // namespace

void registerWindowClasses(HINSTANCE instance, WNDPROC windowProc, WNDPROC timerProc) {
  WNDCLASSEXW main{};
  main.cbSize = sizeof(main);
  main.lpfnWndProc = windowProc;
  main.hInstance = instance;
  main.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  main.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  main.lpszClassName = kMainWindowClass;
  main.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  main.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  RegisterClassExW(&main);

  WNDCLASSEXW surface{};
  surface.cbSize = sizeof(surface);
  surface.style = CS_DBLCLKS;
  surface.lpfnWndProc = SurfaceWindow::proc;
  surface.hInstance = instance;
  surface.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  surface.lpszClassName = kSurfaceWindowClass;
  RegisterClassExW(&surface);

  WNDCLASSEXW timer{};
  timer.cbSize = sizeof(timer);
  timer.lpfnWndProc = timerProc;
  timer.hInstance = instance;
  timer.lpszClassName = kTimerWindowClass;
  RegisterClassExW(&timer);
}

int dpiOf(HWND hwnd) {
  static const auto forWindow = userFunction<DpiForWindow>("GetDpiForWindow");
  if (hwnd && forWindow) {
    if (const UINT dpi = forWindow(hwnd)) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

RECT outerRect(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjust = userFunction<AdjustForDpi>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, clientWidth, clientHeight};
  if (!adjust || !adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  return rect;
}

}  // namespace quorvel
