// Raising a control's handlers, alike on every backend. The handler runs from a copy: it may replace the
// control's handlers, itself included, while it runs.
#pragma once

#include "platform/platform.h"

namespace quorvel {

void raiseClick(const ControlHandlers& handlers);
void raiseChange(const ControlHandlers& handlers);
// The handler may change the key; 0 swallows it.
void raiseKeyPress(const ControlHandlers& handlers, int& keyAscii);

}  // namespace quorvel
