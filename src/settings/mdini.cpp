#include "settings/mdini.h"

#include <map>
#include <optional>
#include <vector>

#include "platform/files.h"
#include "settings/ini_index.h"
#include "settings/ini_profile.h"

namespace quorvel {
namespace {

// Room for the names and values of an ordinary file many times over. A file with more keys is answered
// from its index as far as it goes, and from a second pass that keeps only the section asked for.
constexpr std::size_t kIndexBudget = 1 << 20;

// One parse of one file, and the state of the file it was made from.
struct Parse {
  std::string path;
  FileStamp stamp;
  IniIndex index{kIniValueLimit, kIndexBudget};
  std::map<std::string, IniIndex, std::less<>> sections;  // second passes, by section as asked for
};

// NOTE: reusing the last parse never hides a change. Every read takes the file's stamp anew and reuses
// the parse only while the file is the same one (a replace gives the name a new file), with the same size
// and the same modification time; the stamp is taken before the bytes are read, so a change during the
// read shows at the next one. A change that keeps the size and lands in the same tick of the file
// system's clock keeps the time too, so a parse of a file modified so recently is never reused (a tick is
// taken as 100 ms, or 2.5 s where times fall on whole seconds, as on FAT).
// Only the user-interface thread reads, so one parse kept here serves every caller.
std::optional<Parse>& lastParse() {
  static std::optional<Parse> parse;
  return parse;
}

bool settled(const FileStamp& stamp) { return stamp.ageMilliseconds > (stamp.wholeSecond ? 2500 : 100); }

// The value's bytes as the file holds them, found without an index.
std::optional<std::string> lookUpInText(Files& files, const std::string& path, std::string_view section,
                                        std::string_view key) {
  const auto text = readWholeFile(files, path);
  const auto value = text ? iniLookup(*text, section, key) : std::nullopt;
  if (!value) return std::nullopt;
  return std::string(iniValueCut(*value, kIniValueLimit));
}

std::optional<std::string> lookUp(Files& files, const std::string& path, std::string_view section,
                                  std::string_view key) {
  const auto now = files.stamp(path);
  if (!now) return lookUpInText(files, path, section, key);
  std::optional<Parse>& parse = lastParse();
  if (!parse || parse->path != path || !parse->stamp.sameState(*now) || !settled(parse->stamp)) {
    parse.emplace(Parse{path, *now, IniIndex(kIniValueLimit, kIndexBudget), {}});
    if (!files.readFile(path, [&parse](std::string_view piece) { parse->index.add(piece); })) {
      parse.reset();
      return std::nullopt;
    }
    parse->index.finish();
  }
  std::string value;
  auto answer = parse->index.find(section, key, value);
  if (answer == IniIndex::Answer::unknown) {
    auto pass = parse->sections.find(section);
    if (pass == parse->sections.end()) {
      IniIndex one(kIniValueLimit, kIndexBudget, section);
      if (!files.readFile(path, [&one](std::string_view piece) { one.add(piece); })) return std::nullopt;
      one.finish();
      pass = parse->sections.emplace(std::string(section), std::move(one)).first;
    }
    answer = pass->second.find(section, key, value);
  }
  switch (answer) {
    case IniIndex::Answer::value:
      return value;
    case IniIndex::Answer::absent:
      return std::nullopt;
    case IniIndex::Answer::unknown:
      break;
  }
  return lookUpInText(files, path, section, key);
}

}  // namespace

std::string readini(Files& files, const std::string& file, std::string_view section, std::string_view key,
                    std::string_view fallback) {
  // Only the returned value is decoded: every other byte of the file stays as it is.
  if (const auto bytes = lookUp(files, file, section, key)) return files.valueFromFile(*bytes);
  return std::string(iniValueCut(fallback, kIniValueLimit));
}

std::string writeini(Files& files, const std::string& file, std::string_view section, std::string_view key,
                     std::string_view value) {
  const IniAssignment one[] = {{section, key, value}};
  return writeiniAll(files, file, one) ? "1" : "0";
}

bool writeiniAll(Files& files, const std::string& file, std::span<const IniAssignment> assignments) {
  std::vector<std::string> encoded;
  for (const IniAssignment& a : assignments) {
    if (!iniNameIsWritable(a.section) || !iniNameIsWritable(a.key)) return false;
    auto bytes = files.valueToFile(a.value);
    if (!bytes || !iniValueIsWritable(*bytes)) return false;
    encoded.push_back(std::move(*bytes));
  }
  std::string text;
  switch (files.fileExists(file)) {
    case FileCheck::failed:
      return false;
    case FileCheck::exists: {
      auto current = readWholeFile(files, file);
      if (!current) return false;  // never overwrite what could not be read
      text = std::move(*current);
      break;
    }
    case FileCheck::missing:
      break;
  }
  for (std::size_t i = 0; i < assignments.size(); ++i) {
    text = iniAssign(text, assignments[i].section, assignments[i].key, encoded[i], files.nativeLineEnd());
  }
  return files.replaceFile(file, text);
}

}  // namespace quorvel
