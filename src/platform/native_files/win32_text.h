// Text at the edge of the system: the program's UTF-8 to and from the UTF-16 of the wide API.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

std::wstring wide(std::string_view text);
std::string narrow(std::wstring_view text);

}  // namespace quorvel
