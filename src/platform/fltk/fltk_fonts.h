// Fonts for controls: a requested face resolved to an installed family that has Chinese glyphs, since
// FLTK draws each text with one face and never falls back glyph by glyph.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <utility>

#include "platform/control_surface.h"
#include "platform/platform.h"

namespace quorvel {

// An FLTK face number and a size in pixels.
struct ResolvedFont {
  int face = 0;
  int pixels = 12;
};

// Weight and slant of a face, as FLTK tells them apart: the first letter of the name it registers.
enum class FaceStyle : char { regular = ' ', bold = 'B', italic = 'I', boldItalic = 'P' };

class FontCatalog {
 public:
  // The font at a screen's dots per inch. Registers the face with FLTK on first use. Needs the display
  // to be open.
  ResolvedFont resolve(const FontSpec& spec, int dpi, FaceStyle style = FaceStyle::regular);
  // A caption's font in its weight and slant: bold from the flag or from a bold weight.
  ResolvedFont resolve(const CaptionFont& font, int dpi);

 private:
  int faceFor(const std::string& name, FaceStyle style);

  std::map<std::string, std::string> families_;             // installed family by requested name
  std::map<std::pair<std::string, FaceStyle>, int> faces_;  // FLTK face by requested name and style
  std::deque<std::string> names_;                           // FLTK keeps a pointer to each registered name
};

}  // namespace quorvel
