// The child elements of the button: what each keeps, not how it is drawn.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "platform/control_surface.h"

namespace quorvel {

// Twips to a pixel edge: the nearest one, halves to the right and down, so that pieces which meet in
// twips meet in pixels and a centred caption shifts the same way whichever side the half falls on.
inline int pixelEdge(double twips) { return static_cast<int>(std::floor(twips / kTwipsPerPixel + 0.5)); }

// Real-valued twips relative to the control's top-left corner; rounded only when painted.
struct TwipsBox {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  friend bool operator==(const TwipsBox&, const TwipsBox&) = default;
};

// A rectangle showing one bitmap scaled to fill it; without a bitmap it draws nothing.
struct PictureElement {
  TwipsBox box;
  Picture picture;
  bool visible = false;
};

// The caption, always sized to its text: one line of natural width without word wrap; with it, a fixed
// width and as many lines as the text needs (until the layout cuts the height).
struct TextElement {
  TwipsBox box;
  std::string caption;
  CaptionFont font;
  Color color = kButtonTextColor;
  bool wordWrap = false;
  bool visible = true;
};

// An opaque white strip one pixel thick; dots set on it stay.
struct MarkerStrip {
  TwipsBox box;
  bool visible = false;
  Color dotColor = kWindowTextColor;
  std::vector<PixelPoint> dots;  // pixels relative to the strip, each once

  void setDot(PixelPoint dot);
};

// The control's own surface: what was drawn on it stays until its background is set again.
struct PersistentSurface {
  Color background = kSystemColorFlag | 15u;  // the system button-face colour
  std::vector<SurfaceMark> marks;

  void setBackground(Color color) {
    background = color;
    marks.clear();
  }
};

}  // namespace quorvel
