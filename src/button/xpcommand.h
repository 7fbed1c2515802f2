// The push button `xpcommand`: a stack of child elements (skin pieces of three looks, caption, icon,
// dotted focus strips) that it lays out, switches and hands to the host's painter, with its properties,
// their stored form, and the input handling that raises its events.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "button/elements.h"
#include "button/piece.h"
#include "button/property_store.h"
#include "platform/control_surface.h"

namespace quorvel {

// The events raised to the host, synchronously; arguments by reference, so a handler may change them.
struct XpcommandEvents {
  using PointerEvent = std::function<void(std::int16_t& button, std::int16_t& shift, float& x, float& y)>;
  using KeyEvent = std::function<void(std::int16_t& keyCode, std::int16_t& shift)>;
  std::function<void()> Click;
  std::function<void()> MouseGoOut;
  std::function<void()> mouseIsOver;
  PointerEvent MouseDown;
  PointerEvent MouseUp;
  PointerEvent MouseMove;
  std::function<void()> DblClick;
  KeyEvent KeyDown;
  std::function<void(std::int16_t& keyAscii)> KeyPress;
  KeyEvent KeyUp;
  std::function<void()> Resize;
};

enum class Strip { lleft, Lright, Lup, Ldown };

class xpcommand {
 public:
  // The surface must outlive the control. The control comes up with every piece hidden.
  explicit xpcommand(ControlSurface& surface);

  XpcommandEvents events;

  // Layout: runs on every size change of the surface and at the end of 处理图标.
  void UserControl_Resize();
  // 处理图标 ("handle the icon"): fits the caption to the icon layout mode, then lays out.
  void 处理图标();

  // Looks: 0 framed, 1 hover, 2 plain; any other value hides every piece.
  void changeit(std::int32_t n);
  // change风格 ("change style"): loads the pictures of skin style 0, 1 or 2 into the pieces; other values
  // change nothing.
  void change风格(std::int32_t s);
  // Runs each time the control becomes visible on its container.
  void UserControl_Show();

  // Properties.
  std::string Caption() const { return text_.caption; }
  void setCaption(std::string caption);
  CaptionFont Font() const { return text_.font; }
  void setFont(const CaptionFont& font);
  bool FontBold() const { return text_.font.bold; }
  void setFontBold(bool on);
  bool FontItalic() const { return text_.font.italic; }
  void setFontItalic(bool on);
  bool FontStrikethru() const { return text_.font.strikethru; }
  void setFontStrikethru(bool on);
  bool FontUnderline() const { return text_.font.underline; }
  void setFontUnderline(bool on);
  std::string fontname() const { return text_.font.name; }
  void setfontname(std::string name);
  float FontSize() const { return text_.font.size; }
  void setFontSize(float points);
  Color ForeColor() const { return text_.color; }
  void setForeColor(Color color);
  std::string ToolTipText() const { return toolTip_; }
  void setToolTipText(std::string text);
  Picture icon() const { return 图标_.picture; }
  void seticon(Picture picture);
  bool Enabled() const { return surface_.enabled(); }
  void setEnabled(bool enabled);
  // 图 ("picture"): icon layout mode 0..6: whether and where the icon goes, and how the caption fits.
  std::int32_t 图() const { return 图_; }
  void set图(std::int32_t mode);
  // 风格 ("style"): which of the three skins the looks are drawn with.
  std::int32_t 风格() const { return 风格_; }
  void set风格(std::int32_t style);
  // 虚线框 ("dotted frame"): 1 keeps the dotted focus frame hidden.
  std::int32_t 虚线框() const { return 虚线框_; }
  void set虚线框(std::int32_t value);
  // 蓝色框 ("blue frame"): 1 makes the framed look the resting look, 0 the plain look. Not a plain read:
  // applies the idle look first.
  std::int32_t 蓝色框();
  void set蓝色框(std::int32_t value);

  // The stored property set: read once when the host creates the instance, written when it saves.
  void readProperties(const PropertyStore& store);
  void writeProperties(PropertyStore& store);

