// The canvas the shared painter draws an owner-drawn control on with FLTK, and its text measures.
#pragma once

#include <string_view>
#include <vector>

#include "platform/painter.h"
#include "platform/fltk/fltk_fonts.h"

namespace quorvel {

ResolvedFont resolveCaptionFont(FontCatalog& fonts, const CaptionFont& font);

// Draws into the current FLTK window with the control's top-left corner at (x, y). Text measures need
// only the display, so a canvas at (0, 0) serves for measuring outside drawing.
class FltkCanvas final : public Canvas {
 public:
  FltkCanvas(int x, int y, FontCatalog& fonts) : x_(x), y_(y), fonts_(fonts) {}

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
  int x_;
  int y_;
  FontCatalog& fonts_;
};

}  // namespace quorvel
