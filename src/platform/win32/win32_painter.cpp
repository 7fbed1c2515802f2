#include "platform/win32/win32_painter.h"

#include <algorithm>
#include <cmath>

#include "platform/native_files/win32_text.h"

namespace quorvel {
namespace {

// A DIB pixel is 0x00RRGGBB; a colour 0x00BBGGRR.
std::uint32_t dibPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

}  // namespace

COLORREF systemColor(Color color) {
  if (color & kSystemColorFlag) return GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

DcText::DcText(HDC dc, int dpi, FontCatalog& fonts)
    : dc_(dc), dpi_(dpi), scale_(static_cast<double>(dpi) / kBaseDpi), fonts_(fonts) {}

DcText::~DcText() {
  if (originalFont_) SelectObject(dc_, originalFont_);
}

void DcText::setFont(const CaptionFont& font) {
  if (!dc_) return;
  const HGDIOBJ previous = SelectObject(dc_, fonts_.caption(font, dpi_));
  if (!originalFont_) originalFont_ = previous;
}

double DcText::textWidth(std::string_view text) {
  const std::wstring units = wide(text);
  SIZE extent{};
  if (!dc_ || !GetTextExtentPoint32W(dc_, units.c_str(), static_cast<int>(units.size()), &extent)) return 0;
  return extent.cx / scale_;
}

int DcText::lineHeight() {
  TEXTMETRICW metrics{};
  if (!dc_ || !GetTextMetricsW(dc_, &metrics)) return 0;
  return static_cast<int>(std::lround(metrics.tmHeight / scale_));
}

int DcText::ascent() {
  TEXTMETRICW metrics{};
  if (!dc_ || !GetTextMetricsW(dc_, &metrics)) return 0;
  return static_cast<int>(std::lround(metrics.tmAscent / scale_));
}

DibCanvas::DibCanvas(int width, int height, int dpi, FontCatalog& fonts)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      scale_(static_cast<double>(dpi) / kBaseDpi),
      text_(dc_.dc, dpi, fonts) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  if (dc_.dc) bitmap_ = CreateDIBSection(dc_.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_) {
    // Out of memory or of system objects: the canvas draws nothing, and the control stays as it was.
    width_ = height_ = 0;
  } else {
    bits_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_.dc, bitmap_);
    SetBkMode(dc_.dc, TRANSPARENT);
    SetTextAlign(dc_.dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  }
  clips_.push_back(RECT{0, 0, width_, height_});
}

DibCanvas::~DibCanvas() {
  if (previous_) SelectObject(dc_.dc, previous_);
  if (bitmap_) DeleteObject(bitmap_);
}

void DibCanvas::blitTo(HDC target, int x, int y) const {
  if (!bits_) return;
  GdiFlush();
  BitBlt(target, x, y, width_, height_, dc_.dc, 0, 0, SRCCOPY);
}

int DibCanvas::scaled(int logical) const { return static_cast<int>(std::lround(logical * scale_)); }

RECT DibCanvas::device(const PixelRect& rect) const {
  return RECT{scaled(rect.left), scaled(rect.top), scaled(rect.left + rect.width),
              scaled(rect.top + rect.height)};
}

RECT DibCanvas::clipped(const RECT& rect) const {
  const RECT& clip = clips_.back();
  return RECT{std::max(rect.left, clip.left), std::max(rect.top, clip.top), std::min(rect.right, clip.right),
              std::min(rect.bottom, clip.bottom)};
}

void DibCanvas::pushClip(const PixelRect& rect) { clips_.push_back(clipped(device(rect))); }

void DibCanvas::popClip() {
  if (clips_.size() > 1) clips_.pop_back();
}

void DibCanvas::fillRect(const PixelRect& rect, Color color) {
  const RECT area = clipped(device(rect));
  if (!bits_ || area.left >= area.right || area.top >= area.bottom) return;
  GdiFlush();
  const std::uint32_t pixel = dibPixel(systemColor(color));
  for (LONG y = area.top; y < area.bottom; ++y)
    std::fill(bits_ + y * width_ + area.left, bits_ + y * width_ + area.right, pixel);
}

// Each device pixel takes the source pixel under its centre, so scaling stays nearest-neighbour.
void DibCanvas::drawImage(const PixelRect& rect, const std::vector<Color>& pixels) {
  const RECT target = device(rect);
  const RECT area = clipped(target);
  const LONG targetWidth = target.right - target.left;
  const LONG targetHeight = target.bottom - target.top;
  if (!bits_ || area.left >= area.right || area.top >= area.bottom || rect.width <= 0 || rect.height <= 0)
    return;
  if (pixels.size() < static_cast<std::size_t>(rect.width) * static_cast<std::size_t>(rect.height)) return;
  GdiFlush();
  for (LONG y = area.top; y < area.bottom; ++y) {
    const LONG sy =
        std::min<LONG>(((y - target.top) * 2 + 1) * rect.height / (2 * targetHeight), rect.height - 1);
    for (LONG x = area.left; x < area.right; ++x) {
      const LONG sx =
          std::min<LONG>(((x - target.left) * 2 + 1) * rect.width / (2 * targetWidth), rect.width - 1);
      bits_[y * width_ + x] = dibPixel(systemColor(pixels[static_cast<std::size_t>(sy * rect.width + sx)]));
    }
  }
}

void DibCanvas::drawText(std::string_view line, int left, int baseline, Color color) {
  const RECT& clip = clips_.back();
  if (!bits_ || clip.left >= clip.right || clip.top >= clip.bottom) return;
  const std::wstring units = wide(line);
  GdiFlush();
  SetTextColor(dc_.dc, systemColor(color));
  ExtTextOutW(dc_.dc, scaled(left), scaled(baseline), ETO_CLIPPED, &clip, units.c_str(),
              static_cast<UINT>(units.size()), nullptr);
}

}  // namespace quorvel
