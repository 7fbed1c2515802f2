// The host of an owner-drawn control on Windows: a child window of our own class that hands the control
// its pointer, keyboard and focus messages and paints its paint list, and the surface object through
// which the control asks things of its host. The window deletes its host object when it is destroyed;
// the control's owner owns the surface object, and either may go first.
#pragma once

#include <windows.h>

#include "platform/control_surface.h"
#include "platform/shared/held_keys.h"

namespace quorvel {

class Win32Platform;

class SurfaceWindow {
 public:
  SurfaceWindow(Win32Platform& platform, ControlId id, ControlSurfaceClient& client);
  SurfaceWindow(const SurfaceWindow&) = delete;
  SurfaceWindow& operator=(const SurfaceWindow&) = delete;

  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd() const { return hwnd_; }
  void attach(HWND hwnd) { hwnd_ = hwnd; }
  // Size in pixels at 96 dpi, the control's own unit.
  int width() const { return width_; }
  int height() const { return height_; }
  void setSize(int width, int height);
  // Puts the window's corner at a point of its parent's client area, its size scaled to the resolution.
  void place(POINT corner, int dpi);
  void shown();
  // Cuts the window off from a control that is going away; it delivers and paints nothing more.
  void detach();

 private:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  // True when the message was the pointer's (the keyboard's, the focus's) and has been handled.
  bool handlePointer(UINT message, WPARAM wParam, LPARAM lParam);
  bool handleKeyboard(UINT message, WPARAM wParam, LPARAM lParam);
  void pointerLeft();
  void buttonDown(std::int16_t button, LPARAM lParam);
  void buttonUp(std::int16_t button, WPARAM wParam, LPARAM lParam);
  void paint();
  float twipsX(LPARAM lParam) const;
  float twipsY(LPARAM lParam) const;

  Win32Platform& platform_;
  ControlId id_;
  ControlSurfaceClient* client_;  // nothing once detached
  HeldKeys keys_;
  HWND hwnd_ = nullptr;
  int width_ = 1;
  int height_ = 1;
  int dpi_ = kBaseDpi;
  POINT origin_{};
  bool shown_ = false;
  bool trackingLeave_ = false;
};

class Win32ControlSurface final : public ControlSurface {
 public:
  Win32ControlSurface(Win32Platform& platform, ControlId id, CaptionFont ambientFont);
  ~Win32ControlSurface() override;
  Win32ControlSurface(const Win32ControlSurface&) = delete;
  Win32ControlSurface& operator=(const Win32ControlSurface&) = delete;

  TwipsSize size() const override;
  void setSize(TwipsSize size) override;
  bool enabled() const override;
  void setEnabled(bool enabled) override;
  void requestFocus() override;
  void setCapture() override;
  void releaseCapture() override;
  void setToolTip(std::string_view text) override;
  TwipsSize measureText(std::string_view text, const CaptionFont& font, double wrapWidth) const override;
  CaptionFont ambientFont() const override { return ambientFont_; }
  // Stored property sets are written only by a form designer, and this host has none.
  void propertyChanged(std::string_view) override {}
  void requestRepaint() override;

 private:
  // The host window, or nothing once its window has been destroyed.
  SurfaceWindow* window() const;

  Win32Platform& platform_;
  ControlId id_;
  CaptionFont ambientFont_;
};

}  // namespace quorvel
