// The twenty click slots of a run, as parallel arrays indexed by slot number (element 0 is unused).
#pragma once

#include <array>
#include <cstdint>

namespace quorvel {

inline constexpr int kSlotElements = 21;

// One slot taken across the arrays of the table.
struct ClickSlot {
  float x = 0;            // pixels from the client area's left edge
  float y = 0;            // pixels from the client area's top edge
  std::int16_t t = 0;     // delay in one-second ticks; below 1 ends the sequence here
  std::uint8_t f = 0;     // only 1 clicks; anything else holds the run at this slot
  std::int32_t ticks = 0; // ticks counted by the slot's timer since the last Start
};

struct SlotTable {
  std::array<float, kSlotElements> x{};
  std::array<float, kSlotElements> y{};
  std::array<std::int16_t, kSlotElements> t{};
  std::array<std::uint8_t, kSlotElements> f{};
  std::array<std::int32_t, kSlotElements> ticks{};

  ClickSlot slot(int i) const { return ClickSlot{x.at(i), y.at(i), t.at(i), f.at(i), ticks.at(i)}; }
};

}  // namespace quorvel
