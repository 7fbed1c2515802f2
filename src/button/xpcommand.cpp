// The child elements' bookkeeping: every change marks the control for one repaint.
#include "button/xpcommand.h"

#include <algorithm>
#include <utility>

namespace quorvel {

void MarkerStrip::setDot(PixelPoint dot) {
  if (std::find(dots.begin(), dots.end(), dot) == dots.end()) dots.push_back(dot);
}

xpcommand::xpcommand(ControlSurface& surface) : surface_(surface) { 表皮_.visible = true; }

xpcommand::RepaintScope::~RepaintScope() {
  if (--control_.depth_ == 0) control_.flushRepaint();
}

void xpcommand::flushRepaint() {
  if (!std::exchange(dirty_, false)) return;
  surface_.requestRepaint();
}

void xpcommand::setVisible(PictureElement& element, bool visible) {
  if (element.visible == visible) return;
  element.visible = visible;
  dirty_ = true;
}

void xpcommand::setPicture(PictureElement& element, const Picture& picture) {
  if (element.picture == picture) return;
  element.picture = picture;
  dirty_ = true;
}

void xpcommand::place(PictureElement& element, TwipsBox box) {
  if (element.box == box) return;
  element.box = box;
  dirty_ = true;
}

void xpcommand::moveCaption(double left, double top) {
  if (text_.box.left == left && text_.box.top == top) return;
  text_.box.left = left;
  text_.box.top = top;
  dirty_ = true;
}

void xpcommand::moveIcon(double left, double top) {
  place(图标_, {left, top, 图标_.box.width, 图标_.box.height});
}

}  // namespace quorvel
