// A check box with a third, grayed state. It shows the value it is given and reports the user's click;
// it does not toggle itself: whoever hears the click decides the new value.
#pragma once

#include <FL/Fl_Check_Button.H>

#include "platform/platform.h"

namespace quorvel {

class TriStateCheck : public Fl_Check_Button {
 public:
  TriStateCheck(int x, int y, int w, int h);

  // 0 clear, 1 checked, 2 grayed; other values are shown as clear.
  void state(int value);
  // The square and the tick at the screen's dots per inch.
  void fitToResolution(int dpi);

  void draw() override;

 private:
  void drawCheckMark(int left, int top, Fl_Color color) const;
  // A length in pixels at 96 dpi at the resolution the box is drawn at.
  int scaled(int pixels) const;

  int state_ = 0;
  int dpi_ = kBaseDpi;
};

}  // namespace quorvel
