// Draws an owner-drawn control's paint list with FLTK, and lays out its caption text the same way for
// measuring and for drawing, so that a caption sized by measuring fits where it is drawn.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/control_surface.h"
#include "platform/fltk/fltk_fonts.h"

namespace quorvel {

ResolvedFont resolveCaptionFont(FontCatalog& fonts, const CaptionFont& font);

// The lines of a text in the current FLTK font: broken at line ends and, when wrapWidth is positive,
// wrapped at blanks and around Chinese characters so that each line fits; a word wider than a whole
// line is broken between characters. Blanks at a wrap are dropped.
std::vector<std::string> textLines(std::string_view text, int wrapWidth);

// Width and height in pixels of the text's lines in the current FLTK font; an empty text is one line.
struct TextExtent {
  int width = 0;
  int height = 0;
};
TextExtent measureLines(const std::vector<std::string>& lines);

// Paints the list into the rectangle (x, y, w, h) of the current window, clipped to it.
void paintList(const PaintList& list, int x, int y, int w, int h, FontCatalog& fonts);

}  // namespace quorvel