  // Input from the host's surface, which covers the whole control (the skin and the caption are drawn on
  // it). Coordinates are twips from the control's top-left corner.
  void mouseMove(std::int16_t button, std::int16_t shift, float x, float y);
  void mouseDown(std::int16_t button, std::int16_t shift, float x, float y);
  void mouseUp(std::int16_t button, std::int16_t shift, float x, float y);
  void dblClick();
  void keyDown(std::int16_t keyCode, std::int16_t shift);
  void keyPress(std::int16_t keyAscii);
  void keyUp(std::int16_t keyCode, std::int16_t shift);
  void gotFocus();
  void lostFocus();

  // State, for the host's painter and for checks.
  bool hovering() const { return hovering_; }
  bool pressed() const { return pressed_; }
  bool focused() const { return focused_; }
  double textRestLeft() const { return textRestLeft_; }
  double textRestTop() const { return textRestTop_; }
  double iconRestLeft() const { return iconRestLeft_; }
  double iconRestTop() const { return iconRestTop_; }
  double savedForeColor() const { return savedForeColor_; }
  const TextElement& text() const { return text_; }
  const PictureElement& 图标() const { return 图标_; }  // the icon
  const PictureElement& 表皮() const { return 表皮_; }  // the skin: transparent, covers the whole control
  const PictureElement& piece(Piece piece, int look) const { return pieces_[index(piece)][look]; }
  const PictureElement& 内部(int look) const { return piece(Piece::内部, look); }  // a look's interior
  const MarkerStrip& strip(Strip which) const { return strips_[static_cast<int>(which)]; }
  const Picture& black() const { return black_; }
  // Everything visible, from the back to the front, in whole pixels.
  PaintList paintList() const;

 private:
  // Collects every change of an outermost operation into one repaint request.
  class RepaintScope {
   public:
    explicit RepaintScope(xpcommand& control) : control_(control) { ++control_.depth_; }
    ~RepaintScope();
    RepaintScope(const RepaintScope&) = delete;
    RepaintScope& operator=(const RepaintScope&) = delete;

   private:
    xpcommand& control_;
  };

  PictureElement& pieceRef(Piece p, int look) { return pieces_[index(p)][look]; }
  void setVisible(PictureElement& element, bool visible);
  void setPicture(PictureElement& element, const Picture& picture);
  void place(PictureElement& element, TwipsBox box);
  void showStrips(bool show);
  void moveCaption(double left, double top);
  void moveIcon(double left, double top);
  void setControlSize(double width, double height);
  void setCaptionWidth(double width);
  void setCaptionHeight(double height);
  void setWordWrap(bool on);
  void changeFont(const CaptionFont& font, std::string_view notification);
  // One attribute of the caption font changed, the rest kept.
  template <typename T>
  void changeFontField(T CaptionFont::*field, T value, std::string_view notification);
  void fitCaptionToText();
  void applyIdleLook();  // the read of 蓝色框, value unused
  void showIdleLook();   // plain or framed by 蓝色框, unless already shown
  void disable();
  void enable();
  // Raises an event to the host. What changed so far is asked to be painted first: the host's handler
  // may open a modal box, which must show the control as it stands. The handler is copied before the
  // call, so it may replace itself.
  template <typename Event, typename... Args>
  void raise(const Event& event, Args&... args) {
    flushRepaint();
    if (Event handler = event) handler(args...);
  }
  void flushRepaint();
  void pressLook();
  void endPress();  // back to rest, used when the pointer leaves while pressed
  bool outside(float x, float y) const;

  ControlSurface& surface_;
  PictureElement 表皮_;
  TextElement text_;
  std::array<std::array<PictureElement, kLookCount>, kPieceCount> pieces_{};
  PictureElement 图标_;
  std::array<MarkerStrip, 4> strips_{};
  Picture black_;
  PersistentSurface surfaceDrawing_;
  std::string toolTip_;

  std::int32_t 图_ = 0;
  std::int32_t 风格_ = 0;
  std::int32_t 虚线框_ = 0;
  std::int32_t 蓝色框_ = 0;
  bool hovering_ = false;
  bool pressed_ = false;
  bool focused_ = false;
  double textRestLeft_ = 0;
  double textRestTop_ = 0;
  double iconRestLeft_ = 0;
  double iconRestTop_ = 0;
  double savedForeColor_ = 0;

  int depth_ = 0;
  bool dirty_ = false;
};

}  // namespace quorvel
