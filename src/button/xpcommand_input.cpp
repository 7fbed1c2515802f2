// Pointer, keyboard and focus handling: hover through mouse capture, the pressed look, and the events.
#include "button/skin.h"
#include "button/xpcommand.h"

namespace quorvel {
namespace {

constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kReleaseRequest = -1;  // the control's own release when the pointer leaves
constexpr std::int16_t kSpace = 32;
constexpr std::int16_t kEnter = 13;
constexpr double kPressOffset = 20;  // twips right and down while the left button holds the press

bool pressKey(std::int16_t keyCode) { return keyCode == kSpace || keyCode == kEnter; }

}  // namespace

bool xpcommand::outside(float x, float y) const {
  const TwipsSize size = surface_.size();
  return x < 0 || y < 0 || x > size.width || y > size.height;
}

void xpcommand::pressLook() {
  changeit(2);
  // A style without a skin has no pressed face: the interior stays as it is.
  if (风格_ >= 0 && 风格_ < kStyleCount) setPicture(pieceRef(Piece::内部, 2), pressedFace(风格_));
}

// Ends a press without a click: normal interior, caption and icon back at rest.
void xpcommand::endPress() {
  if (!pressed_) return;
  setPicture(pieceRef(Piece::内部, 2), black_);
  pressed_ = false;
  moveCaption(textRestLeft_, textRestTop_);
  moveIcon(iconRestLeft_, iconRestTop_);
}

void xpcommand::mouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
  RepaintScope scope(*this);
  if (outside(x, y)) {
    surface_.releaseCapture();
    hovering_ = false;
    if (pressed_) mouseUp(kReleaseRequest, kReleaseRequest, -1.0f, -1.0f);
    applyIdleLook();
    if (!focused_ && 蓝色框_ == 0 && !内部(2).visible) changeit(2);
    applyIdleLook();
    if ((蓝色框_ == 1 || focused_) && !内部(0).visible) changeit(0);
    raise(events.MouseGoOut);
    return;
  }
  if (!hovering_) raise(events.mouseIsOver);
  if (!pressed_ && !内部(1).visible) changeit(1);
  raise(events.MouseMove, button, shift, x, y);
  surface_.setCapture();
  hovering_ = true;
}

void xpcommand::mouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
  RepaintScope scope(*this);
  if (button == kLeftButton) {
    // The release clicks only a focused control, so a left press takes the focus first.
    if (!focused_) surface_.requestFocus();
    if (!pressed_) {
      pressed_ = true;
      moveCaption(textRestLeft_ + kPressOffset, textRestTop_ + kPressOffset);
      moveIcon(iconRestLeft_ + kPressOffset, iconRestTop_ + kPressOffset);
    }
    pressLook();
  }
  raise(events.MouseDown, button, shift, x, y);
}

void xpcommand::mouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
  RepaintScope scope(*this);
  if (button == kReleaseRequest) {
    endPress();
    return;
  }
  if (button == kLeftButton) {
    setPicture(pieceRef(Piece::内部, 2), black_);
    // A release outside comes only after the pointer left, which already ended the press: no click.
    if (focused_ && !outside(x, y)) {
      showStrips(false);
      applyIdleLook();
      if (蓝色框_ == 0 && !hovering_ && Enabled()) changeit(2);
      setPicture(pieceRef(Piece::内部, 2), black_);
      raise(events.Click);
      if (Enabled()) changeit(0);
      if (pressed_) {
        pressed_ = false;
        moveCaption(textRestLeft_, textRestTop_);
        moveIcon(iconRestLeft_, iconRestTop_);
      }
      showStrips(虚线框_ != 1);
    }
  }
  raise(events.MouseUp, button, shift, x, y);
}

void xpcommand::dblClick() { raise(events.DblClick); }

void xpcommand::keyDown(std::int16_t keyCode, std::int16_t shift) {
  RepaintScope scope(*this);
  raise(events.KeyDown, keyCode, shift);
  if (pressKey(keyCode) && !pressed_) {
    pressed_ = true;
    pressLook();
  }
}

void xpcommand::keyPress(std::int16_t keyAscii) { raise(events.KeyPress, keyAscii); }

void xpcommand::keyUp(std::int16_t keyCode, std::int16_t shift) {
  RepaintScope scope(*this);
  raise(events.KeyUp, keyCode, shift);
  if (pressKey(keyCode) && pressed_) {
    changeit(0);
    setPicture(pieceRef(Piece::内部, 2), black_);
    pressed_ = false;
    lostFocus();
    raise(events.Click);
    gotFocus();
  }
}

void xpcommand::gotFocus() {
  RepaintScope scope(*this);
  showStrips(虚线框_ != 1);
  focused_ = true;
  if (Enabled() && !hovering_) changeit(0);
}

void xpcommand::lostFocus() {
  RepaintScope scope(*this);
  showStrips(false);
  focused_ = false;
  applyIdleLook();
  if (蓝色框_ == 0 && !hovering_ && Enabled()) changeit(2);
  setPicture(pieceRef(Piece::内部, 2), black_);
  pressed_ = false;
}

}  // namespace quorvel
