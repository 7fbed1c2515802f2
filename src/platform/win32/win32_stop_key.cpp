// The stop key on Windows: F8 as a hot key of the program's message window, whose WM_HOTKEY every modal
// loop dispatches, so that the key stops a run while a message box is open too.
#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace quorvel {
namespace {

constexpr int kStopKeyId = 1;

}  // namespace

// NOTE: without MOD_NOREPEAT, which Windows Vista refuses: a held key's repeats find the key given back.
bool Win32Platform::grabStopKey() {
  return timerWindow_ && RegisterHotKey(timerWindow_, kStopKeyId, 0, VK_F8);
}

void Win32Platform::releaseStopKey() { UnregisterHotKey(timerWindow_, kStopKeyId); }

void Win32Platform::hotKeyPressed(WPARAM id) {
  if (id == kStopKeyId) stopKey_.pressed();
}

}  // namespace quorvel
