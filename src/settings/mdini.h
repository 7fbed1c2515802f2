// The INI value routines: one value read or written per call, the file's state checked every time.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quorvel {

class Files;

// Longest value text a read gives back, in bytes of the file.
inline constexpr std::size_t kIniValueLimit = 253;

// The value of `key` in `section`, cut at a NUL and to kIniValueLimit bytes of the file; `fallback` when
// the file, the section or the key is missing. A key present with an empty value gives the empty text.
std::string readini(Files& files, const std::string& file, std::string_view section, std::string_view key,
                    std::string_view fallback);

// Sets one value; "1" when it reached the file, "0" when it did not. A value holding CR, LF or NUL is
// refused (it would add lines to the file), and so is one the file's encoding cannot hold; blanks at its
// edges or quotes around it are kept by writing it inside double quotes.
std::string writeini(Files& files, const std::string& file, std::string_view section, std::string_view key,
                     std::string_view value);

// Several values in one replace of the file: the bytes are those that writeini would leave, called for
// each in turn. True when all reached the file; when one is refused or anything fails, the file is left
// as it was.
struct IniAssignment {
  std::string_view section;
  std::string_view key;
  std::string_view value;
};
bool writeiniAll(Files& files, const std::string& file, std::span<const IniAssignment> assignments);

}  // namespace quorvel
