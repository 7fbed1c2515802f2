// The fonts every backend uses alike: the size of a control without a font of its own, the Song face and
// the faces that stand in for it where it is missing, and the weight a bold caption is drawn at.
#pragma once

#include <string>
#include <vector>

#include "platform/control_surface.h"

namespace quorvel {

// Controls without a font of their own get the size of the system's dialog font.
inline constexpr double kDefaultFontPoints = 9;
// GB2312, the character set of Simplified Chinese, for fonts that name none.
inline constexpr int kDefaultCharset = 134;
// A bold caption is drawn at the system's bold weight; from this weight on, a caption is bold.
inline constexpr int kBoldWeight = 700;

// The size a font is drawn at: its own, or the default when it has none.
double pointsToDraw(double points);
// The character set a font is drawn in: its own, or the default when it names none.
int charsetToDraw(int charset);
// The weight a caption is drawn at: its own, raised to bold by its bold flag.
int weightToDraw(const CaptionFont& font);

// The faces to try for a requested one, best first: the face itself (the Song face when none is named),
// then the Song face by its other names, then installed faces that look like it and have Chinese glyphs.
// A face missing on a system then still shows Chinese rather than empty boxes.
std::vector<std::string> faceCandidates(const std::string& name);

}  // namespace quorvel
