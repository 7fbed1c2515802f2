// The FLTK backend on a private X display, driven through XTEST like a person at the keyboard and mouse.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "backend_driver.h"
#include "platform/fltk/fltk_platform.h"

namespace quorvel::contract {

class FltkDriver final : public BackendDriver {
 public:
  FltkDriver();
  ~FltkDriver() override;
  FltkDriver(const FltkDriver&) = delete;
  FltkDriver& operator=(const FltkDriver&) = delete;

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
  static void watchMessageBoxes(void* driver);
  unsigned long xWindow(WindowHandle window);

  Duration closeAfter_{};
  Duration boxSeen_{};
  bool boxOpen_ = false;
  std::map<WindowHandle, unsigned long> windows_;
  void* otherProgram_ = nullptr;  // another client's display connection, holding the stop key
  std::optional<std::string> resources_;  // the desktop's, while a test has changed them
};

}  // namespace quorvel::contract
