// How a caption is broken into lines, the same for measuring and for drawing on every backend, so that
// a caption sized by measuring fits where it is drawn.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Width in pixels of a piece of text in the font being laid out.
using TextWidth = std::function<double(std::string_view)>;

// The lines of a text: broken at line ends (CR LF, CR or LF) and, when wrapWidth is positive, wrapped
// at blanks and around Chinese characters so that each line fits; a word wider than a whole line is
// broken between characters, at least one to a line. Blanks at a wrap are dropped.
std::vector<std::string> textLines(std::string_view text, double wrapWidth, const TextWidth& width);

}  // namespace quorvel
