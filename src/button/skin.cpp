#include "button/skin.h"

#include <cmath>
#include <vector>

namespace quorvel {
namespace {

// One row of a top or bottom edge (two pixels joined by "and", or one colour), or one column of a side
// edge (a gradient from a at the top to b at the bottom, or one colour).
struct Run {
  Color a;
  Color b;
};
Run one(std::uint32_t c) { return {rgb(c), rgb(c)}; }
Run two(std::uint32_t a, std::uint32_t b) { return {rgb(a), rgb(b)}; }

// A look's edges in pixel order (top to bottom, left to right) and its face.
struct LookTable {
  std::vector<Run> top, bottom, left, right;
  int sideRows;  // length of the side edges' gradients
  Run face;      // gradient from the top row to the bottom row
  int faceRows;
};

struct StyleTable {
  Color border;
  std::array<LookTable, kLookCount> looks;
};

const std::array<StyleTable, kStyleCount>& styleTables() {
  static const std::array<StyleTable, kStyleCount> tables = {{
      {rgb(0x003C74),
       {{{{one(0x255783), one(0xCEE7FF), one(0xCEE7FF)},
          {one(0x89ADE4), one(0x6982EE), one(0x003C74)},
          {one(0x003C74), one(0xBAD3F5), two(0xBAD3F5, 0x89ADE4)},
          {two(0xBAD3F6, 0x8BAFE5), one(0xBAD3F6), one(0x003C74)},
          15,
          two(0xFCFCFB, 0xECEBE6),
          15},
         {{two(0x255783, 0x003C74), two(0xEFE8D2, 0xFFF0CF), two(0xFCD279, 0xFDD889)},
          {one(0xF8B230), one(0xE59700), one(0x003C74)},
          {one(0x003C74), two(0xEEDCAD, 0xFEDF9A), two(0xFCD279, 0xF8B535)},
          {two(0xFCD279, 0xF8B330), two(0xEEDCAD, 0xFEDD95), one(0x003C74)},
          15,
          two(0xFCFCFB, 0xECEBE5),
          15},
         {{one(0x003C74), one(0xFFFFFF), one(0xFEFEFE), one(0xFFFFFF)},
          {one(0xE0DED4), one(0xD6D0C5), one(0x003C74)},
          {one(0x003C74), one(0xFDFDFC), two(0xFDFDFC, 0xEBEBE5)},
          {two(0xFBFBFA, 0xECEBE5), one(0xF6F4F2), one(0x003C74)},
          15,
          two(0xFCFCFB, 0xECEBE5),
          15}}}},
      {rgb(0x376206),
       {{{{one(0x376206), one(0xC2D18F), one(0xB1CB80)},
          {one(0x90C154), one(0xA8A766), one(0x376206)},
          {one(0x376206), one(0xAFCA7B), one(0xB0CA7C)},
          {one(0xA7C872), one(0xA7C871), one(0x376206)},
          13,
          two(0xFAF9E9, 0xFBFAE8),
          2},
         {{one(0x376206), one(0xFCC595), one(0xEDBE96)},
          {one(0xE3914F), one(0xCF7225), one(0x376206)},
          {one(0x376206), two(0xEEC9A5, 0xE39152), two(0xEBB88B, 0xE39352)},
          {two(0xEBB88B, 0xE3914F), two(0xFCC595, 0xDB9861), one(0x376206)},
          13,
          two(0xF7F4E3, 0xF6F3E3),
          2},
         {{one(0x376206), one(0xFFFFF6), one(0xFFFFF5)},
          {one(0xECE1C9), one(0xE3D1B8), one(0x376206)},
          {one(0x376206), one(0xFFFFF3), one(0xFFFFF3)},
          {two(0xFDFEF0, 0xEEE4CE), one(0xFBF7E8), one(0x376206)},
          15,
          two(0xFCFCFB, 0xECEBE5),
          15}}}},
      {rgb(0x003C74),
       {{{{one(0x003C74), one(0xCEE7FF), one(0xBCD4F6)},
          {one(0x89ADE4), one(0x6982EE), one(0x003C74)},
          {one(0x003C74), one(0xBAD3F5), one(0xFFFFFF)},
          {one(0xFFFFFF), one(0xBAD3F6), one(0x003C74)},
          22,
          two(0xFDFDFD, 0xCDCCDF),
          22},
         {{one(0x376206), one(0xFCC595), one(0xEDBE96)},
          {one(0xF8B330), one(0xE59700), one(0x003C74)},
          {one(0x003C74), one(0xFEDF9A), two(0xFCD279, 0xF9BA42)},
          {two(0xFCD279, 0xF8B535), one(0xFEDD95), one(0x003C74)},
          13,
          two(0xFDFDFD, 0xD6D7E7),
          13},
         {{one(0x003C74), one(0xFFFFFF), one(0xFFFFFF)},
          {one(0xC6C5D7), one(0xC6C5D7), one(0x003C74)},
          {one(0x003C74), one(0xFFFFFF), two(0xFDFDFD, 0xCDCCDF)},
          {two(0xFDFDFD, 0xCDCCDF), one(0xFFFFFF), one(0x003C74)},
          13,
          two(0xFDFDFD, 0xCDCCDF),
          13}}}},
  }};
  return tables;
}

// Style 0's plain-look corners, pixel for pixel, rows from the top.
using CornerPixels = std::array<std::array<std::uint32_t, 3>, 3>;
constexpr CornerPixels kPlainTopLeft = {
    {{0xE6E1D0, 0x7A95A8, 0x255783}, {0x7A95A8, 0x557DA2, 0xC0CFDD}, {0x255783, 0xBFCEDC, 0xFEFEFE}}};
constexpr CornerPixels kPlainTopRight = {
    {{0x164D7E, 0x6788A0, 0xE8E4D2}, {0xD5DFE8, 0x557DA2, 0x7B95A9}, {0xFEFEFD, 0xBFCEDB, 0x255783}}};
constexpr CornerPixels kPlainBottomLeft = {
    {{0x164D7E, 0xBFC7CA, 0xE2DFD6}, {0x6687A0, 0x4A7193, 0xA3AEB4}, {0xECE9D8, 0x7D99AA, 0x255783}}};
constexpr CornerPixels kPlainBottomRight = {
    {{0xDBD7CD, 0xB6BDBD, 0x164D7E}, {0xB1B7B6, 0x486E90, 0x6A8BA2}, {0x164D7E, 0x6C8CA4, 0xF4F4EA}}};

Picture make(Bitmap bitmap) { return std::make_shared<const Bitmap>(std::move(bitmap)); }

Bitmap fromRows(const std::vector<Run>& rows) {
  bool twoWide = false;
  for (const Run& r : rows) twoWide = twoWide || r.a != r.b;
  Bitmap b{twoWide ? 2 : 1, static_cast<int>(rows.size()), {}};
  for (const Run& r : rows) {
    b.pixels.push_back(r.a);
    if (twoWide) b.pixels.push_back(r.b);
  }
  return b;
}

Bitmap fromColumns(const std::vector<Run>& columns, int gradientRows) {
  bool gradient = false;
  for (const Run& c : columns) gradient = gradient || c.a != c.b;
  const int rows = gradient ? gradientRows : 1;
  Bitmap b{static_cast<int>(columns.size()), rows, std::vector<Color>(columns.size() * rows)};
  for (std::size_t x = 0; x < columns.size(); ++x) {
    const Bitmap column = verticalGradient(columns[x].a, columns[x].b, 1, rows);
    for (int y = 0; y < rows; ++y) b.pixels[y * columns.size() + x] = column.at(0, y);
  }
  return b;
}

// A corner with its outermost pixel at (0, 0), the horizontal edge along row 0 and the vertical edge
// down column 0: window background outside, the border around the curve, the inner colour inside.
struct CornerColors {
  Color border, horizontalOuter, horizontalSecond, verticalOuter, verticalSecond, inner;
};

Bitmap corner(const CornerColors& c, bool flipX, bool flipY) {
  const std::array<std::array<Color, 3>, 3> canonical = {{
      {kWindowBackground, mix(kWindowBackground, c.border, 0.5), c.horizontalOuter},
      {mix(kWindowBackground, c.border, 0.5), mix(c.border, c.inner, 1.0 / 3),
       mix(c.horizontalSecond, c.border, 0.25)},
      {c.verticalOuter, mix(c.verticalSecond, c.border, 0.25), c.inner},
  }};
  Bitmap b{3, 3, std::vector<Color>(9)};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) b.pixels[y * 3 + x] = canonical[flipY ? 2 - y : y][flipX ? 2 - x : x];
  return b;
}

Bitmap exactCorner(const CornerPixels& rows) {
  Bitmap b{3, 3, {}};
  for (const auto& row : rows)
    for (std::uint32_t c : row) b.pixels.push_back(rgb(c));
  return b;
}

SkinStore makeStore(int style) {
  const StyleTable& table = styleTables()[style];
  SkinStore store;
  for (int look = 0; look < kLookCount; ++look) {
    const LookTable& t = table.looks[look];
    auto set = [&](Piece p, Bitmap b) { store.pictures[index(p)][look] = make(std::move(b)); };
    set(Piece::up, fromRows(t.top));
    set(Piece::down, fromRows(t.bottom));
    set(Piece::left, fromColumns(t.left, t.sideRows));
    set(Piece::right, fromColumns(t.right, t.sideRows));
    set(Piece::内部, verticalGradient(t.face.a, t.face.b, 1, t.faceRows));
    if (style == 0 && look == 2) {
      set(Piece::左上角, exactCorner(kPlainTopLeft));
      set(Piece::右上角, exactCorner(kPlainTopRight));
      set(Piece::左下角, exactCorner(kPlainBottomLeft));
      set(Piece::右下角, exactCorner(kPlainBottomRight));
      continue;
    }
    const Color topInner = t.top.back().a;
    const Color bottomInner = t.bottom.front().a;
    set(Piece::左上角,
        corner({table.border, t.top[0].a, t.top[1].a, t.left[0].a, t.left[1].a, topInner}, false, false));
    set(Piece::右上角,
        corner({table.border, t.top[0].b, t.top[1].b, t.right[2].a, t.right[1].a, topInner}, true, false));
    set(Piece::左下角,
        corner({table.border, t.bottom[2].a, t.bottom[1].a, t.left[0].b, t.left[1].b, bottomInner}, false,
               true));
    set(Piece::右下角,
        corner({table.border, t.bottom[2].b, t.bottom[1].b, t.right[2].b, t.right[1].b, bottomInner}, true,
               true));
  }
  return store;
}

Bitmap pressedFlat() {
  Bitmap b{27, 29, {}};
  for (int y = 0; y < 29; ++y) {
    // Three bands of rows, each a shade lighter on the right.
    const std::uint32_t left = y < 11 ? 0xE4E4DD : y < 25 ? 0xE4E3DC : 0xE3E2DB;
    const std::uint32_t right = y < 11 ? 0xE6E6DF : y < 25 ? 0xE5E4DE : 0xE4E3DC;
    for (int x = 0; x < 27; ++x) b.pixels.push_back(rgb(x < 19 ? left : right));
  }
  return b;
}

}  // namespace

