#include "platform/fltk/fltk_painter.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <cmath>

#include "platform/fltk/fltk_colors.h"
#include "platform/shared/window_layout.h"

namespace quorvel {
namespace {

uchar red(Color c) { return static_cast<uchar>(c & 0xFFu); }
uchar green(Color c) { return static_cast<uchar>((c >> 8) & 0xFFu); }
uchar blue(Color c) { return static_cast<uchar>((c >> 16) & 0xFFu); }

}  // namespace

PixelRect FltkCanvas::device(const PixelRect& r) const {
  const int left = scaledPixels(r.left, dpi_);
  const int top = scaledPixels(r.top, dpi_);
  return PixelRect{x_ + left, y_ + top, scaledPixels(r.left + r.width, dpi_) - left,
                   scaledPixels(r.top + r.height, dpi_) - top};
}

void FltkCanvas::setFont(const CaptionFont& font) {
  const ResolvedFont resolved = fonts_.resolve(font, dpi_);
  fl_font(static_cast<Fl_Font>(resolved.face), resolved.pixels);
}

double FltkCanvas::textWidth(std::string_view text) {
  return unscaled(fl_width(text.data(), static_cast<int>(text.size())));
}

int FltkCanvas::lineHeight() { return static_cast<int>(std::lround(unscaled(fl_height()))); }

int FltkCanvas::ascent() { return static_cast<int>(std::lround(unscaled(fl_height() - fl_descent()))); }

void FltkCanvas::pushClip(const PixelRect& r) {
  const PixelRect d = device(r);
  fl_push_clip(d.left, d.top, d.width, d.height);
}

void FltkCanvas::popClip() { fl_pop_clip(); }

void FltkCanvas::fillRect(const PixelRect& r, Color color) {
  const PixelRect d = device(r);
  fl_color(toFlColor(color));
  if (d.width == 1 && d.height == 1) {
    fl_point(d.left, d.top);
  } else {
    fl_rectf(d.left, d.top, d.width, d.height);
  }
}

// Each screen pixel takes the picture's pixel under its centre, so scaling stays nearest-neighbour.
void FltkCanvas::drawImage(const PixelRect& r, const std::vector<Color>& pixels) {
  const PixelRect d = device(r);
  if (d.width <= 0 || d.height <= 0) return;
  std::vector<uchar> rgb;
  rgb.reserve(static_cast<std::size_t>(d.width) * d.height * 3);
  for (const Color c : stretchNearest(Bitmap{r.width, r.height, pixels}, d.width, d.height)) {
    rgb.push_back(red(c));
    rgb.push_back(green(c));
    rgb.push_back(blue(c));
  }
  fl_draw_image(rgb.data(), d.left, d.top, d.width, d.height, 3);
}

void FltkCanvas::drawText(std::string_view line, int left, int baseline, Color color) {
  fl_color(toFlColor(color));
  fl_draw(line.data(), static_cast<int>(line.size()), x_ + scaledPixels(left, dpi_),
          y_ + scaledPixels(baseline, dpi_));
}

}  // namespace quorvel
