// The main window's two buttons as its definition stores them: where they stand, and their property
// sets, from which the window creates the instances.
#pragma once

#include <memory>

#include "button/hosted_xpcommand.h"
#include "button/property_store.h"
#include "platform/platform.h"

namespace quorvel {

struct StoredButton {
  TwipsRect rect;            // relative to the containing frame
  PropertyStore properties;  // also holds the host's own "_extentx" and "_extenty"
};

StoredButton storedXpcommand2();  // Save, in Frame1
StoredButton storedXpcommand9();  // Start, in Frame6

}  // namespace quorvel
