// Property setters and what each does after storing its value.
#include <utility>

#include "button/xpcommand.h"

namespace quorvel {

void xpcommand::setCaption(std::string caption) {
  RepaintScope scope(*this);
  if (text_.caption != caption) {
    text_.caption = std::move(caption);
    dirty_ = true;
    fitCaptionToText();
  }
  处理图标();
}

void xpcommand::setToolTipText(std::string text) {
  surface_.setToolTip(text);
  toolTip_ = std::move(text);
}

// A font change resizes the caption to its text where it stands; only the caption, the icon and the
// layout mode re-lay it out.
void xpcommand::changeFont(const CaptionFont& font, std::string_view notification) {
  RepaintScope scope(*this);
  if (!(text_.font == font)) {
    text_.font = font;
    dirty_ = true;
    fitCaptionToText();
  }
  surface_.propertyChanged(notification);
}

void xpcommand::setFont(const CaptionFont& font) { changeFont(font, "Font"); }

template <typename T>
void xpcommand::changeFontField(T CaptionFont::*field, T value, std::string_view notification) {
  CaptionFont f = text_.font;
  f.*field = std::move(value);
  changeFont(f, notification);
}

void xpcommand::setFontBold(bool on) { changeFontField(&CaptionFont::bold, on, "FontBold"); }
void xpcommand::setFontItalic(bool on) { changeFontField(&CaptionFont::italic, on, "FontItalic"); }
void xpcommand::setFontStrikethru(bool on) {
  changeFontField(&CaptionFont::strikethru, on, "FontStrikethru");
}
void xpcommand::setFontUnderline(bool on) { changeFontField(&CaptionFont::underline, on, "FontUnderline"); }
void xpcommand::setfontname(std::string name) {
  changeFontField(&CaptionFont::name, std::move(name), "FontName");
}
void xpcommand::setFontSize(float points) { changeFontField(&CaptionFont::size, points, "FontSize"); }

void xpcommand::setForeColor(Color color) {
  RepaintScope scope(*this);
  if (text_.color != color) {
    text_.color = color;
    dirty_ = true;
  }
  surface_.propertyChanged("ForeColor");
}

void xpcommand::seticon(Picture picture) {
  RepaintScope scope(*this);
  setPicture(图标_, picture);
  surface_.propertyChanged("icon");
  处理图标();
}

void xpcommand::set图(std::int32_t mode) {
  RepaintScope scope(*this);
  图_ = mode;
  surface_.propertyChanged("图");
  处理图标();
}

void xpcommand::set风格(std::int32_t style) {
  RepaintScope scope(*this);
  风格_ = style;
  surface_.propertyChanged("风格");
  change风格(style);
}

void xpcommand::set虚线框(std::int32_t value) {
  虚线框_ = value;
  surface_.propertyChanged("虚线框");
}

void xpcommand::set蓝色框(std::int32_t value) {
  蓝色框_ = value;
  surface_.propertyChanged("蓝色框");
}

}  // namespace quorvel
