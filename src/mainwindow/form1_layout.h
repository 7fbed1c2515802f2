// The fixed layout of the main window: every control with its container, place, caption, font and tab stop.
#pragma once

#include <array>

#include "platform/platform.h"

namespace quorvel {

inline constexpr const char* kMainCaption = "Quorvel(1.0)";
inline constexpr int kClientWidth = 2055;  // twips
inline constexpr int kClientHeight = 2895;

// Handles of the controls, named as the window's handlers name them.
struct Form1Controls {
  ControlId Frame5{}, Frame1{}, Frame6{};
  ControlId Label1{};
  std::array<ControlId, 5> Label2{};
  ControlId Combo1{};
  std::array<ControlId, 3> Text2{};  // 0 x, 1 y, 2 t
  ControlId Check1{};
  ControlId xpcommand2{};  // Save
  ControlId xpcommand9{};  // Start
};

// Creates every control of the window, containers before what they hold.
Form1Controls createForm1Controls(Platform& platform, WindowHandle window);

}  // namespace quorvel
