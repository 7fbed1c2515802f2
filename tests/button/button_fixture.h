// A button on the fake host, with every event it raises written to a log.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "button/xpcommand.h"
#include "platform/fake/fake_control_surface.h"

namespace quorvel {

// The look whose nine pieces are all visible while the other eighteen are hidden; -1 when every piece
// is hidden, -2 for any other mixture.
int lookShown(const xpcommand& button);

CaptionFont testFont(float points);

// A bitmap of the given size in pixels, one colour.
Picture solidPicture(int width, int height, Color color = 0x00123456);

class ButtonTest : public ::testing::Test {
 protected:
  explicit ButtonTest(TwipsSize size = {615, 375});

  // A button as the host brings it up: first layout, skin style, then shown.
  void bringUp();
  std::vector<std::string> takeLog();

  FakeControlSurface host;
  xpcommand button{host};
  std::vector<std::string> log;
  std::int16_t keyCodeAfterHandler = -1;  // what KeyDown and KeyUp handlers set the key code to
};

}  // namespace quorvel
