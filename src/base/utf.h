// UTF-8 and UTF-16 text: conversions for systems whose controls speak UTF-16, and character counts
// for typing limits. Nothing here throws on bad input: a stray byte or a lone surrogate becomes U+FFFD.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

// Bytes of the UTF-8 character that starts at text[i]; a stray byte counts as a character of its own.
std::size_t characterLength(std::string_view text, std::size_t i);
std::vector<char32_t> codePoints(std::string_view text);
std::size_t characterCount(std::string_view text);
std::string toUtf8(char32_t character);

}  // namespace quorvel
