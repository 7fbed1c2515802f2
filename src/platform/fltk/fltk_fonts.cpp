#include "platform/fltk/fltk_fonts.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "platform/shared/font_policy.h"

namespace quorvel {
namespace {

constexpr double kPointsPerInch = 72;
// A character every font for this program's captions must have (from "启动").
constexpr FcChar32 kProbeCharacter = 0x542F;

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};

// The first installed family, in fontconfig's order for the candidates, that has Chinese glyphs; where
// none of them is installed, what fontconfig prefers for Simplified Chinese.
std::optional<std::string> chineseFamily(const std::string& name) {
  std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  for (const std::string& family : faceCandidates(name)) {
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  }
  FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  std::unique_ptr<FcFontSet, FontSetDeleter> fonts(
      FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
  if (!fonts) return std::nullopt;
  for (int i = 0; i < fonts->nfont; ++i) {
    FcCharSet* charset = nullptr;
    FcChar8* family = nullptr;
    if (FcPatternGetCharSet(fonts->fonts[i], FC_CHARSET, 0, &charset) != FcResultMatch) continue;
    if (!FcCharSetHasChar(charset, kProbeCharacter)) continue;
    if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch) continue;
    return std::string(reinterpret_cast<const char*>(family));
  }
  return std::nullopt;
}

}  // namespace

ResolvedFont FontCatalog::resolve(const FontSpec& spec, int dpi, FaceStyle style) {
  const double points = pointsToDraw(spec.points);
  const int pixels = std::max(1, static_cast<int>(std::lround(points * dpi / kPointsPerInch)));
  return ResolvedFont{faceFor(spec.name, style), pixels};
}

ResolvedFont FontCatalog::resolve(const CaptionFont& font, int dpi) {
  const bool bold = weightToDraw(font) >= kBoldWeight;
  const FaceStyle style = bold ? (font.italic ? FaceStyle::boldItalic : FaceStyle::bold)
                               : (font.italic ? FaceStyle::italic : FaceStyle::regular);
  return resolve(FontSpec{font.name, font.size, font.charset}, dpi, style);
}

int FontCatalog::faceFor(const std::string& name, FaceStyle style) {
  const auto key = std::make_pair(name, style);
  if (const auto known = faces_.find(key); known != faces_.end()) return known->second;
  auto family = families_.find(name);
  if (family == families_.end()) family = families_.emplace(name, chineseFamily(name).value_or("")).first;
  int face = FL_HELVETICA;
  if (!family->second.empty()) {
    face = FL_FREE_FONT + static_cast<int>(names_.size());
    // FLTK's Xft driver reads weight and slant off the name's first letter; fontconfig makes up the
    // bold and slanted forms of a face that has none.
    names_.push_back(static_cast<char>(style) + family->second);
    Fl::set_font(static_cast<Fl_Font>(face), names_.back().c_str());
  } else if (style != FaceStyle::regular) {
    face = FL_HELVETICA | (style != FaceStyle::italic ? FL_BOLD : 0) |
           (style != FaceStyle::bold ? FL_ITALIC : 0);
  }
  faces_.emplace(key, face);
  return face;
}

}  // namespace quorvel
