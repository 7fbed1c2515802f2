#include "fake_driver.h"

namespace quorvel::contract {

void FakeDriver::sendKey(Key key, bool shift) {
  switch (key) {
    case Key::tab:
      fake_.pressTab(shift);
      return;
    case Key::down:
      fake_.pressDown();
      return;
    case Key::space:
      if (fake_.focus()) fake_.pressKey(*fake_.focus(), ' ');
      return;
    case Key::stop:
      fake_.pressStopKey();
      return;
  }
}

void FakeDriver::hold(Key key, Duration span) {
  if (key == Key::space) fake_.holdKey(' ', span);
}

void FakeDriver::type(std::string_view text) {
  if (fake_.focus()) fake_.typeText(*fake_.focus(), text);
}

void FakeDriver::movePointer(WindowHandle window, Point client) {
  fake_.movePointer(fake_.clientToScreen(window, client));
}

void FakeDriver::leftButton(bool down) {
  if (down) {
    fake_.pressLeft();
  } else {
    fake_.releaseLeft();
  }
}

}  // namespace quorvel::contract
