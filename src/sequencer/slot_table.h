// The twenty click slots of a run, as parallel arrays indexed by slot number (element 0 is unused).
#pragma once

#include <array>
#include <cstdint>

#include "settings/config_file.h"

namespace quorvel {

inline constexpr int kSlotElements = kSlotCount + 1;

struct SlotTable {
  std::array<float, kSlotElements> x{};             // pixels from the client area's left edge
  std::array<float, kSlotElements> y{};             // pixels from the client area's top edge
  std::array<std::int16_t, kSlotElements> t{};      // delay in one-second ticks; below 1 ends the sequence
  std::array<std::uint8_t, kSlotElements> f{};      // only 1 clicks; anything else holds the run here
  std::array<std::int32_t, kSlotElements> ticks{};  // ticks counted by the slot's timer since the last Start
};

}  // namespace quorvel
