// The host side of an owner-drawn control on every backend: what the control asks of its host goes to
// the model, and through it to the port. The control's owner owns this object; the native widget may
// go first, with its window.
#pragma once

#include "platform/control_surface.h"
#include "platform/shared/desktop.h"

namespace quorvel {

// A text's extent in twips, measured in whole pixels at 96 dpi: wrapped at `wrapWidth` twips when that is
// positive.
TwipsSize measureInTwips(std::string_view text, const CaptionFont& font, double wrapWidth,
                         TextMeasure& measure);

class HostedSurface final : public ControlSurface {
 public:
  HostedSurface(Desktop& desktop, ControlId id) : desktop_(desktop), id_(id) {}
  ~HostedSurface() override { desktop_.surfaceDropped(id_); }
  HostedSurface(const HostedSurface&) = delete;
  HostedSurface& operator=(const HostedSurface&) = delete;

  TwipsSize size() const override;
  void setSize(TwipsSize size) override;
  bool enabled() const override;
  void setEnabled(bool enabled) override;
  void requestFocus() override;
  void setCapture() override;
  void releaseCapture() override;
  void setToolTip(std::string_view text) override;
  TwipsSize measureText(std::string_view text, const CaptionFont& font, double wrapWidth) const override;
  CaptionFont ambientFont() const override { return ambientFontFor(desktop_.record(id_).spec.font); }
  // Stored property sets are written only by a form designer, and no host here has one.
  void propertyChanged(std::string_view) override {}
  void requestRepaint() override;

 private:
  // The widget is there: the system has not destroyed it with its window.
  bool live() const { return desktop_.record(id_).surface->native; }

  Desktop& desktop_;
  ControlId id_;
};

}  // namespace quorvel
