#include "platform/fltk/fltk_check_box.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "platform/shared/window_layout.h"

namespace quorvel {
namespace {

constexpr int kSquare = 13;
constexpr int kGap = 4;  // between the square and the caption

}  // namespace

TriStateCheck::TriStateCheck(int x, int y, int w, int h) : Fl_Check_Button(x, y, w, h) {
  box(FL_FLAT_BOX);  // paints its own background, so the focus mark never leaves traces
  color(FL_BACKGROUND_COLOR);
  align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  type(FL_NORMAL_BUTTON);  // pressed and let go, as a push button: no value of its own changes
}

void TriStateCheck::state(int value) {
  state_ = value;
  redraw();
}

void TriStateCheck::fitToResolution(int dpi) {
  dpi_ = dpi;
  redraw();
}

int TriStateCheck::scaled(int pixels) const { return scaledPixels(pixels, dpi_); }

void TriStateCheck::draw() {
  draw_box(box(), color());
  const int square = scaled(kSquare);
  const int left = x() + scaled(1);
  const int top = y() + (h() - square) / 2;
  const bool grayed = state_ == 2;
  const bool pressed = Fl::pushed() == this;
  fl_draw_box(FL_DOWN_BOX, left, top, square, square,
              grayed || pressed || !active_r() ? FL_BACKGROUND_COLOR : FL_BACKGROUND2_COLOR);
  if (state_ == 1) drawCheckMark(left, top, active_r() ? FL_FOREGROUND_COLOR : FL_INACTIVE_COLOR);
  if (grayed) drawCheckMark(left, top, FL_DARK3);

  const int textLeft = left + square + scaled(kGap);
  draw_label(textLeft, y(), x() + w() - textLeft, h());
  if (Fl::focus() == this && Fl::visible_focus()) {
    if (label() && *label()) {
      draw_focus(FL_NO_BOX, textLeft - 1, y(), x() + w() - textLeft + 1, h());
    } else {
      draw_focus(FL_NO_BOX, left - 1, top - 1, square + 2, square + 2);
    }
  }
}

// The usual tick: a V seven pixels wide and three pixels thick at 96 dpi.
void TriStateCheck::drawCheckMark(int left, int top, Fl_Color color) const {
  fl_color(color);
  const int x0 = left + scaled(3);
  const int y0 = top + scaled(5);
  for (int thickness = 0; thickness < scaled(3); ++thickness) {
    fl_line(x0, y0 + thickness, x0 + scaled(2), y0 + scaled(2) + thickness, x0 + scaled(6),
            y0 - scaled(2) + thickness);
  }
}

}  // namespace quorvel
