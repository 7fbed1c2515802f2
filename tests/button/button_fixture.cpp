#include "button_fixture.h"

#include <sstream>

namespace quorvel {

int lookShown(const xpcommand& button) {
  int shown = -1;
  for (int look = 0; look < kLookCount; ++look) {
    int visible = 0;
    for (Piece p : kPieces) visible += button.piece(p, look).visible ? 1 : 0;
    if (visible == kPieceCount && shown == -1)
      shown = look;
    else if (visible != 0)
      return -2;
  }
  return shown;
}

CaptionFont testFont(float points) {
  CaptionFont f;
  f.name = "Test Sans";
  f.size = points;
  return f;
}

Picture solidPicture(int width, int height, Color color) {
  return std::make_shared<const Bitmap>(
      Bitmap{width, height, std::vector<Color>(static_cast<std::size_t>(width * height), color)});
}

ButtonTest::ButtonTest(TwipsSize size) : host(size) {
  host.onFocusRequest = [this] { button.gotFocus(); };
  auto pointer = [this](const char* name) {
    return [this, name](std::int16_t& b, std::int16_t& s, float& x, float& y) {
      std::ostringstream out;
      out << name << "(" << b << "," << s << "," << x << "," << y << ")";
      log.push_back(out.str());
    };
  };
  auto key = [this](const char* name) {
    return [this, name](std::int16_t& code, std::int16_t& shift) {
      log.push_back(std::string(name) + "(" + std::to_string(code) + "," + std::to_string(shift) + ")");
      if (keyCodeAfterHandler >= 0) code = keyCodeAfterHandler;
    };
  };
  button.events.Click = [this] { log.push_back("Click"); };
  button.events.MouseGoOut = [this] { log.push_back("MouseGoOut"); };
  button.events.mouseIsOver = [this] { log.push_back("mouseIsOver"); };
  button.events.MouseDown = pointer("MouseDown");
  button.events.MouseUp = pointer("MouseUp");
  button.events.MouseMove = pointer("MouseMove");
  button.events.DblClick = [this] { log.push_back("DblClick"); };
  button.events.KeyDown = key("KeyDown");
  button.events.KeyPress = [this](std::int16_t& c) { log.push_back("KeyPress(" + std::to_string(c) + ")"); };
  button.events.KeyUp = key("KeyUp");
  button.events.Resize = [this] { log.push_back("Resize"); };
}

void ButtonTest::bringUp() {
  button.UserControl_Resize();
  button.set风格(0);
  button.setCaption("OK");
  button.setEnabled(true);
  button.UserControl_Show();
  log.clear();
  host.clearChanges();
}

std::vector<std::string> ButtonTest::takeLog() {
  std::vector<std::string> taken;
  taken.swap(log);
  return taken;
}

}  // namespace quorvel
