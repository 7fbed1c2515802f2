// The fixed layout of the main window: every control with its container, place, caption, font and tab stop.
#pragma once

#include <array>
#include <memory>

#include "button/hosted_xpcommand.h"
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
  std::unique_ptr<HostedXpcommand> xpcommand2;  // Save
  std::unique_ptr<HostedXpcommand> xpcommand9;  // Start
};

inline constexpr int kSaveTabIndex = 5;
inline constexpr int kStartTabIndex = 6;

// Creates every control of the window, containers before what they hold; the two buttons from the
// property sets the window stores for them.
Form1Controls createForm1Controls(Platform& platform, WindowHandle window);

}  // namespace quorvel
