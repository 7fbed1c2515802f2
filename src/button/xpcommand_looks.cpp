// Switching looks and skins, the show rule, and the enabled and disabled looks.
#include "button/skin.h"
#include "button/xpcommand.h"
#include "settings/conversions.h"

namespace quorvel {
namespace {

constexpr Color kDisabledBackground = rgb(0xF5F4EA);
constexpr Color kDisabledFrame = rgb(0xC9C7BA);
constexpr Color kDisabledCaption = rgb(0xA1A192);
constexpr Color kSoftOuter = rgb(0xD8D5C7);
constexpr Color kSoftInner = rgb(0xEAE9DE);
constexpr Color kSoftMiddle = rgb(0xD8D6CA);
constexpr std::int32_t kNoLook = 999;

}  // namespace

void xpcommand::changeit(std::int32_t n) {
  RepaintScope scope(*this);
  for (int look = 0; look < kLookCount; ++look)
    for (Piece p : kPieces) setVisible(pieceRef(p, look), look == n);
}

void xpcommand::change风格(std::int32_t s) {
  if (s < 0 || s >= kStyleCount) return;
  RepaintScope scope(*this);
  const SkinStore& store = skinStore(s);
  for (int look = 0; look < kLookCount; ++look)
    for (Piece p : kPieces) setPicture(pieceRef(p, look), store.of(p, look));
}

void xpcommand::showIdleLook() {
  if (!Enabled()) return;
  if (蓝色框_ == 0 && !内部(2).visible) changeit(2);
  if (蓝色框_ == 1 && !内部(0).visible) changeit(0);
}

std::int32_t xpcommand::蓝色框() {
  RepaintScope scope(*this);
  showIdleLook();
  return 蓝色框_;
}

void xpcommand::applyIdleLook() { static_cast<void>(蓝色框()); }

void xpcommand::UserControl_Show() {
  RepaintScope scope(*this);
  showIdleLook();
  black_ = 内部(2).picture;
  change风格(风格_);
}

void xpcommand::showStrips(bool show) {
  for (MarkerStrip& s : strips_) {
    if (s.visible == show) continue;
    s.visible = show;
    dirty_ = true;
  }
}

void xpcommand::setEnabled(bool enabled) {
  RepaintScope scope(*this);
  if (enabled)
    enable();
  else
    disable();
  surface_.propertyChanged("Enabled");
}

// Hides every piece and draws a flat frame with softened corners on the surface itself.
void xpcommand::disable() {
  surface_.setEnabled(false);
  const TwipsSize size = surface_.size();
  const int w = pixelEdge(size.width);
  const int h = pixelEdge(size.height);
  changeit(kNoLook);

  surfaceDrawing_.setBackground(kDisabledBackground);
  auto line = [&](PixelPoint from, PixelPoint to) {
    surfaceDrawing_.marks.emplace_back(SurfaceLine{from, to, kDisabledFrame});
  };
  auto pixel = [&](int x, int y, Color c) { surfaceDrawing_.marks.emplace_back(SurfacePixel{{x, y}, c}); };
  line({1, 0}, {w - 1, 0});
  line({1, h - 1}, {w - 1, h - 1});
  line({0, 1}, {0, h - 1});
  line({w - 1, 1}, {w - 1, h - 1});
  pixel(0, 0, kWindowBackground);
  pixel(w - 1, h - 1, kWindowBackground);
  pixel(0, h - 1, kWindowBackground);
  pixel(w - 1, 0, kWindowBackground);
  // Each corner: (cx, cy) is the corner pixel, (dx, dy) points inwards.
  const int corners[4][4] = {{0, 0, 1, 1}, {0, h - 1, 1, -1}, {w - 1, 0, -1, 1}, {w - 1, h - 1, -1, -1}};
  for (const auto& c : corners) {
    const int cx = c[0], cy = c[1], dx = c[2], dy = c[3];
    pixel(cx, cy + dy, kSoftOuter);
    pixel(cx + dx, cy, kSoftOuter);
    pixel(cx + dx, cy + 2 * dy, kSoftInner);
    pixel(cx + 2 * dx, cy + dy, kSoftInner);
    pixel(cx + dx, cy + dy, kSoftMiddle);
  }
  dirty_ = true;

  savedForeColor_ = static_cast<double>(text_.color);
  text_.color = kDisabledCaption;
}

void xpcommand::enable() {
  surface_.setEnabled(true);
  if (text_.color == kDisabledCaption) {
    text_.color = static_cast<Color>(static_cast<std::int64_t>(roundHalfEven(savedForeColor_)));
    dirty_ = true;
  }
  showIdleLook();
}

}  // namespace quorvel
