// A drop-down combo box: an editable text part and a button that opens the item list. Choosing an item
// with the mouse or stepping through the items with the arrow keys picks it.
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
  ComboBox(int x, int y, int w, int h, const std::vector<std::string>& items);
  // The list in the font, the arrow button as wide as the screen's dots per inch make it.
  void fitToResolution(ResolvedFont font, int dpi);
  // The text part takes the width the arrow button leaves.
  void resize(int x, int y, int w, int h) override;

  TextField& input() { return *input_; }
  int dpi() const { return dpi_; }

  // The user chose an item; whoever hears it puts the item's text in the text part.
  std::function<void(int item)> onPicked;
  // The item chosen last, -1 when typing has chosen none: the arrow keys step on from there.
  std::function<int()> pickedItem;

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
  std::vector<std::string> labels_;  // the items as menu labels
  std::vector<Fl_Menu_Item> menu_;
};

}  // namespace quorvel
