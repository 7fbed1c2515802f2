// The fake backend driven on its virtual clock.
#include "backend_driver.h"
#include "platform/fake/fake_platform.h"

namespace quorvel::contract {

struct BackendDriver::Backend {
  FakePlatform fake;
};

BackendDriver::BackendDriver() : backend_(std::make_unique<Backend>()) {}
BackendDriver::~BackendDriver() = default;

Platform& BackendDriver::platform() { return backend_->fake; }
Duration BackendDriver::now() { return backend_->fake.now(); }
void BackendDriver::wait(Duration span) { backend_->fake.advance(span); }
void BackendDriver::stall(Duration span) { backend_->fake.stall(span); }
void BackendDriver::settle() { backend_->fake.paintPending(); }
void BackendDriver::closeMessageBoxesAfter(Duration after) { backend_->fake.setMessageBoxReadingTime(after); }

void BackendDriver::press(Key key, bool shift) {
  FakePlatform& fake = backend_->fake;
  if (key == Key::tab) fake.pressTab(shift);
  if (key == Key::down) fake.pressDown();
  if (key == Key::space && fake.focus()) fake.pressKey(*fake.focus(), ' ');
  if (key == Key::stop) fake.pressStopKey();
}

void BackendDriver::hold(Key key, Duration span) {
  if (key == Key::space) backend_->fake.holdKey(' ', span);
}

void BackendDriver::type(std::string_view text) {
  if (backend_->fake.focus()) backend_->fake.typeText(*backend_->fake.focus(), text);
}

void BackendDriver::activateOtherProgram() { backend_->fake.activateOtherProgram(); }
void BackendDriver::activate(WindowHandle window) { backend_->fake.activateWindow(window); }
void BackendDriver::minimise(WindowHandle window, bool minimised) {
  backend_->fake.minimiseWindow(window, minimised);
}

bool BackendDriver::takeStopKeyElsewhere() {
  if (backend_->fake.stopKeyTaken()) return false;
  backend_->fake.holdStopKeyElsewhere(true);
  return true;
}

void BackendDriver::giveBackStopKeyElsewhere() { backend_->fake.holdStopKeyElsewhere(false); }

int BackendDriver::changeResolution(WindowHandle window, int dpi) {
  backend_->fake.setWindowDpi(window, dpi);
  return dpi;
}

void BackendDriver::movePointer(WindowHandle window, Point client) {
  backend_->fake.movePointer(backend_->fake.clientToScreen(window, client));
}

void BackendDriver::leftButton(bool down) {
  down ? backend_->fake.pressLeft() : backend_->fake.releaseLeft();
}

}  // namespace quorvel::contract
