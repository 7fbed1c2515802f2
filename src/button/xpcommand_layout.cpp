// Placing the child elements for any size, and the caption fitting that precedes it.
#include <cmath>

#include "button/xpcommand.h"

namespace quorvel {
namespace {

constexpr double kPixel = 15;
constexpr double kBorder = 45;    // corners and edges are three pixels thick
constexpr double kMinimum = 135;  // nine pixels each way keeps every size below positive
constexpr double kMargin = 120;   // caption and stretched icon keep four pixels off each side
constexpr double kDotStep = 30;   // a dot on every second pixel

bool singleLine(std::int32_t mode) { return mode == 1 || mode == 5; }

}  // namespace

void xpcommand::setControlSize(double width, double height) {
  surface_.setSize({width, height});
  dirty_ = true;
  UserControl_Resize();
}

// Fits the caption to its text: one line of natural width, or the lines the text needs at its width.
void xpcommand::fitCaptionToText() {
  const TwipsSize extent =
      surface_.measureText(text_.caption, text_.font, text_.wordWrap ? text_.box.width : 0);
  const TwipsBox fitted{text_.box.left, text_.box.top, text_.wordWrap ? text_.box.width : extent.width,
                        extent.height};
  if (fitted == text_.box) return;
  text_.box = fitted;
  dirty_ = true;
}

// Setting the width it already has leaves a cut height alone; a new width refits the wrapped lines.
void xpcommand::setCaptionWidth(double width) {
  if (text_.box.width == width) return;
  text_.box.width = width;
  dirty_ = true;
  if (text_.wordWrap) fitCaptionToText();
}

void xpcommand::setCaptionHeight(double height) {
  if (text_.box.height == height) return;
  text_.box.height = height;
  dirty_ = true;
}

void xpcommand::setWordWrap(bool on) {
  if (text_.wordWrap == on) return;
  text_.wordWrap = on;
  fitCaptionToText();
}

void xpcommand::处理图标() {
  RepaintScope scope(*this);
  const TwipsSize size = surface_.size();
  if (!singleLine(图_)) {
    setCaptionWidth(size.width - kMargin);
    setWordWrap(true);
    if (text_.box.height > size.height - kMargin) setCaptionHeight(size.height - kMargin);
  } else {
    // Sized afresh to its text, on one line.
    fitCaptionToText();
    setWordWrap(false);
  }
  UserControl_Resize();
}

// Places every element for the control's size. A run that resizes the control lays it out again, nested,
// so each run ends with its own Resize event.
void xpcommand::UserControl_Resize() {
  RepaintScope scope(*this);
  enforceMinimumSize();
  TwipsSize size = surface_.size();
  placeSkin(size);
  sizeIcon(size);
  if (图_ == 3) {
    growToHoldIcon(size);
    size = surface_.size();
  }
  placeCaptionAndIcon(size);
  placeFocusStrips(size);
  // Where a press offsets caption and icon from, and puts them back.
  textRestLeft_ = text_.box.left;
  iconRestLeft_ = 图标_.box.left;
  textRestTop_ = text_.box.top;
  iconRestTop_ = 图标_.box.top;
  dotFocusStrips(size);
  setVisible(图标_, 图_ != 0);
  raise(events.Resize);
}

// The icon starts from one pixel; the control from nine pixels each way, which re-lays it out at once.
void xpcommand::enforceMinimumSize() {
  place(图标_, {图标_.box.left, 图标_.box.top, kPixel, kPixel});
  if (surface_.size().width < kMinimum) setControlSize(kMinimum, surface_.size().height);
  if (surface_.size().height < kMinimum) setControlSize(surface_.size().width, kMinimum);
  if (!singleLine(图_)) setCaptionWidth(surface_.size().width - kMargin);
}

// The skin covers the control; each look's corners and edges frame its interior.
void xpcommand::placeSkin(const TwipsSize& size) {
  const double W = size.width;
  const double H = size.height;
  place(表皮_, {0, 0, W, H});
  for (int look = 0; look < kLookCount; ++look) {
    place(pieceRef(Piece::左上角, look), {0, 0, kBorder, kBorder});
    place(pieceRef(Piece::up, look), {kBorder, 0, W - 2 * kBorder, kBorder});
    place(pieceRef(Piece::右上角, look), {W - kBorder, 0, kBorder, kBorder});
    place(pieceRef(Piece::left, look), {0, kBorder, kBorder, H - 2 * kBorder});
    place(pieceRef(Piece::内部, look), {kBorder, kBorder, W - 2 * kBorder, H - 2 * kBorder});
    place(pieceRef(Piece::right, look), {W - kBorder, kBorder, kBorder, H - 2 * kBorder});
    place(pieceRef(Piece::左下角, look), {0, H - kBorder, kBorder, kBorder});
    place(pieceRef(Piece::down, look), {kBorder, H - kBorder, W - 2 * kBorder, kBorder});
    place(pieceRef(Piece::右下角, look), {W - kBorder, H - kBorder, kBorder, kBorder});
  }
}

// The icon's size by layout mode, before anything is placed beside it.
void xpcommand::sizeIcon(const TwipsSize& size) {
  // An icon without a bitmap has no size of its own: it takes none.
  const double ownWidth = 图标_.picture ? 图标_.picture->width * kPixel : 0;
  const double ownHeight = 图标_.picture ? 图标_.picture->height * kPixel : 0;
  switch (图_) {
    case 1:
      place(图标_, {图标_.box.left, 图标_.box.top, 240, 240});
      break;
    case 2:
      place(图标_, {图标_.box.left, 图标_.box.top, 480, 480});
      break;
    case 3:
    case 5:
    case 6:
      place(图标_, {图标_.box.left, 图标_.box.top, ownWidth, ownHeight});
      break;
    case 4:
      place(图标_, {kMargin / 2, kMargin / 2, size.width - kMargin, size.height - kMargin});
      break;
    default:
      break;
  }
}

// A lone icon in the centre: the control only grows to hold it, each change a nested layout.
void xpcommand::growToHoldIcon(const TwipsSize& size) {
  if (size.width < 图标_.box.width + kMargin) {
    setControlSize(图标_.box.width + kMargin, surface_.size().height);
  }
  if (size.height < 图标_.box.height + kMargin) {
    setControlSize(surface_.size().width, 图标_.box.height + kMargin);
  }
}

void xpcommand::placeCaptionAndIcon(const TwipsSize& size) {
  const double W = size.width;
  const double H = size.height;
  const double tw = text_.box.width;
  const double th = text_.box.height;
  const double iw = 图标_.box.width;
  const double ih = 图标_.box.height;
  switch (图_) {
    case 0:
    case 3:
    case 4:
      moveCaption((W - tw) / 2, (H - th) / 2);
      if (图_ == 3) moveIcon((W - iw) / 2, (H - ih) / 2);
      break;
    case 1:
    case 5:
      moveIcon((W - (tw + iw)) / 2, (H - ih) / 2);
      moveCaption((W - (tw + iw)) / 2 + iw + kPixel, (H - th) / 2);
      break;
    case 2:
    case 6:
      moveIcon((W - iw) / 2, (H - th - ih) / 2);
      moveCaption((W - tw) / 2, (H - th - ih) / 2 + ih);
      break;
    default:
      break;
  }
}

// The dotted focus frame lies one pixel inside the border.
void xpcommand::placeFocusStrips(const TwipsSize& size) {
  const double W = size.width;
  const double H = size.height;
  const std::array<TwipsBox, 4> stripBoxes = {{
      {kBorder, kBorder, kPixel, H - 2 * kBorder},               // lleft
      {W - kBorder - kPixel, kBorder, kPixel, H - 2 * kBorder},  // Lright
      {kBorder, kBorder, W - 2 * kBorder, kPixel},               // Lup
      {kBorder, H - kBorder - kPixel, W - 2 * kBorder, kPixel},  // Ldown
  }};
  for (std::size_t i = 0; i < strips_.size(); ++i) {
    if (strips_[i].box == stripBoxes[i]) continue;
    strips_[i].box = stripBoxes[i];
    dirty_ = true;
  }
}

// Dots are points, so each lands in the pixel that holds it.
void xpcommand::dotFocusStrips(const TwipsSize& size) {
  for (double x = 1; x <= size.width; x += kDotStep) {
    const PixelPoint dot{static_cast<int>(std::floor(x / kPixel)), 0};
    strips_[static_cast<int>(Strip::Lup)].setDot(dot);
    strips_[static_cast<int>(Strip::Ldown)].setDot(dot);
  }
  for (double y = 1; y <= size.height; y += kDotStep) {
    const PixelPoint dot{0, static_cast<int>(std::floor(y / kPixel))};
    strips_[static_cast<int>(Strip::lleft)].setDot(dot);
    strips_[static_cast<int>(Strip::Lright)].setDot(dot);
  }
}

}  // namespace quorvel
