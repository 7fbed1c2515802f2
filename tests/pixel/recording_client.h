// A control that writes down everything its host delivers and shows a paint list the test sets.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/control_surface.h"

namespace quorvel {

class RecordingClient final : public ControlSurfaceClient {
 public:
  // Entries read "move 0 0 75 105" (buttons, shift, x, y in twips), "press ...", "release ...",
  // "double", "down 65 0", "char 97", "up 65 0", "focus in", "focus out", "resized", "shown".
  std::vector<std::string> log;
  PaintList list;
  // How often the host has painted the control.
  mutable int paints = 0;
  // Runs after a move is written down, with its twips.
  std::function<void(float x, float y)> afterMove;

  // Entries that start with any of the prefixes, in the order they came.
  std::vector<std::string> entries(std::initializer_list<std::string_view> prefixes) const;
  std::vector<std::string> entries(std::string_view prefix) const { return entries({prefix}); }

  void surfaceResized() override { log.emplace_back("resized"); }
  void surfaceShown() override { log.emplace_back("shown"); }
  void pointerMoved(std::int16_t button, std::int16_t shift, float x, float y) override;
  void pointerPressed(std::int16_t button, std::int16_t shift, float x, float y) override;
  void pointerReleased(std::int16_t button, std::int16_t shift, float x, float y) override;
  void doubleClicked() override { log.emplace_back("double"); }
  void keyDown(std::int16_t keyCode, std::int16_t shift) override;
  void keyPressed(std::int16_t keyAscii) override;
  void keyUp(std::int16_t keyCode, std::int16_t shift) override;
  void focusEntered() override { log.emplace_back("focus in"); }
  void focusLeft() override { log.emplace_back("focus out"); }
  PaintList paintList() const override {
    ++paints;
    return list;
  }
};

}  // namespace quorvel
