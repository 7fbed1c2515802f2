// What an owner-drawn control needs from its host, and the element list a backend's painter draws for
// it. The control itself never paints: it keeps its elements and hands them over in stacking order.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/platform.h"

namespace quorvel {

// A 24-bit bitmap, row by row from the top, each pixel 0x00BBGGRR.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<Color> pixels;

  Color at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
  friend bool operator==(const Bitmap&, const Bitmap&) = default;
};

// Pictures are shared, never changed once made: moving one between elements moves a reference.
using Picture = std::shared_ptr<const Bitmap>;

// The caption font with every attribute the control keeps.
struct CaptionFont {
  std::string name;
  float size = 0;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethru = false;
  int weight = 400;
  int charset = 0;
  friend bool operator==(const CaptionFont&, const CaptionFont&) = default;
};

struct TwipsSize {
  double width = 0;
  double height = 0;
};

// Whole pixels relative to the control's top-left corner.
struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A bitmap scaled to fill its rectangle.
struct StretchedBitmap {
  PixelRect rect;
  Picture picture;
};

// Text on a transparent background, each line centred within the rectangle's width; wrapped at that
// width when wordWrap is set, clipped to the rectangle.
struct CenteredText {
  PixelRect rect;
  std::string text;
  CaptionFont font;
  Color color = kButtonTextColor;
  bool wordWrap = false;
};

// An opaque one-pixel strip filled with `background`, with single dots relative to the strip.
struct DottedStrip {
  PixelRect rect;
  Color background = 0x00FFFFFF;
  Color dotColor = kWindowTextColor;
  std::vector<PixelPoint> dots;
};

using PaintElement = std::variant<StretchedBitmap, CenteredText, DottedStrip>;

// Marks on the control's own surface. A line covers its first point and stops before its last.
struct SurfaceLine {
  PixelPoint from;
  PixelPoint to;
  Color color = 0;
};
struct SurfacePixel {
  PixelPoint at;
  Color color = 0;
};
using SurfaceMark = std::variant<SurfaceLine, SurfacePixel>;

// The pixels a line covers: steps along the longer axis, halves rounded the same way in every direction,
// the last point left out.
std::vector<PixelPoint> linePixels(const SurfaceLine& line);

// Everything a painter draws: the surface's background, its marks in the order they were made, then
// the elements from the back to the front.
struct PaintList {
  Color background = 0;
  std::vector<SurfaceMark> marks;
  std::vector<PaintElement> elements;
};

// The font a hosted control inherits from its container when it has none of its own: the face, size
// and character set of its placement's font.
CaptionFont ambientFontFor(const FontSpec& font);

// What the host delivers to the control it carries. Pointer coordinates are twips relative to the
// control's top-left corner and may lie outside it while the control holds the capture. Buttons: 1 left,
// 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt. Key codes are virtual-key codes (13 Enter, 32 Space).
class ControlSurfaceClient {
 public:
  virtual ~ControlSurfaceClient() = default;
  virtual void surfaceResized() = 0;
  virtual void surfaceShown() = 0;
  virtual void pointerMoved(std::int16_t button, std::int16_t shift, float x, float y) = 0;
  virtual void pointerPressed(std::int16_t button, std::int16_t shift, float x, float y) = 0;
  virtual void pointerReleased(std::int16_t button, std::int16_t shift, float x, float y) = 0;
  // The second press of a double click comes as this instead of a press; its release follows as usual.
  virtual void doubleClicked() = 0;
  virtual void keyDown(std::int16_t keyCode, std::int16_t shift) = 0;
  virtual void keyPressed(std::int16_t keyAscii) = 0;
  virtual void keyUp(std::int16_t keyCode, std::int16_t shift) = 0;
  virtual void focusEntered() = 0;
  virtual void focusLeft() = 0;
  // What to draw, from the back to the front.
  virtual PaintList paintList() const = 0;
};

// The host side of one control: a window-system surface that takes input for the control.
class ControlSurface {
 public:
  virtual ~ControlSurface() = default;

  // Size in twips. A size set by the control does not come back to it as a size notification: the
  // control runs its own layout after setting it.
  virtual TwipsSize size() const = 0;
  virtual void setSize(TwipsSize size) = 0;

  // A disabled surface delivers no pointer or keyboard input.
  virtual bool enabled() const = 0;
  virtual void setEnabled(bool enabled) = 0;

  // Asks the host to give the control the focus; the host answers with the control's focus-enter
  // handling, or does nothing if the control cannot take it.
  virtual void requestFocus() = 0;

  // Pointer capture: while held, every pointer move reaches the control, also outside it.
  virtual void setCapture() = 0;
  virtual void releaseCapture() = 0;

  virtual void setToolTip(std::string_view text) = 0;

  // Extent of a text in the given font, in twips: one line of natural width, or wrapped at wrapWidth
  // when wrapWidth is positive.
  virtual TwipsSize measureText(std::string_view text, const CaptionFont& font, double wrapWidth) const = 0;

  // Font of the containing window, the default of a stored instance without its own font.
  virtual CaptionFont ambientFont() const = 0;

  // The control's stored property set is out of date.
  virtual void propertyChanged(std::string_view name) = 0;

  // Something visible changed; the host repaints from the control's paint list when it suits it.
  virtual void requestRepaint() = 0;
};

}  // namespace quorvel
