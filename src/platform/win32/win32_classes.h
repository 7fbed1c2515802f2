// The window classes of the program: its top-level windows, the owner-drawn controls' windows, the
// message window of its timer and hot key, and the resolution of a window as the system reports it.
#pragma once

#include <windows.h>

namespace quorvel {

inline constexpr const wchar_t* kMainWindowClass = L"QuorvelWindow";
inline constexpr const wchar_t* kSurfaceWindowClass = L"QuorvelSurface";
inline constexpr const wchar_t* kMessageWindowClass = L"QuorvelMessages";
// The program's icon in its resources.
inline constexpr int kIconResource = 1;

// The message window's only hot key.
inline constexpr int kStopKeyId = 1;
// Child window identifiers start above the dialog manager's IDOK and IDCANCEL.
inline constexpr int kFirstControlId = 100;

// The three classes share one procedure.
void registerWindowClasses(HINSTANCE instance, WNDPROC proc);

// Dots per inch of a window, or of the system where the window is not known yet; 96 on systems that
// do not scale.
int dpiOf(HWND hwnd);
// The outer rectangle around a client area at a resolution.
RECT outerRect(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

}  // namespace quorvel
