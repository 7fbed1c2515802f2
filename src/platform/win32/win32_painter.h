// A canvas over a DIB section: the shared painter walk draws a control's paint list into memory, which
// is then copied to the screen in one blit, so nothing flickers. Coordinates are pixels at 96 dpi and are
// scaled to the window's resolution; text is drawn at that resolution, so it stays sharp.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/painter.h"
#include "platform/win32/win32_fonts.h"

namespace quorvel {

class DibCanvas final : public Canvas {
 public:
  // width x height device pixels.
  DibCanvas(int width, int height, int dpi, FontCatalog& fonts);
  ~DibCanvas() override;
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  void blitTo(HDC target, int x, int y) const;

  void setFont(const CaptionFont& font) override;
  double textWidth(std::string_view text) override;
  int lineHeight() override;
  int ascent() override;
  void pushClip(const PixelRect& rect) override;
  void popClip() override;
  void fillRect(const PixelRect& rect, Color color) override;
  void drawImage(const PixelRect& rect, const std::vector<Color>& pixels) override;
  void drawText(std::string_view line, int left, int baseline, Color color) override;

 private:
  RECT device(const PixelRect& rect) const;
  RECT clipped(const RECT& rect) const;
  int scaled(int logical) const;

  int width_;
  int height_;
  double scale_;
  FontCatalog& fonts_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  std::vector<RECT> clips_;
  int dpi_;
};

// Colours as the system draws them: system colour indexes resolved.
COLORREF systemColor(Color color);

}  // namespace quorvel
