// The INI value routines: one value read or written per call, the file's state checked every time; and a
// snapshot, for a series of reads that must all see one version of the file.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace quorvel {

class IniIndex;

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
// each in turn. When one is refused or anything fails, the file is left as it was, and the result says
// why; for a value that the file's encoding cannot hold, with its first character that it lacks.
struct IniAssignment {
  std::string_view section;
  std::string_view key;
  std::string_view value;
};
struct IniWriteResult {
  FileFault fault = FileFault::none;
  std::string character;  // with FileFault::unencodable, when one character alone is to blame
  explicit operator bool() const { return fault == FileFault::none; }
};
IniWriteResult writeiniAll(Files& files, const std::string& file, std::span<const IniAssignment> assignments);

// One version of the file for a series of reads, whatever happens to the file meanwhile: the last parse
// when it answers every value asked for (no reading at all while the file is unchanged), else one reading
// that keeps just those values. Reads answer as readini, for the sections and keys given.
class IniSnapshot {
 public:
  IniSnapshot(Files& files, const std::string& file, const std::vector<std::string_view>& sections,
              const std::vector<std::string_view>& keys);
  std::string read(std::string_view section, std::string_view key, std::string_view fallback) const;

 private:
  Files& files_;
  std::shared_ptr<const IniIndex> index_;  // none: the file could not be read
};

}  // namespace quorvel
