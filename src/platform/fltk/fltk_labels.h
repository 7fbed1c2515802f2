// Texts shown by FLTK exactly as given: it reads '@' in a label as the start of a symbol and, in a menu,
// '&' as a shortcut mark.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

std::string literalLabel(std::string_view text);
std::string literalMenuLabel(std::string_view text);

}  // namespace quorvel
