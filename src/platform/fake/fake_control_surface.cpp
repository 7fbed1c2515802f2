#include "platform/fake/fake_control_surface.h"

#include <algorithm>
#include <cstdlib>

#include "base/utf.h"
#include "platform/shared/painter.h"
#include "platform/shared/text_layout.h"

namespace quorvel {
namespace {

constexpr double kTwipsPerPoint = 20;

// Draws into a bitmap. There are no glyphs here: text leaves no pixels.
class BitmapCanvas final : public Canvas {
 public:
  explicit BitmapCanvas(Bitmap& bitmap) : bitmap_(bitmap) {
    clips_.push_back({0, 0, bitmap.width, bitmap.height});
  }

  void setFont(const CaptionFont& font) override { font_ = font; }
  double textWidth(std::string_view text) override {
    double width = 0;
    for (const char32_t c : codePoints(text)) width += FakeControlSurface::advance(c, font_);
    return width / kTwipsPerPixel;
  }
  int lineHeight() override {
    return static_cast<int>(FakeControlSurface::lineHeight(font_) / kTwipsPerPixel);
  }
  int ascent() override { return lineHeight(); }
  void pushClip(const PixelRect& r) override {
    const PixelRect& c = clips_.back();
    const int left = std::max(c.left, r.left);
    const int top = std::max(c.top, r.top);
    const int right = std::min(c.left + c.width, r.left + r.width);
    const int bottom = std::min(c.top + c.height, r.top + r.height);
    clips_.push_back({left, top, std::max(0, right - left), std::max(0, bottom - top)});
  }
  void popClip() override { clips_.pop_back(); }
  void fillRect(const PixelRect& r, Color color) override {
    for (int y = r.top; y < r.top + r.height; ++y)
      for (int x = r.left; x < r.left + r.width; ++x) set(x, y, color);
  }
  void drawImage(const PixelRect& r, const std::vector<Color>& pixels) override {
    for (int y = 0; y < r.height; ++y)
      for (int x = 0; x < r.width; ++x)
        set(r.left + x, r.top + y, pixels[static_cast<std::size_t>(y * r.width + x)]);
  }
  void drawText(std::string_view, int, int, Color) override {}

 private:
  void set(int x, int y, Color color) {
    const PixelRect& c = clips_.back();
    if (x < c.left || y < c.top || x >= c.left + c.width || y >= c.top + c.height) return;
    bitmap_.pixels[static_cast<std::size_t>(y * bitmap_.width + x)] = color;
  }

  Bitmap& bitmap_;
  std::vector<PixelRect> clips_;
  CaptionFont font_;
};

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

void FakeControlSurface::setEnabled(bool enabled) {
  enabled_ = enabled;
  if (enabled) return;
  if (onDisabled) {
    onDisabled();
  } else {
    capture_ = false;
  }
}

void FakeControlSurface::setCapture() {
  ++captureCalls_;
  if (onCapture) {
    onCapture(true);
  } else {
    capture_ = true;
  }
}

void FakeControlSurface::releaseCapture() {
  if (onCapture) {
    onCapture(false);
  } else {
    capture_ = false;
  }
}

TwipsSize FakeControlSurface::textExtent(std::string_view text, const CaptionFont& font, double wrapWidth) {
  const auto width = [&font](std::string_view piece) {
    double sum = 0;
    for (const char32_t c : codePoints(piece)) sum += advance(c, font);
    return sum;
  };
  double widest = 0;
  const std::vector<std::string> lines = textLines(text, wrapWidth, width);
  for (const std::string& line : lines) widest = std::max(widest, width(line));
  return {widest, static_cast<double>(lines.size()) * lineHeight(font)};
}

Bitmap FakeControlSurface::drawSurface(const PaintList& list) const {
  const int w = static_cast<int>(size_.width / kTwipsPerPixel);
  const int h = static_cast<int>(size_.height / kTwipsPerPixel);
  Bitmap b{w, h, std::vector<Color>(static_cast<std::size_t>(w * h), list.background)};
  BitmapCanvas canvas(b);
  paintList(list, w, h, canvas);
  return b;
}

}  // namespace quorvel
