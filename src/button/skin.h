// The skin bitmaps, made in code from colour tables: for each of the three styles, nine pieces in
// each of the three looks, and one pressed face per style.
#pragma once

#include <array>
#include <cstdint>

#include "button/piece.h"
#include "platform/control_surface.h"

namespace quorvel {

// #RRGGBB as written in colour tables, to the 0x00BBGGRR of a colour value.
constexpr Color rgb(std::uint32_t rrggbb) {
  return ((rrggbb & 0xFFu) << 16) | (rrggbb & 0xFF00u) | ((rrggbb >> 16) & 0xFFu);
}

inline constexpr Color kWindowBackground = rgb(0xECE9D8);

// One style's 27 pictures; member i of each piece belongs to look i.
struct SkinStore {
  std::array<std::array<Picture, kLookCount>, kPieceCount> pictures;

  const Picture& of(Piece piece, int look) const { return pictures[index(piece)][look]; }
};

// Style 0 is the `c` set (cup ... c内部), 1 the `a` set, 2 the `b` set. Made once, then shared.
const SkinStore& skinStore(int style);

// The pressed interior of each style, the `whendown` store.
const Picture& pressedFace(int style);

// Building blocks, also used to check the skins against their tables.
Color mix(Color from, Color to, double share);  // share 0 gives `from`, 1 gives `to`
Bitmap verticalGradient(Color top, Color bottom, int width, int rows);

}  // namespace quorvel
