// What the backend keeps for each window and control. Widgets belong to their window, which deletes
// them with itself.
#pragma once

#include <memory>
#include <optional>

#include "platform/fltk/fltk_check_box.h"
#include "platform/fltk/fltk_combo_box.h"
#include "platform/fltk/fltk_command_button.h"
#include "platform/fltk/fltk_control_surface.h"
#include "platform/fltk/fltk_platform.h"
#include "platform/fltk/fltk_text_field.h"
#include "platform/fltk/fltk_top_window.h"

namespace quorvel {

struct FltkPlatform::WindowRecord {
  std::unique_ptr<TopWindow> widget;
  WindowSpec spec;
  int dpi = kBaseDpi;
  Point outerTopLeft;  // pixels; where the frame goes when the window is shown
};

struct FltkPlatform::ControlRecord {
  WindowHandle window{};
  ControlSpec spec;
  ControlHandlers handlers;
  std::string caption;  // text of frames, labels, buttons and check boxes
  Fl_Widget* widget = nullptr;
  // The same widget by its kind, where one is needed.
  Fl_Group* group = nullptr;
  TextField* field = nullptr;
  ComboBox* combo = nullptr;
  TriStateCheck* check = nullptr;
  CommandButton* button = nullptr;
  FocusKeys* focusKeys = nullptr;
  SurfaceWidget* surface = nullptr;  // an owner-drawn control, which sizes itself
};

}  // namespace quorvel
