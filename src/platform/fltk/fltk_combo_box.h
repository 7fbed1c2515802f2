// A drop-down combo box: an editable text part and a button that opens the item list. Choosing an item
// with the mouse or stepping through the items with the arrow keys selects it; typing selects none.
#pragma once

#include <FL/Fl_Group.H>
#include <FL/Fl_Menu_Item.H>

#include <functional>
#include <string>
#include <vector>

#include "platform/fltk/fltk_fonts.h"
#include "platform/fltk/fltk_text_field.h"
#include "platform/platform.h"

namespace quorvel {

class ComboBox : public Fl_Group {
 public:
  ComboBox(int x, int y, int w, int h, std::vector<std::string> items);
  // The text part and the list in the font, the arrow button as wide as the screen's dots per inch make it.
  void fitToResolution(ResolvedFont font, int dpi);
  // The text part takes the width the arrow button leaves.
  void resize(int x, int y, int w, int h) override;

  TextField& input() { return *input_; }
  const TextField& input() const { return *input_; }
  int selected() const { return selected_; }
  int dpi() const { return dpi_; }

  // The user chose an item; the text part already shows it. `textChanged` tells whether it differs
  // from what was there.
  std::function<void(bool textChanged)> onPicked;
  std::function<void()> onEdited;  // the user typed in the text part

  void openList();

 private:
  bool navigationKey();
  void step(int delta);
  void choose(int index);

  // The arrow button's width for a box `w` pixels wide.
  int arrowWidth(int w) const;

  TextField* input_;
  Fl_Widget* arrow_;
  int dpi_ = kBaseDpi;
  std::vector<std::string> items_;
  std::vector<std::string> labels_;  // the items as menu labels
  std::vector<Fl_Menu_Item> menu_;
  int selected_ = -1;
};

}  // namespace quorvel
