#include "button/skin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace quorvel {
namespace {

constexpr Color kBlue = rgb(0x003C74);
constexpr Color kOlive = rgb(0x376206);

std::vector<Color> column(const Bitmap& b, int x) {
  std::vector<Color> out;
  for (int y = 0; y < b.height; ++y) out.push_back(b.at(x, y));
  return out;
}

std::vector<Color> row(const Bitmap& b, int y) {
  std::vector<Color> out;
  for (int x = 0; x < b.width; ++x) out.push_back(b.at(x, y));
  return out;
}

TEST(Skin, EveryBitmapHasItsPieceSize) {
  for (int style = 0; style < kStyleCount; ++style) {
    for (int look = 0; look < kLookCount; ++look) {
      const SkinStore& s = skinStore(style);
      for (Piece corner : {Piece::左上角, Piece::右上角, Piece::左下角, Piece::右下角}) {
        EXPECT_EQ(s.of(corner, look)->width, 3);
        EXPECT_EQ(s.of(corner, look)->height, 3);
      }
      const bool fourRows = style == 0 && look == 2;
      for (Piece edge : {Piece::up, Piece::down}) {
        const Bitmap& b = *s.of(edge, look);
        EXPECT_EQ(b.height, edge == Piece::up && fourRows ? 4 : 3) << style << "/" << look;
        EXPECT_GE(b.width, 1);
        EXPECT_LE(b.width, 8);
      }
      for (Piece edge : {Piece::left, Piece::right}) {
        const Bitmap& b = *s.of(edge, look);
        EXPECT_EQ(b.width, 3);
        EXPECT_GE(b.height, 1);
        EXPECT_LE(b.height, 22);
      }
      const Bitmap& face = *s.of(Piece::内部, look);
      EXPECT_GE(face.width, 1);
      EXPECT_LE(face.width, 4);
      EXPECT_GE(face.height, 2);
      EXPECT_LE(face.height, 22);
      for (Piece p : kPieces)
        EXPECT_EQ(s.of(p, look)->pixels.size(),
                  static_cast<std::size_t>(s.of(p, look)->width * s.of(p, look)->height));
    }
  }
}

// The outermost row or column of every edge is the style's border colour (olive on style 2's hover top).
TEST(Skin, EdgesAreFramedInTheBorderColour) {
  const Color borders[kStyleCount] = {kBlue, kOlive, kBlue};
  for (int style = 0; style < kStyleCount; ++style) {
    for (int look = 0; look < kLookCount; ++look) {
      const SkinStore& s = skinStore(style);
      const Bitmap& down = *s.of(Piece::down, look);
      const Bitmap& left = *s.of(Piece::left, look);
      const Bitmap& right = *s.of(Piece::right, look);
      for (Color c : row(down, down.height - 1)) EXPECT_EQ(c, borders[style]) << style << "/" << look;
      for (Color c : column(left, 0)) EXPECT_EQ(c, borders[style]) << style << "/" << look;
      for (Color c : column(right, 2)) EXPECT_EQ(c, borders[style]) << style << "/" << look;
    }
  }
  EXPECT_EQ(skinStore(2).of(Piece::up, 1)->at(0, 0), kOlive);
  EXPECT_EQ(skinStore(0).of(Piece::up, 1)->at(0, 0), rgb(0x255783));
  EXPECT_EQ(skinStore(0).of(Piece::up, 1)->at(1, 0), kBlue);
}

TEST(Skin, EdgeRowsAndGradientsFollowTheirTable) {
  const Bitmap& top = *skinStore(0).of(Piece::up, 2);
  EXPECT_EQ(column(top, 0), (std::vector<Color>{kBlue, rgb(0xFFFFFF), rgb(0xFEFEFE), rgb(0xFFFFFF)}));
  const Bitmap& hoverTop = *skinStore(0).of(Piece::up, 1);  // two pixels to a row
  EXPECT_EQ(row(hoverTop, 1), (std::vector<Color>{rgb(0xEFE8D2), rgb(0xFFF0CF)}));
  const Bitmap& left = *skinStore(0).of(Piece::left, 0);
  EXPECT_EQ(left.at(1, 0), rgb(0xBAD3F5));
  EXPECT_EQ(left.at(1, left.height - 1), rgb(0xBAD3F5));
  EXPECT_EQ(left.at(2, 0), rgb(0xBAD3F5));
  EXPECT_EQ(left.at(2, left.height - 1), rgb(0x89ADE4));
  const Bitmap& right = *skinStore(1).of(Piece::right, 1);
  EXPECT_EQ(right.at(0, 0), rgb(0xEBB88B));
  EXPECT_EQ(right.at(0, right.height - 1), rgb(0xE3914F));
  EXPECT_EQ(right.at(1, right.height - 1), rgb(0xDB9861));
  const Bitmap& uniform = *skinStore(1).of(Piece::left, 0);  // no gradient: one row is enough
  EXPECT_EQ(row(uniform, 0), (std::vector<Color>{kOlive, rgb(0xAFCA7B), rgb(0xB0CA7C)}));
  EXPECT_EQ(uniform.height, 1);
}

// Every face is a light gradient from its top row to its bottom row, one pixel wide.
TEST(Skin, FacesAreLightVerticalGradients) {
  for (int style = 0; style < kStyleCount; ++style) {
    for (int look = 0; look < kLookCount; ++look) {
      const Bitmap& face = *skinStore(style).of(Piece::内部, look);
      const Bitmap ends = verticalGradient(face.at(0, 0), face.at(0, face.height - 1), 1, face.height);
      EXPECT_EQ(face.pixels, ends.pixels) << style << "/" << look;
      for (Color c : face.pixels)
        for (int shift = 0; shift < 24; shift += 8)
          EXPECT_GE((c >> shift) & 0xFFu, 0xC0u) << style << "/" << look;
    }
  }
}

// Every corner curves from outside to inside: the three pixels across its middle are darker than its
// outermost and innermost pixels. Those made from their edges (all but style 0's plain look, which is drawn
// pixel by pixel) have the window background at the outermost pixel, the edges' own colours where they meet
// the corner, and the look's inner colour at the innermost pixel.
TEST(Skin, CornersCurveFromTheWindowBackgroundToTheInside) {
  const struct {
    Piece corner;
    int outerX, outerY, innerX, innerY;
  } corners[] = {{Piece::左上角, 0, 0, 2, 2},
                 {Piece::右上角, 2, 0, 0, 2},
                 {Piece::左下角, 0, 2, 2, 0},
                 {Piece::右下角, 2, 2, 0, 0}};
  const auto brightness = [](Color c) { return (c & 0xFFu) + ((c >> 8) & 0xFFu) + ((c >> 16) & 0xFFu); };
  for (int style = 0; style < kStyleCount; ++style) {
    for (int look = 0; look < kLookCount; ++look) {
      const SkinStore& s = skinStore(style);
      for (const auto& c : corners) {
        const Bitmap& b = *s.of(c.corner, look);
        const auto lighter =
            std::min(brightness(b.at(c.outerX, c.outerY)), brightness(b.at(c.innerX, c.innerY)));
        for (int y = 0; y < 3; ++y)
          for (int x = 0; x < 3; ++x)
            if (std::abs(x - c.outerX) + std::abs(y - c.outerY) == 2) {
              EXPECT_LT(brightness(b.at(x, y)), lighter) << style << "/" << look << " " << index(c.corner);
            }
        if (style == 0 && look == 2) continue;
        EXPECT_EQ(b.at(c.outerX, c.outerY), kWindowBackground) << style << "/" << look;
        const bool top = c.corner == Piece::左上角 || c.corner == Piece::右上角;
        const Bitmap& edge = *s.of(top ? Piece::up : Piece::down, look);
        const Color inner = top ? edge.at(0, edge.height - 1) : edge.at(0, 0);
        EXPECT_EQ(b.at(c.innerX, c.innerY), inner) << style << "/" << look << " " << index(c.corner);
        // Along the outer row the corner continues its edge's outer row.
        const Color edgeOuter = top ? edge.at(c.outerX == 0 ? 0 : edge.width - 1, 0)
                                    : edge.at(c.outerX == 0 ? 0 : edge.width - 1, edge.height - 1);
        EXPECT_EQ(b.at(c.innerX, c.outerY), edgeOuter) << style << "/" << look << " " << index(c.corner);
      }
    }
  }
  // The middle pixel lies a third of the way from the border to the inner colour.
  EXPECT_EQ(skinStore(2).of(Piece::左上角, 2)->at(1, 1), mix(kBlue, rgb(0xFFFFFF), 1.0 / 3));
}

TEST(Skin, PressedFacesHaveTheirSizesAndShades) {
  const Bitmap& flat = *pressedFace(0);
  ASSERT_EQ(flat.width, 27);
  ASSERT_EQ(flat.height, 29);
  const struct {
    int x, y;
    std::uint32_t color;
  } samples[] = {{0, 0, 0xE4E4DD},  {18, 10, 0xE4E4DD}, {19, 10, 0xE6E6DF}, {26, 0, 0xE6E6DF},
                 {0, 11, 0xE4E3DC}, {18, 24, 0xE4E3DC}, {19, 11, 0xE5E4DE}, {26, 24, 0xE5E4DE},
                 {0, 25, 0xE3E2DB}, {18, 28, 0xE3E2DB}, {19, 25, 0xE4E3DC}, {26, 28, 0xE4E3DC}};
  for (const auto& s : samples) EXPECT_EQ(flat.at(s.x, s.y), rgb(s.color)) << s.x << "," << s.y;

  const struct {
    int style;
    Color top, bottom;
  } gradients[] = {{1, rgb(0xEEE9D5), rgb(0xF2ECD8)}, {2, rgb(0xB3B2C5), rgb(0xFFFFFF)}};
  for (const auto& g : gradients) {
    const Bitmap& b = *pressedFace(g.style);
    EXPECT_EQ(b.width, 1);
    EXPECT_EQ(b.height, 13);
    EXPECT_EQ(b.at(0, 0), g.top);
    EXPECT_EQ(b.at(0, 12), g.bottom);
  }
}

// Colour literals become blue, green, red; mixes and gradients round to the nearest shade.
TEST(Skin, MixAndGradientRoundToTheNearestShade) {
  EXPECT_EQ(rgb(0x123456), 0x00563412u);
  EXPECT_EQ(rgb(0xECE9D8), 0x00D8E9ECu);
  EXPECT_EQ(mix(0x000000, 0xFFFFFF, 0.5), 0x808080u);
  EXPECT_EQ(mix(0x102030, 0x102030, 0.7), 0x102030u);
  const Bitmap g = verticalGradient(0x000000, 0x0000FF, 2, 4);  // red 0, 85, 170, 255
  EXPECT_EQ(column(g, 1), (std::vector<Color>{0x00, 0x55, 0xAA, 0xFF}));
}

}  // namespace
}  // namespace quorvel
