#include "platform/shared/font_policy.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quorvel {
namespace {

// The Song face is the default control font of a Chinese desktop, so controls without a face of their
// own get it too: one face loaded instead of two keeps start-up and memory small.
constexpr std::string_view kSongFace = "宋体";

// Best first: the Song face by all its names, the Ming faces of free desktops, the Chinese face every
// recent Windows has, and last the generic serif family, which only fontconfig knows.
constexpr std::array<std::string_view, 10> kFallbacks = {kSongFace,
                                                         "SimSun",
                                                         "新宋体",
                                                         "NSimSun",
                                                         "AR PL UMing CN",
                                                         "AR PL SungtiL GB",
                                                         "Noto Serif CJK SC",
                                                         "Source Han Serif SC",
                                                         "Microsoft YaHei UI",
                                                         "serif"};

}  // namespace

double pointsToDraw(double points) { return points > 0 ? points : kDefaultFontPoints; }

int charsetToDraw(int charset) { return charset != 0 ? charset : kDefaultCharset; }

int weightToDraw(const CaptionFont& font) {
  return font.bold ? std::max(font.weight, kBoldWeight) : font.weight;
}

std::vector<std::string> faceCandidates(const std::string& name) {
  std::vector<std::string> faces{name.empty() ? std::string(kSongFace) : name};
  for (const std::string_view face : kFallbacks) {
    if (face != faces.front()) faces.emplace_back(face);
  }
  return faces;
}

}  // namespace quorvel
