#include "platform/fltk/fltk_painter.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/fl_utf8.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <type_traits>

#include "platform/fltk/fltk_colors.h"

namespace quorvel {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

// Bytes of the UTF-8 character starting at text[i]; a stray byte counts as one character.
std::size_t characterLength(std::string_view text, std::size_t i) {
  const int n = fl_utf8len1(text[i]);
  return std::min(static_cast<std::size_t>(std::max(n, 1)), text.size() - i);
}

double widthOf(std::string_view text) { return fl_width(text.data(), static_cast<int>(text.size())); }

std::string withoutTrailingBlanks(std::string line) {
  while (!line.empty() && isBlank(line.back())) line.pop_back();
  return line;
}

// Greedy wrapping of one paragraph. A piece is a word (a run of ASCII non-blanks, or one character
// beyond ASCII, since Chinese text may break between any two characters) with the blanks after it.
void wrapParagraph(std::string_view text, int wrapWidth, std::vector<std::string>& lines) {
  std::string line;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t wordEnd = i;
    if (!isAscii(text[i])) {
      wordEnd = i + characterLength(text, i);
    } else {
      while (wordEnd < text.size() && isAscii(text[wordEnd]) && !isBlank(text[wordEnd])) ++wordEnd;
    }
    std::size_t pieceEnd = wordEnd;
    while (pieceEnd < text.size() && isBlank(text[pieceEnd])) ++pieceEnd;
    const std::string_view word = text.substr(i, wordEnd - i);

    if (!line.empty() && widthOf(line + std::string(word)) > wrapWidth) {
      lines.push_back(withoutTrailingBlanks(std::move(line)));
      line.clear();
    }
    if (line.empty() && widthOf(word) > wrapWidth) {
      // Wider than a whole line: broken between characters, at least one to a line.
      for (std::size_t k = i; k < wordEnd;) {
        const std::size_t n = characterLength(text, k);
        const std::string_view character = text.substr(k, n);
        if (!line.empty() && widthOf(line + std::string(character)) > wrapWidth) {
          lines.push_back(std::move(line));
          line.clear();
        }
        line += character;
        k += n;
      }
      line += text.substr(wordEnd, pieceEnd - wordEnd);
    } else {
      line += text.substr(i, pieceEnd - i);
    }
    i = pieceEnd;
  }
  lines.push_back(withoutTrailingBlanks(std::move(line)));
}

uchar red(Color c) { return static_cast<uchar>(c & 0xFFu); }
uchar green(Color c) { return static_cast<uchar>((c >> 8) & 0xFFu); }
uchar blue(Color c) { return static_cast<uchar>((c >> 16) & 0xFFu); }

// Steps along the longer axis, the other one rounded halves up in either direction; the last point
// is left out.
void drawLine(const SurfaceLine& line, int x, int y) {
  fl_color(toFlColor(line.color));
  for (const PixelPoint p : linePixels(line)) fl_point(x + p.x, y + p.y);
}

void drawMark(const SurfaceMark& mark, int x, int y) {
  if (const auto* pixel = std::get_if<SurfacePixel>(&mark)) {
    fl_color(toFlColor(pixel->color));
    fl_point(x + pixel->at.x, y + pixel->at.y);
    return;
  }
  drawLine(std::get<SurfaceLine>(mark), x, y);
}

// Nearest neighbour, each target pixel taking the source pixel under its centre.
void drawStretched(const StretchedBitmap& element, int x, int y) {
  const PixelRect& r = element.rect;
  if (!element.picture || r.width <= 0 || r.height <= 0) return;
  const Bitmap& b = *element.picture;
  if (b.width <= 0 || b.height <= 0 || b.pixels.size() < static_cast<std::size_t>(b.width * b.height)) return;
  std::vector<uchar> rgb(static_cast<std::size_t>(r.width * r.height * 3));
  std::size_t out = 0;
  for (int ty = 0; ty < r.height; ++ty) {
    const int sy = static_cast<int>((2LL * ty + 1) * b.height / (2LL * r.height));
    for (int tx = 0; tx < r.width; ++tx) {
      const int sx = static_cast<int>((2LL * tx + 1) * b.width / (2LL * r.width));
      const Color c = b.at(sx, sy);
      rgb[out++] = red(c);
      rgb[out++] = green(c);
      rgb[out++] = blue(c);
    }
  }
  fl_draw_image(rgb.data(), x + r.left, y + r.top, r.width, r.height, 3);
}

