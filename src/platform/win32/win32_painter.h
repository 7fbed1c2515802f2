// A canvas over a DIB section: the shared painter walk draws a control's paint list into memory, which
// is then copied to the screen in one blit, so nothing flickers. Coordinates are pixels at 96 dpi and are
// scaled to the window's resolution; text is drawn at that resolution, so it stays sharp.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/shared/painter.h"
#include "platform/win32/win32_fonts.h"

namespace quorvel {

// Text on a device context at a window's resolution, in the catalog's fonts. The DC gets its own font
// back when this goes, so it never holds one of ours after that. A DC the system could not make (null)
// measures every text as nothing.
class DcText final : public TextMeasure {
 public:
  DcText(HDC dc, int dpi, FontCatalog& fonts);
  ~DcText() override;
  DcText(const DcText&) = delete;
  DcText& operator=(const DcText&) = delete;

  void setFont(const CaptionFont& font) override;
  double textWidth(std::string_view text) override;
  int lineHeight() override;
  int ascent() override;

 private:
  HDC dc_;
  int dpi_;
  double scale_;
  FontCatalog& fonts_;
  HGDIOBJ originalFont_ = nullptr;  // set once one of ours is selected
};

class DibCanvas final : public Canvas {
 public:
  // width x height device pixels. Where the system cannot make the DC or the bitmap, it draws nothing.
  DibCanvas(int width, int height, int dpi, FontCatalog& fonts);
  ~DibCanvas() override;
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  void blitTo(HDC target, int x, int y) const;

  void setFont(const CaptionFont& font) override { text_.setFont(font); }
  double textWidth(std::string_view text) override { return text_.textWidth(text); }
  int lineHeight() override { return text_.lineHeight(); }
  int ascent() override { return text_.ascent(); }
  void pushClip(const PixelRect& rect) override;
  void popClip() override;
  void fillRect(const PixelRect& rect, Color color) override;
  void drawImage(const PixelRect& rect, const std::vector<Color>& pixels) override;
  void drawText(std::string_view line, int left, int baseline, Color color) override;

 private:
  // Deletes the memory DC after everything selected into it has been put back.
  struct OwnedDc {
    HDC dc = CreateCompatibleDC(nullptr);
    OwnedDc() = default;
    OwnedDc(const OwnedDc&) = delete;
    OwnedDc& operator=(const OwnedDc&) = delete;
    ~OwnedDc() {
      if (dc) DeleteDC(dc);
    }
  };

  RECT device(const PixelRect& rect) const;
  RECT clipped(const RECT& rect) const;
  int scaled(int logical) const;

  int width_;
  int height_;
  double scale_;
  OwnedDc dc_;
  DcText text_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  std::vector<RECT> clips_;
};

// Colours as the system draws them: system colour indexes resolved.
COLORREF systemColor(Color color);

}  // namespace quorvel