Color mix(Color from, Color to, double share) {
  Color out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const double a = (from >> shift) & 0xFFu;
    const double b = (to >> shift) & 0xFFu;
    out |= static_cast<Color>(std::lround(a + (b - a) * share)) << shift;
  }
  return out;
}

Bitmap verticalGradient(Color top, Color bottom, int width, int rows) {
  Bitmap b{width, rows, {}};
  for (int y = 0; y < rows; ++y) {
    const Color c = rows == 1 ? top : mix(top, bottom, static_cast<double>(y) / (rows - 1));
    for (int x = 0; x < width; ++x) b.pixels.push_back(c);
  }
  return b;
}

const SkinStore& skinStore(int style) {
  static const std::array<SkinStore, kStyleCount> stores = {makeStore(0), makeStore(1), makeStore(2)};
  return stores.at(static_cast<std::size_t>(style));
}

const Picture& pressedFace(int style) {
  static const std::array<Picture, kStyleCount> faces = {
      make(pressedFlat()), make(verticalGradient(rgb(0xEEE9D5), rgb(0xF2ECD8), 1, 13)),
      make(verticalGradient(rgb(0xB3B2C5), rgb(0xFFFFFF), 1, 13))};
  return faces.at(static_cast<std::size_t>(style));
}

}  // namespace quorvel
