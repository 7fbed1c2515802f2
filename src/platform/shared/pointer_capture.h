// Who holds the pointer capture, alike on every backend. A control holds it when it asks, and the
// control a button went down on holds it until the buttons are up (the system's own grab, made
// explicit where a system has none); while one holds it, every pointer move goes to it, also outside
// it. Disabling that control, or the system taking the capture away (a message box, a menu), ends it.
// A backend grabs the system's pointer and lets it go when told, and reports what its system did.
#pragma once

#include <optional>

#include "platform/platform.h"

namespace quorvel {

class CaptureGrab {
 public:
  virtual ~CaptureGrab() = default;
  virtual void grabPointer(ControlId control) = 0;
  virtual void letPointerGo(ControlId control) = 0;
};

class PointerCapture {
 public:
  explicit PointerCapture(CaptureGrab& grab) : grab_(grab) {}

  // The control asks for the capture, or lets it go.
  void set(ControlId control);
  void release(ControlId control);
  // A button went down on the control; every button is up again.
  void buttonDown(ControlId control);
  void buttonsUp(ControlId control);
  // The control is disabled or going away.
  void disabled(ControlId control);
  // The system gave the capture to someone else: nobody here holds it, and there is nothing to let go.
  void lost();

  // The control every pointer move goes to, if any.
  std::optional<ControlId> holder() const { return asked_ ? asked_ : pressed_; }

 private:
  CaptureGrab& grab_;
  std::optional<ControlId> asked_;
  std::optional<ControlId> pressed_;
};

}  // namespace quorvel
