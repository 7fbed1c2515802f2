// The one entry point of a desktop backend. Each backend defines it, and the build links exactly one.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace quorvel {

std::unique_ptr<Platform> createPlatform();

}  // namespace quorvel
