// Reading the stored property set when the host creates the instance, writing it when the host saves.
#include <exception>

#include "button/xpcommand.h"

namespace quorvel {
namespace {

// A value that cannot be read or applied is skipped; the instance always comes up.
template <typename Step>
void skippingErrors(Step step) {
  try {
    step();
  } catch (const std::exception&) {
    // Nothing to report: the property keeps the value it had.
  }
}

// Writes the value, or leaves the key out when it equals its default.
template <typename T>
void writeUnlessDefault(PropertyStore& store, std::string_view key, const T& value, const T& fallback) {
  if (value == fallback)
    store.erase(key);
  else
    store.write(key, value);
}

}  // namespace

void xpcommand::readProperties(const PropertyStore& store) {
  RepaintScope scope(*this);
  // The first two and the font attributes go to the elements directly, without notifying the host.
  auto setFontDirectly = [&](CaptionFont f) {
    text_.font = std::move(f);
    dirty_ = true;
    fitCaptionToText();
  };
  skippingErrors([&] { setFontDirectly(store.readFont("Font").value_or(surface_.ambientFont())); });
  skippingErrors([&] {
    toolTip_ = store.readText("ToolTipText");
    surface_.setToolTip(toolTip_);
  });
  skippingErrors([&] { set虚线框(store.readInt32("虚线框")); });
  skippingErrors([&] { set蓝色框(store.readInt32("蓝色框")); });
  skippingErrors([&] { setCaption(store.readText("Caption")); });
  skippingErrors([&] { setEnabled(store.readBool("Enabled", true)); });
  skippingErrors([&] { set风格(store.readInt32("风格", 0)); });
  skippingErrors([&] { set图(store.readInt32("图")); });
  skippingErrors([&] { seticon(store.readPicture("icon")); });
  auto attribute = [&](auto apply) {
    skippingErrors([&] {
      CaptionFont f = text_.font;
      apply(f);
      setFontDirectly(f);
    });
  };
  attribute([&](CaptionFont& f) { f.bold = store.readBool("FontBold"); });
  attribute([&](CaptionFont& f) { f.italic = store.readBool("FontItalic"); });
  attribute([&](CaptionFont& f) { f.name = store.readText("FontName"); });
  attribute([&](CaptionFont& f) { f.size = store.readFloat("FontSize"); });
  attribute([&](CaptionFont& f) { f.strikethru = store.readBool("FontStrikethru"); });
  attribute([&](CaptionFont& f) { f.underline = store.readBool("FontUnderline"); });
  skippingErrors([&] {
    text_.color = store.readColor("ForeColor", kButtonTextColor);
    dirty_ = true;
  });
}

void xpcommand::writeProperties(PropertyStore& store) {
  store.write("蓝色框", 蓝色框());
  store.write("虚线框", 虚线框_);
  store.write("Caption", text_.caption);
  writeUnlessDefault(store, "Enabled", Enabled(), true);
  writeUnlessDefault(store, "风格", 风格_, std::int32_t{0});
  store.write("图", 图_);
  store.write("ToolTipText", toolTip_);
  writeUnlessDefault(store, "icon", 图标_.picture, Picture{});
  writeUnlessDefault(store, "Font", text_.font, surface_.ambientFont());
  writeUnlessDefault(store, "FontBold", text_.font.bold, false);
  writeUnlessDefault(store, "FontItalic", text_.font.italic, false);
  writeUnlessDefault(store, "FontName", text_.font.name, std::string{});
  writeUnlessDefault(store, "FontSize", text_.font.size, 0.0f);
  writeUnlessDefault(store, "FontStrikethru", text_.font.strikethru, false);
  writeUnlessDefault(store, "FontUnderline", text_.font.underline, false);
  writeUnlessDefault(store, "ForeColor", text_.color, kButtonTextColor);
}

}  // namespace quorvel
