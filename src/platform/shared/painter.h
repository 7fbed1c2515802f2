// The painter's walk over a control's paint list, shared by every backend: the background, the marks,
// the stretched pictures, the centred captions and the dotted strips. A backend supplies only a canvas
// that fills rectangles, puts images and draws single lines of text.
#pragma once

#include <string_view>
#include <vector>

#include "platform/control_surface.h"

namespace quorvel {

// Text in one font: what laying out a caption needs. Pixels.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual void setFont(const CaptionFont& font) = 0;
  virtual double textWidth(std::string_view text) = 0;
  virtual int lineHeight() = 0;  // from one baseline to the next
  virtual int ascent() = 0;      // from a line's top to its baseline
};

// Where the painter draws. Coordinates are pixels relative to the control's top-left corner; colours
// may name system colours (high bit set), which the canvas resolves.
class Canvas : public TextMeasure {
 public:
  // Clips to the rectangle within the current clip, until the matching popClip.
  virtual void pushClip(const PixelRect& rect) = 0;
  virtual void popClip() = 0;
  virtual void fillRect(const PixelRect& rect, Color color) = 0;
  // rect.width * rect.height pixels, row by row from the top, each 0x00BBGGRR.
  virtual void drawImage(const PixelRect& rect, const std::vector<Color>& pixels) = 0;
  // One line of text in the font set last, starting at `left` with its baseline at `baseline`.
  virtual void drawText(std::string_view line, int left, int baseline, Color color) = 0;
};

// Paints the list onto a control of width x height pixels, clipped to it.
void paintList(const PaintList& list, int width, int height, Canvas& canvas);

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// Extent of a text as the painter lays it out: one line per line end, wrapped at wrapWidth pixels when
// that is positive; an empty text is one line high.
PixelSize measureText(std::string_view text, const CaptionFont& font, int wrapWidth, TextMeasure& measure);

// A bitmap scaled to width x height by nearest neighbour, each target pixel taking the source pixel
// under its centre.
std::vector<Color> stretchNearest(const Bitmap& source, int width, int height);

}  // namespace quorvel
