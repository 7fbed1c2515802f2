// What the user is told when a value does not fit the field that must hold it.
#pragma once

#include <string>

#include "settings/conversions.h"

namespace quorvel {

class Platform;

inline constexpr const char* kNoticeTitle = "提示：";

std::string overflowMessage(const ValueOrigin& origin);
void reportOverflow(Platform& platform, const ValueOrigin& origin);

}  // namespace quorvel
