// What single-value reads of one INI file need, built while its bytes stream past: the first value of each
// key in the first section of each name, not the text. It answers exactly as iniLookup on the same bytes.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A value as reads give it back: up to a NUL, and at most `limit` bytes.
std::string_view iniValueCut(std::string_view value, std::size_t limit);

class IniIndex {
 public:
  // Values are kept cut to `valueLimit` bytes; all names and values together stay within `budget` bytes,
  // so that a huge file costs no more memory than a small one. With `onlySections`, those sections alone
  // are kept, and with `onlyKeys` those keys alone: the way to look further into a file whose index ran
  // out of room, or to keep just what a series of reads will ask for.
  IniIndex(std::size_t valueLimit, std::size_t budget, const std::vector<std::string_view>& onlySections = {},
           const std::vector<std::string_view>& onlyKeys = {});

  // The file's bytes, in order and in pieces of any size; then finish() for a last line without a line end.
  void add(std::string_view piece);
  void finish();

  enum class Answer { value, absent, unknown };
  // `unknown` when the budget ran out before the index could tell, or for a section or key it does not keep.
  Answer find(std::string_view section, std::string_view key, std::string& value) const;

 private:
  struct Section {
    std::map<std::string, std::string, std::less<>> values;  // names in lower case
    bool complete = false;  // closed by the next header or the end, with every key kept
  };
  void line(std::string_view text);
  void closeSection();
  bool charge(std::size_t bytes);

  static bool kept(const std::vector<std::string>& only, const std::string& lowerName);

  std::vector<std::string> onlySections_;  // in lower case; empty: every section
  std::vector<std::string> onlyKeys_;      // in lower case; empty: every key
  std::size_t valueLimit_;
  std::size_t budget_;
  std::size_t used_ = 0;
  bool full_ = false;
  bool firstLine_ = true;
  std::string partial_;  // the line that the last piece ended in
  std::map<std::string, Section, std::less<>> sections_;
  Section* current_ = nullptr;
};

}  // namespace quorvel
