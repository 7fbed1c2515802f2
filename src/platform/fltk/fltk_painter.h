// The canvas the shared painter draws an owner-drawn control on with FLTK, and its text measures.
#pragma once

#include <string_view>
#include <vector>

#include "platform/fltk/fltk_fonts.h"
#include "platform/shared/painter.h"

namespace quorvel {

// Draws into the current FLTK window with the control's top-left corner at (x, y). Coordinates are
// pixels at 96 dpi, scaled to the screen's `dpi`, each pixel of a picture to a block of whole pixels;
// text is drawn in fonts at that resolution, so it stays sharp, and measured back in pixels at 96 dpi.
// Text measures need only the display, so a canvas at (0, 0) serves for measuring outside drawing.
class FltkCanvas final : public Canvas {
 public:
  FltkCanvas(int x, int y, int dpi, FontCatalog& fonts) : x_(x), y_(y), dpi_(dpi), fonts_(fonts) {}

  void setFont(const CaptionFont& font) override;
  double textWidth(std::string_view text) override;
  int lineHeight() override;
  int ascent() override;
  void pushClip(const PixelRect& rect) override;
  void popClip() override;
  void fillRect(const PixelRect& rect, Color color) override;
  void drawImage(const PixelRect& rect, const std::vector<Color>& pixels) override;
  void drawText(std::string_view line, int left, int baseline, Color color) override;

 private:
  // The screen's pixels a rectangle covers, in the window.
  PixelRect device(const PixelRect& rect) const;
  // Screen pixels back to pixels at 96 dpi; exactly the same number at 96 dpi.
  double unscaled(double pixels) const { return pixels * (double{kBaseDpi} / dpi_); }

  int x_;
  int y_;
  int dpi_;
  FontCatalog& fonts_;
};

}  // namespace quorvel
