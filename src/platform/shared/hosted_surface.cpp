#include "platform/shared/hosted_surface.h"

#include <algorithm>

namespace quorvel {

TwipsSize HostedSurface::size() const {
  if (!live()) return {};
  const auto& s = *desktop_.record(id_).surface;
  return {static_cast<double>(s.width * kTwipsPerPixel), static_cast<double>(s.height * kTwipsPerPixel)};
}

void HostedSurface::setSize(TwipsSize size) {
  if (live()) desktop_.setSurfaceSize(id_, twipsToPixels(size.width), twipsToPixels(size.height));
}

bool HostedSurface::enabled() const { return live() && desktop_.record(id_).surface->enabled; }

void HostedSurface::setEnabled(bool enabled) {
  if (live()) desktop_.enableSurface(id_, enabled);
}

void HostedSurface::requestFocus() {
  if (live()) desktop_.setFocus(id_);
}

void HostedSurface::setCapture() {
  if (live()) desktop_.capture_.set(id_);
}

void HostedSurface::releaseCapture() {
  if (live()) desktop_.capture_.release(id_);
}

void HostedSurface::setToolTip(std::string_view text) {
  if (live()) desktop_.setNativeToolTip(id_, text);
}

TwipsSize measureInTwips(std::string_view text, const CaptionFont& font, double wrapWidth,
                         TextMeasure& measure) {
  const int wrap = wrapWidth > 0 ? std::max(1, twipsToPixels(wrapWidth)) : 0;
  const PixelSize extent = quorvel::measureText(text, font, wrap, measure);
  return {static_cast<double>(extent.width * kTwipsPerPixel),
          static_cast<double>(extent.height * kTwipsPerPixel)};
}

TwipsSize HostedSurface::measureText(std::string_view text, const CaptionFont& font, double wrapWidth) const {
  return desktop_.measureNativeText(text, font, wrapWidth, desktop_.record(desktop_.record(id_).window).dpi);
}

void HostedSurface::requestRepaint() {
  if (live()) desktop_.repaintNative(id_);
}

}  // namespace quorvel
