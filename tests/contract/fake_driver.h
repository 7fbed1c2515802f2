// The fake backend driven on its virtual clock.
#pragma once

#include "backend_driver.h"
#include "platform/fake/fake_platform.h"

namespace quorvel::contract {

class FakeDriver final : public BackendDriver {
 public:
  Platform& platform() override { return fake_; }
  Duration now() override { return fake_.now(); }
  void wait(Duration span) override { fake_.advance(span); }
  void stall(Duration span) override { fake_.stall(span); }
  void settle() override { fake_.paintPending(); }
  void closeMessageBoxesAfter(Duration after) override { fake_.setMessageBoxReadingTime(after); }
  void sendKey(Key key, bool shift) override;
  void hold(Key key, Duration span) override;
  void type(std::string_view text) override;
  void activateOtherProgram() override { fake_.activateOtherProgram(); }
  void activate(WindowHandle window) override { fake_.activateWindow(window); }
  void minimise(WindowHandle window, bool minimised) override { fake_.minimiseWindow(window, minimised); }
  int changeResolution(WindowHandle window, int dpi) override {
    fake_.setWindowDpi(window, dpi);
    return dpi;
  }
  bool takeStopKeyElsewhere() override {
    if (fake_.stopKeyTaken()) return false;
    fake_.holdStopKeyElsewhere(true);
    return true;
  }
  void giveBackStopKeyElsewhere() override { fake_.holdStopKeyElsewhere(false); }
  void movePointer(WindowHandle window, Point client) override;
  void leftButton(bool down) override;

 private:
  FakePlatform fake_;
};

}  // namespace quorvel::contract
