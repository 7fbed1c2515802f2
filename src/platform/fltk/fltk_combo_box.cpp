#include "platform/fltk/fltk_combo_box.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "platform/fltk/fltk_labels.h"
#include "platform/shared/window_layout.h"

namespace quorvel {
namespace {

constexpr int kArrowButtonWidth = 17;

// The button at the right end that drops the list down; it never takes the focus.
class ArrowButton : public Fl_Widget {
 public:
  ArrowButton(int x, int y, int w, int h, ComboBox& combo) : Fl_Widget(x, y, w, h), combo_(combo) {
    box(FL_UP_BOX);
    clear_visible_focus();
  }

  void draw() override {
    draw_box(Fl::pushed() == this ? FL_DOWN_BOX : FL_UP_BOX, FL_BACKGROUND_COLOR);
    fl_color(active_r() ? FL_FOREGROUND_COLOR : fl_inactive(FL_FOREGROUND_COLOR));
    const int cx = x() + w() / 2;
    const int cy = y() + h() / 2;
    const int half = scaledPixels(4, combo_.dpi());
    const int rise = scaledPixels(2, combo_.dpi());
    fl_polygon(cx - half, cy - rise, cx + half, cy - rise, cx, cy + rise);
  }

  int handle(int event) override {
    if (event != FL_PUSH) return Fl_Widget::handle(event);
    combo_.openList();
    return 1;
  }

 private:
  ComboBox& combo_;
};

}  // namespace

ComboBox::ComboBox(int x, int y, int w, int h, const std::vector<std::string>& items) : Fl_Group(x, y, w, h) {
  input_ = new TextField(x, y, w - arrowWidth(w), h);
  input_->interceptKey = [this] { return navigationKey(); };
  arrow_ = new ArrowButton(x + w - arrowWidth(w), y, arrowWidth(w), h, *this);
  end();

  labels_.reserve(items.size());
  for (const std::string& item : items) labels_.push_back(literalMenuLabel(item));
  for (const std::string& label : labels_) {
    Fl_Menu_Item entry{};
    entry.text = label.c_str();
    entry.labeltype_ = FL_NORMAL_LABEL;
    entry.labelcolor_ = FL_FOREGROUND_COLOR;
    menu_.push_back(entry);
  }
  menu_.push_back(Fl_Menu_Item{});  // end of the list
}

void ComboBox::fitToResolution(ResolvedFont font, int dpi) {
  for (Fl_Menu_Item& entry : menu_) {
    if (!entry.text) continue;  // the end of the list
    entry.labelfont_ = static_cast<Fl_Font>(font.face);
    entry.labelsize_ = font.pixels;
  }
  dpi_ = dpi;
  resize(x(), y(), w(), h());
  redraw();
}

int ComboBox::arrowWidth(int w) const { return std::min(scaledPixels(kArrowButtonWidth, dpi_), w / 2); }

void ComboBox::resize(int x, int y, int w, int h) {
  Fl_Widget::resize(x, y, w, h);
  input_->resize(x, y, w - arrowWidth(w), h);
  arrow_->resize(x + w - arrowWidth(w), y, arrowWidth(w), h);
}

void ComboBox::openList() {
  if (labels_.empty()) return;
  input_->take_focus();
  const Fl_Menu_Item* picked = menu_.front().pulldown(x(), y(), w(), h());
  if (picked) choose(static_cast<int>(picked - menu_.data()));
}

bool ComboBox::navigationKey() {
  if (Fl::event_state() & (FL_CTRL | FL_META)) return false;
  const int key = Fl::event_key();
  const bool alt = (Fl::event_state() & FL_ALT) != 0;
  if (key == FL_F + 4 || (alt && (key == FL_Down || key == FL_Up))) {
    openList();
    return true;
  }
  if (alt || (key != FL_Up && key != FL_Down)) return false;
  step(key == FL_Down ? 1 : -1);
  return true;
}

void ComboBox::step(int delta) {
  const int count = static_cast<int>(labels_.size());
  const int picked = pickedItem ? pickedItem() : -1;
  if (count == 0) return;
  const int next = picked < 0 ? 0 : std::clamp(picked + delta, 0, count - 1);
  if (next != picked) choose(next);
}

// The item's text is in the text part once the pick is reported, and selected.
void ComboBox::choose(int index) {
  if (onPicked) onPicked(index);
  input_->position(input_->size(), 0);
}

}  // namespace quorvel
