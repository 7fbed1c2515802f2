// Pointer placement and click injection: the system's own input queue, so clicks reach whatever window
// is under the pointer, like the user's.
#include <algorithm>
#include <limits>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace quorvel {
namespace {

std::int32_t saturatedSum(LONG a, std::int32_t b) {
  const auto sum = static_cast<long long>(a) + b;
  return static_cast<std::int32_t>(std::clamp<long long>(sum, std::numeric_limits<std::int32_t>::min(),
                                                         std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

WPARAM mouseButtonsDown() {
  return ((GetKeyState(VK_LBUTTON) & 0x8000) ? MK_LBUTTON : 0) |
         ((GetKeyState(VK_RBUTTON) & 0x8000) ? MK_RBUTTON : 0) |
         ((GetKeyState(VK_MBUTTON) & 0x8000) ? MK_MBUTTON : 0);
}

Point Win32Platform::clientToScreen(WindowHandle handle, Point client) const {
  POINT origin{0, 0};
  ClientToScreen(hwndOf(handle), &origin);
  return Point{saturatedSum(origin.x, client.x), saturatedSum(origin.y, client.y)};
}

// NOTE: a button holds the capture while the pointer is over it, to see it leave. The system would route
// the clicks that follow to the capture's holder, not to the window under the pointer, so the holder
// hears at once where the pointer went and lets go, as it would on the next move.
void Win32Platform::setCursorPos(Point screen) {
  SetCursorPos(screen.x, screen.y);
  const HWND holder = GetCapture();
  if (!holder || !controlOf(holder)) return;
  POINT at{screen.x, screen.y};
  ScreenToClient(holder, &at);
  SendMessageW(holder, WM_MOUSEMOVE, mouseButtonsDown(),
               MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
}

// The system's records are filled field by field: their size and alignment differ between the 32- and
// 64-bit systems.
std::uint32_t Win32Platform::sendInput(std::span<const InputRecord> records) {
  std::vector<INPUT> inputs(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    const InputRecord& r = records[i];
    INPUT& input = inputs[i];
    input.type = r.type;
    input.mi.dx = r.dx;
    input.mi.dy = r.dy;
    input.mi.mouseData = r.mouseData;
    input.mi.dwFlags = r.dwFlags;
    input.mi.time = r.time;
    input.mi.dwExtraInfo = static_cast<ULONG_PTR>(r.dwExtraInfo);
  }
  if (inputs.empty()) return 0;
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace quorvel
