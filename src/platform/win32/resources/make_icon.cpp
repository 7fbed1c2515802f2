// Build tool, run on the build machine: turns the program's XPM icon art into a Windows icon file with
// 16 and 32 pixel images, each in 16 colours, 256 colours and 24-bit colour, transparent through a mask.
// Usage: make_icon out.ico art16.xpm art32.xpm. The art has at most 15 colours besides None, so every
// image shows it exactly.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Image {
  int size = 0;
  std::vector<std::uint32_t> argb;  // row by row from the top; alpha 0 is transparent
};

// The quoted strings of an XPM file, in order.
std::vector<std::string> quotedStrings(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  std::vector<std::string> strings;
  const std::string all = text.str();
  for (std::size_t i = all.find('"'); i != std::string::npos; i = all.find('"', i + 1)) {
    const std::size_t end = all.find('"', i + 1);
    if (end == std::string::npos) break;
    strings.push_back(all.substr(i + 1, end - i - 1));
    i = end;
  }
  return strings;
}

bool readXpm(const std::string& path, Image& image) {
  const std::vector<std::string> lines = quotedStrings(path);
  int width = 0, height = 0, colours = 0, perPixel = 0;
  if (lines.empty() ||
      std::sscanf(lines[0].c_str(), "%d %d %d %d", &width, &height, &colours, &perPixel) != 4)
    return false;
  if (width != height || perPixel != 1 || lines.size() < static_cast<std::size_t>(1 + colours + height))
    return false;
  std::map<char, std::uint32_t> palette;
  for (int i = 1; i <= colours; ++i) {
    const std::string& entry = lines[static_cast<std::size_t>(i)];
    const std::size_t hash = entry.find('#');
    unsigned rgb = 0;
    palette[entry[0]] = hash != std::string::npos && std::sscanf(entry.c_str() + hash + 1, "%6x", &rgb) == 1
                            ? 0xFF000000u | rgb
                            : 0u;
  }
  image.size = width;
  for (int y = 0; y < height; ++y) {
    const std::string& row = lines[static_cast<std::size_t>(1 + colours + y)];
    if (row.size() < static_cast<std::size_t>(width)) return false;
    for (int x = 0; x < width; ++x) image.argb.push_back(palette[row[static_cast<std::size_t>(x)]]);
  }
  return true;
}

void put16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF), out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t v) { put16(out, v & 0xFFFF), put16(out, v >> 16); }

// An icon image: the bitmap header with twice the height (colour rows, then mask rows), bottom row first,
// each row padded to four bytes. 4- and 8-bit images carry their palette, transparent pixels on entry 0.
// Returns nothing when the art has more colours than the palette holds.
std::string iconImage(const Image& image, int bits) {
  const int size = image.size;
  const std::size_t paletteSize = bits < 24 ? std::size_t{1} << bits : 0;
  std::vector<std::uint32_t> colours{0};
  auto indexOf = [&](std::uint32_t argb) -> unsigned {
    if ((argb >> 24) == 0) return 0;
    for (std::size_t i = 1; i < colours.size(); ++i)
      if (colours[i] == argb) return static_cast<unsigned>(i);
    colours.push_back(argb);
    return static_cast<unsigned>(colours.size() - 1);
  };
  std::string pixels, mask;
  const int maskRow = (size + 31) / 32 * 4;
  for (int y = size - 1; y >= 0; --y) {
    std::string row;
    std::string maskBits(static_cast<std::size_t>(maskRow), '\0');
    for (int x = 0; x < size; ++x) {
      const std::uint32_t argb = image.argb[static_cast<std::size_t>(y * size + x)];
      const bool transparent = (argb >> 24) == 0;
      if (bits == 24) {
        const std::uint32_t shown = transparent ? 0 : argb;  // stored as blue, green, red
        row += static_cast<char>(shown & 0xFF), row += static_cast<char>((shown >> 8) & 0xFF);
        row += static_cast<char>((shown >> 16) & 0xFF);
      } else if (bits == 8) {
        row += static_cast<char>(indexOf(argb));
      } else if (x % 2 == 0) {
        row += static_cast<char>(indexOf(argb) << 4);
      } else {
        row.back() = static_cast<char>(row.back() | static_cast<char>(indexOf(argb)));
      }
      if (transparent) maskBits[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
    }
    while (row.size() % 4) row += '\0';
    pixels += row;
    mask += maskBits;
  }
  if (paletteSize && colours.size() > paletteSize) return {};
  std::string out;
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(size));
  put32(out, static_cast<std::uint32_t>(size * 2));
  put16(out, 1);
  put16(out, static_cast<unsigned>(bits));
  put32(out, 0);
  put32(out, static_cast<std::uint32_t>(pixels.size() + mask.size()));
  put32(out, 0), put32(out, 0);
  put32(out, static_cast<std::uint32_t>(paletteSize)), put32(out, 0);
  if (paletteSize) {
    colours.resize(paletteSize, 0);
    for (std::uint32_t c : colours) put32(out, c & 0x00FFFFFFu);
  }
  return out + pixels + mask;
}

}  // namespace

int main(int argc, char** argv) {
  Image small, large;
  if (argc != 4 || !readXpm(argv[2], small) || !readXpm(argv[3], large)) {
    std::fprintf(stderr,
                 "usage: make_icon out.ico art16.xpm art32.xpm (square XPM, one character a pixel)\n");
    return 1;
  }
  std::vector<std::string> bodies;
  std::vector<std::pair<int, int>> entries;  // size, bits
  for (const Image* image : {&small, &large}) {
    for (int bits : {4, 8, 24}) {
      bodies.push_back(iconImage(*image, bits));
      if (bodies.back().empty()) {
        std::fprintf(stderr, "make_icon: the %d pixel art has more colours than %d bits hold\n", image->size,
                     bits);
        return 1;
      }
      entries.emplace_back(image->size, bits);
    }
  }
  std::string file;
  put16(file, 0), put16(file, 1), put16(file, static_cast<unsigned>(bodies.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * bodies.size());
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    file += static_cast<char>(entries[i].first), file += static_cast<char>(entries[i].first);
    file += static_cast<char>(entries[i].second == 4 ? 16 : 0), file += '\0';
    put16(file, 1), put16(file, static_cast<unsigned>(entries[i].second));
    put32(file, static_cast<std::uint32_t>(bodies[i].size())), put32(file, offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const std::string& body : bodies) file += body;
  std::ofstream out(argv[1], std::ios::binary);
  out.write(file.data(), static_cast<std::streamsize>(file.size()));
  return out ? 0 : 1;
}
