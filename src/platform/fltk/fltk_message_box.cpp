#include "platform/fltk/fltk_message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <string>

#include "platform/fltk/fltk_icon.h"
#include "platform/fltk/fltk_labels.h"
#include "platform/fltk/fltk_screen.h"
#include "platform/fltk/fltk_text_label.h"
#include "platform/fltk/fltk_top_window.h"
#include "platform/shared/window_layout.h"

namespace quorvel {
namespace {

constexpr const char* kOkCaption = "确定";

// The box's measures in pixels at a screen's resolution, from theirs at 96 dpi.
struct BoxMetrics {
  explicit BoxMetrics(int screenDpi) : dpi(screenDpi) {}
  int scaled(int pixels) const { return scaledPixels(pixels, dpi); }

  int dpi;
  int margin = scaled(12);
  int iconSize = scaled(32);
  int buttonWidth = scaled(75);
  int buttonHeight = scaled(23);
  int maxTextWidth = scaled(400);
  int minWidth = scaled(120);  // leaves room for the title
};

// The exclamation sign: a yellow warning triangle with a black exclamation mark.
class ExclamationIcon : public Fl_Widget {
 public:
  ExclamationIcon(int x, int y, const BoxMetrics& metrics)
      : Fl_Widget(x, y, metrics.iconSize, metrics.iconSize), metrics_(metrics) {}

  void draw() override {
    const auto px = [this](int pixels) { return metrics_.scaled(pixels); };
    const int left = x();
    const int top = y() + px(1);
    const int right = x() + w() - 1;
    const int bottom = y() + h() - px(2);
    const int middle = x() + w() / 2;
    fl_color(fl_rgb_color(250, 210, 40));
    fl_polygon(middle, top, right, bottom, left, bottom);
    fl_color(fl_rgb_color(120, 90, 0));
    fl_loop(middle, top, right, bottom, left, bottom);
    fl_color(FL_BLACK);
    fl_rectf(middle - px(2), top + px(9), px(4), px(12));
    fl_rectf(middle - px(2), bottom - px(6), px(4), px(4));
  }

 private:
  BoxMetrics metrics_;
};

void closeBox(Fl_Widget* button, void*) { button->window()->hide(); }

}  // namespace

void runMessageBox(std::string_view text, std::string_view title, ResolvedFont font, int dpi) {
  const BoxMetrics m(dpi);
  const std::string message = literalLabel(text);
  fl_font(static_cast<Fl_Font>(font.face), font.pixels);
  int textWidth = m.maxTextWidth;
  int textHeight = 0;
  fl_measure(message.c_str(), textWidth, textHeight, 0);
  textWidth = std::max(textWidth, 1);
  textHeight = std::max(textHeight, m.iconSize);

  const int contentWidth = m.iconSize + m.margin + textWidth;
  const int width = std::max({contentWidth, m.buttonWidth, m.minWidth}) + 2 * m.margin;
  const int height = m.margin + textHeight + m.margin + m.buttonHeight + m.margin;

  Fl_Group::current(nullptr);
  Fl_Double_Window box(width, height);
  box.copy_label(std::string(title).c_str());
  new ExclamationIcon(m.margin, m.margin, m);
  auto* label = new TextLabel(2 * m.margin + m.iconSize, m.margin, textWidth, textHeight);
  label->copy_label(message.c_str());
  label->labelfont(static_cast<Fl_Font>(font.face));
  label->labelsize(font.pixels);
  label->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  auto* ok = new Fl_Button((width - m.buttonWidth) / 2, height - m.margin - m.buttonHeight, m.buttonWidth,
                           m.buttonHeight, kOkCaption);
  ok->labelfont(static_cast<Fl_Font>(font.face));
  ok->labelsize(font.pixels);
  ok->shortcut(FL_Enter);
  ok->callback(closeBox);
  box.end();
  box.set_modal();
  setProgramIcon(box);
  box.position((Fl::w() - width) / 2, (Fl::h() - height) / 2);

  // A control's handler opens the box in the middle of the control's own event, and the control asks
  // for its repaint only once the event is over: what it changed so far is painted now, or the box
  // would stand beside a stale look. The loop below serves exposes and repaints meanwhile.
  for (Fl_Window* window = Fl::first_window(); window; window = Fl::next_window(window)) window->redraw();
  Fl::flush();

  // The control that had the focus gets it back when the box closes, as the user expects. Its window
  // is told too: under a window manager it loses and regains the keyboard once the box is gone.
  Fl_Widget* hadFocus = Fl::focus();
  auto* owner = hadFocus ? dynamic_cast<TopWindow*>(hadFocus->top_window()) : nullptr;
  if (owner && owner->onKeyboardLost) owner->onKeyboardLost(hadFocus);
  fl_beep(FL_BEEP_MESSAGE);
  box.show();
  setUtf8Title(box);
  ok->take_focus();
  while (box.shown()) Fl::wait();
  if (hadFocus && hadFocus->window() && hadFocus->window()->shown()) hadFocus->take_focus();
}

}  // namespace quorvel
