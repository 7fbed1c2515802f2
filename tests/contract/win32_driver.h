// The Windows backend under Wine on a private X display, driven through SendInput like a person at the
// keyboard and mouse.
#pragma once

#include <map>

#include "backend_driver.h"
#include "platform/win32/win32_platform.h"

namespace quorvel::contract {

class Win32Driver final : public BackendDriver {
 public:
  Win32Driver();
  ~Win32Driver() override;
  Win32Driver(const Win32Driver&) = delete;
  Win32Driver& operator=(const Win32Driver&) = delete;

  Platform& platform() override;
  Duration now() override;
  void wait(Duration span) override;
  void stall(Duration span) override;
  void settle() override;
  void closeMessageBoxesAfter(Duration after) override;
  void sendKey(Key key, bool shift) override;
  void hold(Key key, Duration span) override;
  void type(std::string_view text) override;
  void activateOtherProgram() override;
  void activate(WindowHandle window) override;
  void minimise(WindowHandle window, bool minimised) override;
  int changeResolution(WindowHandle window, int dpi) override;
  bool takeStopKeyElsewhere() override;
  void giveBackStopKeyElsewhere() override;
  void movePointer(WindowHandle window, Point client) override;
  void leftButton(bool down) override;

 private:
  static void CALLBACK watchMessageBoxes(HWND, UINT, UINT_PTR, DWORD);
  void pump();
  HWND hwndOf(WindowHandle window);

  std::map<WindowHandle, HWND> windows_;
};

}  // namespace quorvel::contract
