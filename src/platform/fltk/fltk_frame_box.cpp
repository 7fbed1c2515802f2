#include "platform/fltk/fltk_frame_box.h"

#include <FL/fl_draw.H>

namespace quorvel {
namespace {

constexpr int kCaptionIndent = 8;

}  // namespace

FrameBox::FrameBox(int x, int y, int w, int h) : Fl_Group(x, y, w, h) {
  box(FL_FLAT_BOX);
  color(FL_BACKGROUND_COLOR);
  resizable(nullptr);  // what the frame holds keeps its size: the window's layout places it
  end();
}

void FrameBox::draw() {
  if (damage() & ~FL_DAMAGE_CHILD) {
    fl_rectf(x(), y(), w(), h(), color());
    fl_font(labelfont(), labelsize());
    const int lineHeight = fl_height();
    const int edge = lineHeight / 2;
    fl_draw_box(FL_ENGRAVED_FRAME, x(), y() + edge, w(), h() - edge, color());
    if (label() && *label()) {
      int textWidth = 0;
      int textHeight = 0;
      fl_measure(label(), textWidth, textHeight, 0);
      fl_rectf(x() + kCaptionIndent - 2, y(), textWidth + 4, lineHeight, color());
      draw_label(x() + kCaptionIndent, y(), textWidth, lineHeight, FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    }
  }
  draw_children();
}

}  // namespace quorvel
