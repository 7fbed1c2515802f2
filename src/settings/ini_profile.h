// INI profile text, read and changed one value at a time. Reads files written by the Windows profile
// functions and writes files they read: names compare case-insensitively, blanks around names and values
// are trimmed, one pair of matching quotes around a value is removed, the first matching section and key
// win, and a change touches only the one line it must.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// The name of a section header line "[name]" (blanks trimmed), if the line is one.
std::optional<std::string_view> iniSectionName(std::string_view line);

// The key and value of a line "key=value", blanks trimmed and one pair of matching quotes removed from the
// value, if the line is one. A header line is checked first by the callers.
struct IniKeyValue {
  std::string_view key;
  std::string_view value;
};
std::optional<IniKeyValue> iniKeyValue(std::string_view line);

// The value of `key` in the first section named `section`, or nothing when either is missing.
std::optional<std::string> iniLookup(std::string_view text, std::string_view section, std::string_view key);

// Whether a section or key name survives being written and read back.
bool iniNameIsWritable(std::string_view name);
// Whether a value can be written without breaking the file's lines (no CR, LF or NUL).
bool iniValueIsWritable(std::string_view value);

// `text` with `key` set to `value` in `section`: the key's line replaced, or a new line after the last
// non-blank line of the section, or the section appended at the end. Every other byte is kept. The line
// end of new lines follows the file; an empty file gets `newFileLineEnd`. Names and value must be writable.
std::string iniAssign(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value, std::string_view newFileLineEnd);

}  // namespace quorvel
