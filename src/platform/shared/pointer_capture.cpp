#include "platform/shared/pointer_capture.h"

namespace quorvel {

// The system has one capture: whoever takes it, takes it from everyone else.
void PointerCapture::set(ControlId control) {
  if (pressed_ != control) pressed_.reset();
  asked_ = control;
  grab_.grabPointer(control);
}

void PointerCapture::release(ControlId control) {
  if (asked_ != control) return;
  asked_.reset();
  if (pressed_ != control) grab_.letPointerGo(control);
}

void PointerCapture::buttonDown(ControlId control) {
  if (asked_ != control) asked_.reset();
  pressed_ = control;
  grab_.grabPointer(control);
}

void PointerCapture::buttonsUp(ControlId control) {
  if (pressed_ != control) return;
  pressed_.reset();
  if (asked_ != control) grab_.letPointerGo(control);
}

void PointerCapture::disabled(ControlId control) {
  if (asked_ != control && pressed_ != control) return;
  asked_.reset();
  pressed_.reset();
  grab_.letPointerGo(control);
}

void PointerCapture::lost() {
  asked_.reset();
  pressed_.reset();
}

}  // namespace quorvel
