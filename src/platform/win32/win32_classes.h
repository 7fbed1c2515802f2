// The window classes of the program: its top-level windows, the owner-drawn control host, the timer
// receiver, and the resolution of a window as the system reports it.
#pragma once

#include <windows.h>

namespace quorvel {

inline constexpr const wchar_t* kMainWindowClass = L"QuorvelWindow";
inline constexpr const wchar_t* kSurfaceWindowClass = L"QuorvelSurface";
inline constexpr const wchar_t* kTimerWindowClass = L"QuorvelTimer";
// The program's icon in its resources.
inline constexpr int kIconResource = 1;

void registerWindowClasses(HINSTANCE instance, WNDPROC windowProc, WNDPROC timerProc);

// Dots per inch of a window, or of the system where the window is not known yet; 96 on systems that
// do not scale.
int dpiOf(HWND hwnd);
// The outer rectangle around a client area at a resolution.
RECT outerRect(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

}  // namespace quorvel
