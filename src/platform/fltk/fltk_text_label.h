// Text on the background, starting exactly at the widget's left edge: FLTK's own boxes indent a
// left-aligned label by a few pixels, which would shift every caption off its place.
#pragma once

#include <FL/Fl_Box.H>

namespace quorvel {

class TextLabel : public Fl_Box {
 public:
  TextLabel(int x, int y, int w, int h);

  void draw() override;
};

}  // namespace quorvel
