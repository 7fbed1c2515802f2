#include "platform/fake/fake_control_surface.h"

#include <algorithm>
#include <cstdlib>

namespace quorvel {
namespace {

constexpr double kTwipsPerPoint = 20;

// Code points of a UTF-8 text; a stray byte counts as one character.
std::vector<char32_t> codePoints(std::string_view text) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    const std::size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
    char32_t c = n == 1 ? b : b & (0x7F >> n);
    for (std::size_t k = 1; k < n && i + k < text.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    out.push_back(c);
    i += n;
  }
  return out;
}

}  // namespace

double FakeControlSurface::advance(char32_t c, const CaptionFont& font) {
  const double em = font.size * kTwipsPerPoint;
  return c < 0x80 ? em / 2 : em;
}

double FakeControlSurface::lineHeight(const CaptionFont& font) { return font.size * kTwipsPerPoint + 30; }

void FakeControlSurface::setSize(TwipsSize size) {
  size_ = size;
  sizesSet_.push_back(size);
}

void FakeControlSurface::requestFocus() {
  ++focusRequests_;
  if (onFocusRequest) onFocusRequest();
}

void FakeControlSurface::setCapture() {
  capture_ = true;
  ++captureCalls_;
}

void FakeControlSurface::releaseCapture() {
  capture_ = false;
  ++releaseCalls_;
}

TwipsSize FakeControlSurface::measureText(std::string_view text, const CaptionFont& font,
                                          double wrapWidth) const {
  double widest = 0;
  double line = 0;
  int lines = 1;
  bool lineEmpty = true;
  for (char32_t c : codePoints(text)) {
    const double a = advance(c, font);
    if (wrapWidth > 0 && !lineEmpty && line + a > wrapWidth) {
      ++lines;
      line = 0;
    }
    line += a;
    lineEmpty = false;
    widest = std::max(widest, line);
  }
  return {widest, lines * lineHeight(font)};
}

Bitmap FakeControlSurface::drawSurface(const PaintList& list) const {
  const int w = static_cast<int>(size_.width / 15);
  const int h = static_cast<int>(size_.height / 15);
  Bitmap b{w, h, std::vector<Color>(static_cast<std::size_t>(w * h), list.background)};
  auto set = [&](PixelPoint p, Color c) {
    if (p.x >= 0 && p.y >= 0 && p.x < w && p.y < h) b.pixels[static_cast<std::size_t>(p.y * w + p.x)] = c;
  };
  for (const SurfaceMark& mark : list.marks) {
    if (const auto* px = std::get_if<SurfacePixel>(&mark)) {
      set(px->at, px->color);
      continue;
    }
    const auto& line = std::get<SurfaceLine>(mark);
    for (const PixelPoint p : linePixels(line)) set(p, line.color);
  }
  return b;
}

}  // namespace quorvel
