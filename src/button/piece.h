// The nine pieces of a look, in the order the look operations walk them.
#pragma once

#include <array>

namespace quorvel {

// The four edges, the four corners (左上角 top-left, 左下角 bottom-left, 右上角 top-right, 右下角
// bottom-right) and 内部, the interior that fills the middle.
enum class Piece { up, down, right, left, 左上角, 左下角, 右上角, 右下角, 内部 };

inline constexpr int kPieceCount = 9;
inline constexpr int kLookCount = 3;   // 0 framed, 1 hover, 2 plain
inline constexpr int kStyleCount = 3;  // the values of 风格 (style: which skin) that have a skin

inline constexpr std::array<Piece, kPieceCount> kPieces = {Piece::up,     Piece::down,   Piece::right,
                                                           Piece::left,   Piece::左上角, Piece::左下角,
                                                           Piece::右上角, Piece::右下角, Piece::内部};

inline constexpr int index(Piece piece) { return static_cast<int>(piece); }

}  // namespace quorvel
