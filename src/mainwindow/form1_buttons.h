// The main window's two buttons as its definition stores them: where they stand, and their property
// sets, from which the window creates the instances.
#pragma once

#include <memory>

#include "button/property_store.h"
#include "button/xpcommand.h"
#include "platform/control_surface.h"

namespace quorvel {

struct StoredButton {
  TwipsRect rect;            // relative to the containing frame
  PropertyStore properties;  // also holds the host's own "_extentx" and "_extenty"
};

StoredButton storedXpcommand2();  // Save, in Frame1
StoredButton storedXpcommand9();  // Start, in Frame6

// Creates an instance on a surface already sized to its rectangle: the first layout, then its stored
// properties. The host runs UserControl_Show when the window shows it.
std::unique_ptr<xpcommand> createStoredXpcommand(ControlSurface& surface, const PropertyStore& stored);

}  // namespace quorvel
