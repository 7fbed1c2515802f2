// Fonts for controls: a requested face resolved to an installed family that has Chinese glyphs, since
// FLTK draws each text with one face and never falls back glyph by glyph.
#pragma once

#include <deque>
#include <map>
#include <string>

#include "platform/platform.h"

namespace quorvel {

// An FLTK face number and a size in pixels.
struct ResolvedFont {
  int face = 0;
  int pixels = 12;
};

class FontCatalog {
 public:
  // Registers the face with FLTK on first use. Needs the display to be open.
  ResolvedFont resolve(const FontSpec& spec);

 private:
  int faceFor(const std::string& name);

  std::map<std::string, int> faces_;  // by requested name
  std::deque<std::string> names_;     // FLTK keeps a pointer to each registered name
};

}  // namespace quorvel