void drawText(const CenteredText& element, int x, int y, FontCatalog& fonts) {
  const PixelRect& r = element.rect;
  if (r.width <= 0 || r.height <= 0) return;
  const ResolvedFont font = resolveCaptionFont(fonts, element.font);
  fl_font(static_cast<Fl_Font>(font.face), font.pixels);
  fl_color(toFlColor(element.color));
  fl_push_clip(x + r.left, y + r.top, r.width, r.height);
  const int lineHeight = fl_height();
  const int ascent = lineHeight - fl_descent();
  const std::vector<std::string> lines = textLines(element.text, element.wordWrap ? r.width : 0);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const int width = static_cast<int>(std::ceil(widthOf(line)));
    const int left = x + r.left + static_cast<int>(std::floor((r.width - width) / 2.0));
    const int baseline = y + r.top + static_cast<int>(i) * lineHeight + ascent;
    fl_draw(line.data(), static_cast<int>(line.size()), left, baseline);
    if (width <= 0) continue;
    if (element.font.underline) fl_xyline(left, baseline + 1, left + width - 1);
    if (element.font.strikethru) fl_xyline(left, baseline - ascent / 3, left + width - 1);
  }
  fl_pop_clip();
}

// Opaque: the background first, then the dots that fall on the strip.
void drawStrip(const DottedStrip& element, int x, int y) {
  const PixelRect& r = element.rect;
  if (r.width <= 0 || r.height <= 0) return;
  fl_push_clip(x + r.left, y + r.top, r.width, r.height);
  fl_color(toFlColor(element.background));
  fl_rectf(x + r.left, y + r.top, r.width, r.height);
  fl_color(toFlColor(element.dotColor));
  for (const PixelPoint& dot : element.dots) fl_point(x + r.left + dot.x, y + r.top + dot.y);
  fl_pop_clip();
}

}  // namespace

ResolvedFont resolveCaptionFont(FontCatalog& fonts, const CaptionFont& font) {
  return fonts.resolve(FontSpec{font.name, font.size, font.charset});
}

std::vector<std::string> textLines(std::string_view text, int wrapWidth) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find_first_of("\r\n", start);
    const std::string_view paragraph = text.substr(start, end == std::string_view::npos ? end : end - start);
    if (wrapWidth > 0) {
      wrapParagraph(paragraph, wrapWidth, lines);
    } else {
      lines.emplace_back(paragraph);
    }
    if (end == std::string_view::npos) break;
    // CR LF is one line end.
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

TextExtent measureLines(const std::vector<std::string>& lines) {
  TextExtent extent;
  for (const std::string& line : lines)
    extent.width = std::max(extent.width, static_cast<int>(std::ceil(widthOf(line))));
  extent.height = static_cast<int>(std::max<std::size_t>(lines.size(), 1)) * fl_height();
  return extent;
}

void paintList(const PaintList& list, int x, int y, int w, int h, FontCatalog& fonts) {
  fl_push_clip(x, y, w, h);
  fl_color(toFlColor(list.background));
  fl_rectf(x, y, w, h);
  for (const SurfaceMark& mark : list.marks) drawMark(mark, x, y);
  for (const PaintElement& element : list.elements) {
    std::visit(
        [&](const auto& e) {
          using Kind = std::decay_t<decltype(e)>;
          if constexpr (std::is_same_v<Kind, StretchedBitmap>) {
            drawStretched(e, x, y);
          } else if constexpr (std::is_same_v<Kind, CenteredText>) {
            drawText(e, x, y, fonts);
          } else {
            drawStrip(e, x, y);
          }
        },
        element);
  }
  fl_pop_clip();
}

}  // namespace quorvel
