// Reads the number at the start of a text, the way every number in Quorvel is taken from text.
#pragma once

#include <string_view>

namespace quorvel {

// Blanks, tabs and line feeds are skipped anywhere. Then: an optional sign, digits with at most one
// decimal point and an optional exponent (E or e, optional sign, digits); or &H / &O and a hexadecimal
// or octal integer. Reading stops at the first character that cannot continue the number (a NUL too).
// A text without a number gives 0; a magnitude beyond the double range gives an infinity.
double TextToNumber(std::string_view text);

}  // namespace quorvel
