#include "platform/win32/win32_classes.h"

#include "platform/platform.h"

namespace quorvel {
namespace {

// Functions of newer systems, looked up so that the program still starts where they are missing.
template <typename Function>
Function userFunction(const char* name) {
  const HMODULE user = GetModuleHandleW(L"user32.dll");
  // NOTE: a FARPROC is cast through the generic function type, which the compiler accepts silently.
  return user ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user, name)))
              : nullptr;
}

using DpiForWindow = UINT(WINAPI*)(HWND);
using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

}  // namespace

void registerWindowClasses(HINSTANCE instance, WNDPROC proc) {
  const auto icon = [instance](int width, int height) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                         GetSystemMetrics(width), GetSystemMetrics(height), 0));
  };
  WNDCLASSEXW c{};
  c.cbSize = sizeof(c);
  c.lpfnWndProc = proc;
  c.hInstance = instance;
  c.lpszClassName = kMessageWindowClass;
  RegisterClassExW(&c);

  c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  c.style = CS_DBLCLKS;  // owner-drawn controls hear double clicks
  c.lpszClassName = kSurfaceWindowClass;
  RegisterClassExW(&c);

  c.style = 0;
  c.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  c.hIcon = icon(SM_CXICON, SM_CYICON);
  c.hIconSm = icon(SM_CXSMICON, SM_CYSMICON);
  c.lpszClassName = kMainWindowClass;
  RegisterClassExW(&c);
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
