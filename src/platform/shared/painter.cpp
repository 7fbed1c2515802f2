#include "platform/shared/painter.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "platform/shared/text_layout.h"

namespace quorvel {
namespace {

PixelRect onePixel(PixelPoint p) { return PixelRect{p.x, p.y, 1, 1}; }

void drawMark(const SurfaceMark& mark, Canvas& canvas) {
  if (const auto* pixel = std::get_if<SurfacePixel>(&mark)) {
    canvas.fillRect(onePixel(pixel->at), pixel->color);
    return;
  }
  const auto& line = std::get<SurfaceLine>(mark);
  for (const PixelPoint p : linePixels(line)) canvas.fillRect(onePixel(p), line.color);
}

void drawStretched(const StretchedBitmap& element, Canvas& canvas) {
  const PixelRect& r = element.rect;
  if (!element.picture || r.width <= 0 || r.height <= 0) return;
  const Bitmap& b = *element.picture;
  if (b.width <= 0 || b.height <= 0 || b.pixels.size() < static_cast<std::size_t>(b.width) * b.height) return;
  canvas.drawImage(r, stretchNearest(b, r.width, r.height));
}

TextWidth widthIn(TextMeasure& measure) {
  return [&measure](std::string_view text) { return measure.textWidth(text); };
}

void drawText(const CenteredText& element, Canvas& canvas) {
  const PixelRect& r = element.rect;
  if (r.width <= 0 || r.height <= 0) return;
  canvas.setFont(element.font);
  canvas.pushClip(r);
  const int lineHeight = canvas.lineHeight();
  const int ascent = canvas.ascent();
  const std::vector<std::string> lines =
      textLines(element.text, element.wordWrap ? r.width : 0, widthIn(canvas));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const int width = static_cast<int>(std::ceil(canvas.textWidth(line)));
    const int left = r.left + static_cast<int>(std::floor((r.width - width) / 2.0));
    const int baseline = r.top + static_cast<int>(i) * lineHeight + ascent;
    canvas.drawText(line, left, baseline, element.color);
    if (width <= 0) continue;
    if (element.font.underline) canvas.fillRect(PixelRect{left, baseline + 1, width, 1}, element.color);
    if (element.font.strikethru)
      canvas.fillRect(PixelRect{left, baseline - ascent / 3, width, 1}, element.color);
  }
  canvas.popClip();
}

// Opaque: the background first, then the dots that fall on the strip.
void drawStrip(const DottedStrip& element, Canvas& canvas) {
  const PixelRect& r = element.rect;
  if (r.width <= 0 || r.height <= 0) return;
  canvas.pushClip(r);
  canvas.fillRect(r, element.background);
  for (const PixelPoint& dot : element.dots)
    canvas.fillRect(onePixel({r.left + dot.x, r.top + dot.y}), element.dotColor);
  canvas.popClip();
}

}  // namespace

std::vector<Color> stretchNearest(const Bitmap& source, int width, int height) {
  std::vector<Color> pixels;
  pixels.reserve(static_cast<std::size_t>(width) * height);
  for (int ty = 0; ty < height; ++ty) {
    const int sy = static_cast<int>((2LL * ty + 1) * source.height / (2LL * height));
    for (int tx = 0; tx < width; ++tx) {
      const int sx = static_cast<int>((2LL * tx + 1) * source.width / (2LL * width));
      pixels.push_back(source.at(sx, sy));
    }
  }
  return pixels;
}

void paintList(const PaintList& list, int width, int height, Canvas& canvas) {
  const PixelRect all{0, 0, width, height};
  canvas.pushClip(all);
  canvas.fillRect(all, list.background);
  for (const SurfaceMark& mark : list.marks) drawMark(mark, canvas);
  for (const PaintElement& element : list.elements) {
    std::visit(
        [&](const auto& e) {
          using Kind = std::decay_t<decltype(e)>;
          if constexpr (std::is_same_v<Kind, StretchedBitmap>) {
            drawStretched(e, canvas);
          } else if constexpr (std::is_same_v<Kind, CenteredText>) {
            drawText(e, canvas);
          } else {
            drawStrip(e, canvas);
          }
        },
        element);
  }
  canvas.popClip();
}

PixelSize measureText(std::string_view text, const CaptionFont& font, int wrapWidth, TextMeasure& measure) {
  measure.setFont(font);
  const std::vector<std::string> lines = textLines(text, wrapWidth, widthIn(measure));
  PixelSize size;
  for (const std::string& line : lines)
    size.width = std::max(size.width, static_cast<int>(std::ceil(measure.textWidth(line))));
  size.height = static_cast<int>(std::max<std::size_t>(lines.size(), 1)) * measure.lineHeight();
  return size;
}

}  // namespace quorvel
