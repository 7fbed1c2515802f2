#include "platform/control_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quorvel {

std::vector<PixelPoint> linePixels(const SurfaceLine& line) {
  const int spanX = line.to.x - line.from.x;
  const int spanY = line.to.y - line.from.y;
  const int steps = std::max(std::abs(spanX), std::abs(spanY));
  const auto along = [steps](int span, int i) {
    return static_cast<int>(std::floor(static_cast<double>(span) * i / steps + 0.5));
  };
  std::vector<PixelPoint> pixels;
  pixels.reserve(static_cast<std::size_t>(steps));
  for (int i = 0; i < steps; ++i)
    pixels.push_back({line.from.x + along(spanX, i), line.from.y + along(spanY, i)});
  return pixels;
}

CaptionFont ambientFontFor(const FontSpec& font) {
  CaptionFont ambient;
  ambient.name = font.name;
  ambient.size = static_cast<float>(font.points);
  ambient.charset = font.charset;
  return ambient;
}

}  // namespace quorvel
