// The element list the host's painter draws: visible elements from the back to the front, in pixels.
#include "button/xpcommand.h"

namespace quorvel {
namespace {

PixelRect toPixels(const TwipsBox& box) {
  const int left = pixelEdge(box.left);
  const int top = pixelEdge(box.top);
  return {left, top, pixelEdge(box.left + box.width) - left, pixelEdge(box.top + box.height) - top};
}

// The pieces from the back to the front as they are stacked: the interior lowest, the edges on top.
// Within each piece the looks go from 2 (plain) up to 0 (framed).
constexpr Piece kPiecesBackToFront[] = {Piece::内部,   Piece::右下角, Piece::右上角,
                                        Piece::左上角, Piece::左下角, Piece::up,
                                        Piece::down,   Piece::left,   Piece::right};

}  // namespace

PaintList xpcommand::paintList() const {
  PaintList list{surfaceDrawing_.background, surfaceDrawing_.marks, {}};
  auto picture = [&](const PictureElement& e) {
    if (e.visible && e.picture) list.elements.emplace_back(StretchedBitmap{toPixels(e.box), e.picture});
  };
  for (Piece p : kPiecesBackToFront) {
    for (int look = kLookCount - 1; look >= 0; --look) picture(piece(p, look));
    // The icon lies between the interior and the border.
    if (p == Piece::内部) picture(图标_);
  }
  if (text_.visible && !text_.caption.empty())
    list.elements.emplace_back(
        CenteredText{toPixels(text_.box), text_.caption, text_.font, text_.color, text_.wordWrap});
  for (Strip s : {Strip::Ldown, Strip::Lup, Strip::Lright, Strip::lleft}) {
    const MarkerStrip& m = strip(s);
    if (m.visible) list.elements.emplace_back(DottedStrip{toPixels(m.box), 0x00FFFFFF, m.dotColor, m.dots});
  }
  return list;
}

}  // namespace quorvel
