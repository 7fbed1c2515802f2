// The INI value routines: one value read or written per call, the file opened afresh every time.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

class Files;

// Longest value text a read gives back, in bytes.
inline constexpr std::size_t kIniValueLimit = 253;

// The value of `key` in `section`, cut at a NUL and to kIniValueLimit bytes; `fallback` when the
// file, the section or the key is missing. A key present with an empty value gives the empty text.
std::string readini(Files& files, const std::string& file, std::string_view section, std::string_view key,
                    std::string_view fallback);

// Sets one value; "1" when it reached the file, "0" when it did not. A value holding CR, LF or NUL is
// refused (it would add lines to the file); blanks at its edges or quotes around it are kept by
// writing it inside double quotes.
std::string writeini(Files& files, const std::string& file, std::string_view section, std::string_view key,
                     std::string_view value);

}  // namespace quorvel
