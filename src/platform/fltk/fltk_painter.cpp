#include "platform/fltk/fltk_painter.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "platform/fltk/fltk_colors.h"

namespace quorvel {
namespace {

uchar red(Color c) { return static_cast<uchar>(c & 0xFFu); }
uchar green(Color c) { return static_cast<uchar>((c >> 8) & 0xFFu); }
uchar blue(Color c) { return static_cast<uchar>((c >> 16) & 0xFFu); }

}  // namespace

ResolvedFont resolveCaptionFont(FontCatalog& fonts, const CaptionFont& font) { return fonts.resolve(font); }

void FltkCanvas::setFont(const CaptionFont& font) {
  const ResolvedFont resolved = resolveCaptionFont(fonts_, font);
  fl_font(static_cast<Fl_Font>(resolved.face), resolved.pixels);
}

double FltkCanvas::textWidth(std::string_view text) { return fl_width(text.data(), static_cast<int>(text.size())); }

int FltkCanvas::lineHeight() { return fl_height(); }

int FltkCanvas::ascent() { return fl_height() - fl_descent(); }

void FltkCanvas::pushClip(const PixelRect& r) { fl_push_clip(x_ + r.left, y_ + r.top, r.width, r.height); }

void FltkCanvas::popClip() { fl_pop_clip(); }

void FltkCanvas::fillRect(const PixelRect& r, Color color) {
  fl_color(toFlColor(color));
  if (r.width == 1 && r.height == 1) {
    fl_point(x_ + r.left, y_ + r.top);
  } else {
    fl_rectf(x_ + r.left, y_ + r.top, r.width, r.height);
  }
}

void FltkCanvas::drawImage(const PixelRect& r, const std::vector<Color>& pixels) {
  std::vector<uchar> rgb;
  rgb.reserve(pixels.size() * 3);
  for (const Color c : pixels) {
    rgb.push_back(red(c));
    rgb.push_back(green(c));
    rgb.push_back(blue(c));
  }
  fl_draw_image(rgb.data(), x_ + r.left, y_ + r.top, r.width, r.height, 3);
}

void FltkCanvas::drawText(std::string_view line, int left, int baseline, Color color) {
  fl_color(toFlColor(color));
  fl_draw(line.data(), static_cast<int>(line.size()), x_ + left, y_ + baseline);
}

}  // namespace quorvel
