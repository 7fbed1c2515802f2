#include "button/hosted_xpcommand.h"

namespace quorvel {

std::unique_ptr<xpcommand> createStoredXpcommand(ControlSurface& surface, const PropertyStore& stored) {
  auto button = std::make_unique<xpcommand>(surface);
  button->UserControl_Resize();
  button->readProperties(stored);
  return button;
}

HostedXpcommand::HostedXpcommand(Platform& platform, WindowHandle window, const ControlSpec& placement,
                                 const PropertyStore& stored)
    : surface_(platform.createControlSurface(window, placement, *this)),
      control_(createStoredXpcommand(*surface_, stored)) {}

// The surface may report a size before the control exists; the control lays itself out when made.
void HostedXpcommand::surfaceResized() {
  if (control_) control_->UserControl_Resize();
}

void HostedXpcommand::surfaceShown() {
  if (control_) control_->UserControl_Show();
}

// With a single surface every pointer notification comes from the control's own surface.
void HostedXpcommand::pointerMoved(std::int16_t button, std::int16_t shift, float x, float y) {
  if (control_) control_->mouseMove(button, shift, x, y);
}

void HostedXpcommand::pointerPressed(std::int16_t button, std::int16_t shift, float x, float y) {
  if (control_) control_->mouseDown(button, shift, x, y);
}

void HostedXpcommand::pointerReleased(std::int16_t button, std::int16_t shift, float x, float y) {
  if (control_) control_->mouseUp(button, shift, x, y);
}

void HostedXpcommand::doubleClicked() {
  if (control_) control_->dblClick();
}

void HostedXpcommand::keyDown(std::int16_t keyCode, std::int16_t shift) {
  if (control_) control_->keyDown(keyCode, shift);
}

void HostedXpcommand::keyPressed(std::int16_t keyAscii) {
  if (control_) control_->keyPress(keyAscii);
}

void HostedXpcommand::keyUp(std::int16_t keyCode, std::int16_t shift) {
  if (control_) control_->keyUp(keyCode, shift);
}

void HostedXpcommand::focusEntered() {
  if (control_) control_->gotFocus();
}

void HostedXpcommand::focusLeft() {
  if (control_) control_->lostFocus();
}

PaintList HostedXpcommand::paintList() const { return control_ ? control_->paintList() : PaintList{}; }

}  // namespace quorvel
