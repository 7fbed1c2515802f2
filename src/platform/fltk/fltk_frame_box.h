// A group box: an etched frame whose top edge runs through the middle of its caption font's line, as
// on a dialog, with the caption (if any) on a gap in that edge.
#pragma once

#include <FL/Fl_Group.H>

namespace quorvel {

class FrameBox : public Fl_Group {
 public:
  FrameBox(int x, int y, int w, int h);

  void draw() override;
};

}  // namespace quorvel
