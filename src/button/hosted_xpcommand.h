// An xpcommand on a surface of the platform: the platform's input reaches the control, and the platform
// paints what the control shows.
#pragma once

#include <memory>

#include "button/property_store.h"
#include "button/xpcommand.h"
#include "platform/control_surface.h"
#include "platform/platform.h"

namespace quorvel {

// Creates an instance on a surface already sized to its rectangle: the first layout, then its stored
// properties. The host runs UserControl_Show when the window shows it.
std::unique_ptr<xpcommand> createStoredXpcommand(ControlSurface& surface, const PropertyStore& stored);

class HostedXpcommand final : private ControlSurfaceClient {
 public:
  HostedXpcommand(Platform& platform, WindowHandle window, const ControlSpec& placement,
                  const PropertyStore& stored);
  HostedXpcommand(const HostedXpcommand&) = delete;
  HostedXpcommand& operator=(const HostedXpcommand&) = delete;

  xpcommand& control() { return *control_; }
  const xpcommand& control() const { return *control_; }

 private:
  void surfaceResized() override;
  void surfaceShown() override;
  void pointerMoved(std::int16_t button, std::int16_t shift, float x, float y) override;
  void pointerPressed(std::int16_t button, std::int16_t shift, float x, float y) override;
  void pointerReleased(std::int16_t button, std::int16_t shift, float x, float y) override;
  void doubleClicked() override;
  void keyDown(std::int16_t keyCode, std::int16_t shift) override;
  void keyPressed(std::int16_t keyAscii) override;
  void keyUp(std::int16_t keyCode, std::int16_t shift) override;
  void focusEntered() override;
  void focusLeft() override;
  PaintList paintList() const override;

  std::unique_ptr<ControlSurface> surface_;
  std::unique_ptr<xpcommand> control_;  // null only while the surface is being made
};

}  // namespace quorvel
