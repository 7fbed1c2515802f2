// Headless host for one control: keeps size, enabled state, capture, tooltip and focus requests,
// records change notifications and repaint requests, and measures text with made-up metrics.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/control_surface.h"

namespace quorvel {

class FakeControlSurface final : public ControlSurface {
 public:
  explicit FakeControlSurface(TwipsSize size) : size_(size) {}
  ~FakeControlSurface() override {
    if (onDestroyed) onDestroyed();
  }
  FakeControlSurface(const FakeControlSurface&) = delete;
  FakeControlSurface& operator=(const FakeControlSurface&) = delete;

  // Text metrics that any test can work out by hand: the em is the font size in twips (20 twips to the
  // point); an ASCII character is half an em wide, any other character a whole em; a line is an em and
  // 30 twips high. Lines break where every backend breaks them.
  static double advance(char32_t c, const CaptionFont& font);
  static double lineHeight(const CaptionFont& font);
  static TwipsSize textExtent(std::string_view text, const CaptionFont& font, double wrapWidth);

  TwipsSize size() const override { return size_; }
  void setSize(TwipsSize size) override;
  bool enabled() const override { return enabled_; }
  void setEnabled(bool enabled) override;
  void requestFocus() override;
  void setCapture() override;
  void releaseCapture() override;
  void setToolTip(std::string_view text) override { toolTip_ = text; }
  TwipsSize measureText(std::string_view text, const CaptionFont& font, double wrapWidth) const override {
    return textExtent(text, font, wrapWidth);
  }
  CaptionFont ambientFont() const override { return ambientFont_; }
  void propertyChanged(std::string_view name) override { changes_.emplace_back(name); }
  void requestRepaint() override {
    ++repaints_;
    repaintPending_ = true;
  }

  // What the host would do when the control asks for the focus (usually: run its focus-enter handling).
  std::function<void()> onFocusRequest;
  // Lets the host forget the surface.
  std::function<void()> onDestroyed;
  // Where the host keeps the capture: asked for (true) or let go (false), and the control disabled.
  // Without a host the surface keeps it itself.
  std::function<void(bool asked)> onCapture;
  std::function<void()> onDisabled;
  // The system's pointer is grabbed for this surface, or not.
  void setGrabbed(bool grabbed) { capture_ = grabbed; }
  void setAmbientFont(CaptionFont font) { ambientFont_ = std::move(font); }

  bool hasCapture() const { return capture_; }
  int captureCalls() const { return captureCalls_; }
  int focusRequests() const { return focusRequests_; }
  const std::vector<TwipsSize>& sizesSet() const { return sizesSet_; }
  const std::string& toolTip() const { return toolTip_; }
  const std::vector<std::string>& changes() const { return changes_; }
  void clearChanges() { changes_.clear(); }
  int repaints() const { return repaints_; }
  // Whether a repaint was asked for since the last paint; the host paints it now.
  bool takePendingRepaint() { return std::exchange(repaintPending_, false); }

  // The control's surface as the shared painter draws it, on a bitmap of the surface's size in whole
  // pixels; text leaves no pixels.
  Bitmap drawSurface(const PaintList& list) const;

 private:
  TwipsSize size_;
  bool enabled_ = true;
  bool capture_ = false;
  int captureCalls_ = 0;
  int focusRequests_ = 0;
  std::vector<TwipsSize> sizesSet_;
  std::string toolTip_;
  CaptionFont ambientFont_;
  std::vector<std::string> changes_;
  int repaints_ = 0;
  bool repaintPending_ = false;
};

}  // namespace quorvel
