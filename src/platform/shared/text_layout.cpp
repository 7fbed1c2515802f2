#include "platform/shared/text_layout.h"

#include "base/utf.h"

namespace quorvel {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

std::string withoutTrailingBlanks(std::string line) {
  while (!line.empty() && isBlank(line.back())) line.pop_back();
  return line;
}

// Greedy wrapping of one paragraph. A piece is a word (a run of ASCII non-blanks, or one character
// beyond ASCII, since Chinese text may break between any two characters) with the blanks after it.
void wrapParagraph(std::string_view text, double wrapWidth, const TextWidth& width,
                   std::vector<std::string>& lines) {
  std::string line;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t wordEnd = i;
    if (!isAscii(text[i])) {
      wordEnd = i + characterLength(text, i);
    } else {
      while (wordEnd < text.size() && isAscii(text[wordEnd]) && !isBlank(text[wordEnd])) ++wordEnd;
    }
    std::size_t pieceEnd = wordEnd;
    while (pieceEnd < text.size() && isBlank(text[pieceEnd])) ++pieceEnd;
    const std::string_view word = text.substr(i, wordEnd - i);

    if (!line.empty() && width(line + std::string(word)) > wrapWidth) {
      lines.push_back(withoutTrailingBlanks(std::move(line)));
      line.clear();
    }
    if (line.empty() && width(word) > wrapWidth) {
      // Wider than a whole line: broken between characters, at least one to a line.
      for (std::size_t k = i; k < wordEnd;) {
        const std::size_t n = characterLength(text, k);
        const std::string_view character = text.substr(k, n);
        if (!line.empty() && width(line + std::string(character)) > wrapWidth) {
          lines.push_back(std::move(line));
          line.clear();
        }
        line += character;
        k += n;
      }
      line += text.substr(wordEnd, pieceEnd - wordEnd);
    } else {
      line += text.substr(i, pieceEnd - i);
    }
    i = pieceEnd;
  }
  lines.push_back(withoutTrailingBlanks(std::move(line)));
}

}  // namespace

std::vector<std::string> textLines(std::string_view text, double wrapWidth, const TextWidth& width) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find_first_of("\r\n", start);
    const std::string_view paragraph = text.substr(start, end == std::string_view::npos ? end : end - start);
    if (wrapWidth > 0) {
      wrapParagraph(paragraph, wrapWidth, width, lines);
    } else {
      lines.emplace_back(paragraph);
    }
    if (end == std::string_view::npos) break;
    // CR LF is one line end.
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

}  // namespace quorvel
