// The stop key on Windows: F8 as a hot key of the program's message window, whose WM_HOTKEY every modal
// loop dispatches, so that the key stops a run while a message box is open too.
#include <windows.h>

#include "platform/win32/win32_classes.h"
#include "platform/win32/win32_platform.h"

namespace quorvel {

// NOTE: without MOD_NOREPEAT, which Windows Vista refuses: a held key's repeats find the key given back.
bool Win32Platform::grabStopKey() {
  return messageWindow_ && RegisterHotKey(messageWindow_, kStopKeyId, 0, VK_F8);
}

void Win32Platform::releaseStopKey() { UnregisterHotKey(messageWindow_, kStopKeyId); }

}  // namespace quorvel
