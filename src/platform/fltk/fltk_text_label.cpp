#include "platform/fltk/fltk_text_label.h"

namespace quorvel {

TextLabel::TextLabel(int x, int y, int w, int h) : Fl_Box(x, y, w, h) {
  box(FL_NO_BOX);
  align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE);
}

void TextLabel::draw() {
  draw_box();
  draw_label(x(), y(), w(), h());
}

}  // namespace quorvel
