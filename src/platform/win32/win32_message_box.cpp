// Message boxes: the system's own, owned by the program's window, so that it stays modal to it.
#include "platform/native_files/win32_text.h"
#include "platform/win32/win32_platform.h"

namespace quorvel {

void Win32Platform::messageBox(std::string_view text, std::string_view title, MessageIcon) {
  HWND owner = nullptr;
  for (const NativeWindow& w : windows_) {
    if (!w.hwnd || !IsWindowVisible(w.hwnd)) continue;
    if (!owner) owner = w.hwnd;
    // Looks changed before the box (a button released) are on screen while it is open.
    RedrawWindow(w.hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  MessageBoxW(owner, wide(text).c_str(), wide(title).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace quorvel
