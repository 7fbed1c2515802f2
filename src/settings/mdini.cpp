#include "settings/mdini.h"

#include <map>
#include <optional>
#include <vector>

#include "base/utf.h"
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
  std::shared_ptr<IniIndex> index;                        // shared with the snapshots taken of it
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

// The last parse, made anew unless it is of the file in the state `now`; nothing when the file cannot be
// read.
Parse* refreshedParse(Files& files, const std::string& path, const FileStamp& now) {
  std::optional<Parse>& parse = lastParse();
  if (!parse || parse->path != path || !parse->stamp.sameState(now) || !settled(parse->stamp)) {
    parse.emplace(Parse{path, now, std::make_shared<IniIndex>(kIniValueLimit, kIndexBudget), {}});
    if (files.readFile(path, [&parse](std::string_view piece) { parse->index->add(piece); }) !=
        FileFault::none) {
      parse.reset();
      return nullptr;
    }
    parse->index->finish();
  }
  return &*parse;
}

std::optional<std::string> lookUp(Files& files, const std::string& path, std::string_view section,
                                  std::string_view key) {
  const auto now = files.stamp(path);
  if (!now) return lookUpInText(files, path, section, key);
  Parse* parse = refreshedParse(files, path, *now);
  if (!parse) return std::nullopt;
  std::string value;
  auto answer = parse->index->find(section, key, value);
  if (answer == IniIndex::Answer::unknown) {
    auto pass = parse->sections.find(section);
    if (pass == parse->sections.end()) {
      IniIndex one(kIniValueLimit, kIndexBudget, {section});
      if (files.readFile(path, [&one](std::string_view piece) { one.add(piece); }) != FileFault::none) {
        return std::nullopt;
      }
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

bool answersAll(const IniIndex& index, const std::vector<std::string_view>& sections,
                const std::vector<std::string_view>& keys) {
  std::string value;
  for (const std::string_view section : sections) {
    for (const std::string_view key : keys) {
      if (index.find(section, key, value) == IniIndex::Answer::unknown) return false;
    }
  }
  return true;
}

// A read's answer: the value decoded from the file's encoding, or the fallback.
std::string answer(const Files& files, const std::optional<std::string>& bytes, std::string_view fallback) {
  // Only the returned value is decoded: every other byte of the file stays as it is.
  if (bytes) return files.valueFromFile(*bytes);
  return std::string(iniValueCut(fallback, kIniValueLimit));
}

// The first character of a refused value that the file's encoding lacks; empty when none alone is.
std::string firstUnencodable(const Files& files, std::string_view value) {
  for (std::size_t at = 0; at < value.size();) {
    const std::size_t length = characterLength(value, at);
    const std::string_view character = value.substr(at, length);
    if (!files.valueToFile(character)) return std::string(character);
    at += length;
  }
  return {};
}

}  // namespace

std::string readini(Files& files, const std::string& file, std::string_view section, std::string_view key,
                    std::string_view fallback) {
  return answer(files, lookUp(files, file, section, key), fallback);
}

std::string writeini(Files& files, const std::string& file, std::string_view section, std::string_view key,
                     std::string_view value) {
  const IniAssignment one[] = {{section, key, value}};
  return writeiniAll(files, file, one) ? "1" : "0";
}

IniWriteResult writeiniAll(Files& files, const std::string& file,
                           std::span<const IniAssignment> assignments) {
  std::vector<std::string> encoded;
  for (const IniAssignment& a : assignments) {
    if (!iniNameIsWritable(a.section) || !iniNameIsWritable(a.key)) return {FileFault::other, {}};
    auto bytes = files.valueToFile(a.value);
    if (!bytes) return {FileFault::unencodable, firstUnencodable(files, a.value)};
    if (!iniValueIsWritable(*bytes)) return {FileFault::other, {}};
    encoded.push_back(std::move(*bytes));
  }
  std::string text;
  switch (files.fileExists(file)) {
    case FileCheck::failed:
      return {FileFault::other, {}};
    case FileCheck::exists: {
      // Never overwrite what could not be read.
      const FileFault read = files.readFile(file, [&text](std::string_view piece) { text += piece; });
      if (read != FileFault::none) return {read, {}};
      break;
    }
    case FileCheck::missing:
      break;
  }
  for (std::size_t i = 0; i < assignments.size(); ++i) {
    text = iniAssign(text, assignments[i].section, assignments[i].key, encoded[i], files.nativeLineEnd());
  }
  return {files.replaceFile(file, text), {}};
}

IniSnapshot::IniSnapshot(Files& files, const std::string& file, const std::vector<std::string_view>& sections,
                         const std::vector<std::string_view>& keys)
    : files_(files) {
  const auto now = files.stamp(file);
  const Parse* parse = now ? refreshedParse(files, file, *now) : nullptr;
  if (parse && answersAll(*parse->index, sections, keys)) {
    index_ = parse->index;
    return;
  }
  if (now && !parse) return;  // unreadable: every read gives its fallback
  // Just the values asked for: room for them whatever else the file holds.
  auto own = std::make_shared<IniIndex>(kIniValueLimit, kIndexBudget, sections, keys);
  if (files.readFile(file, [&own](std::string_view piece) { own->add(piece); }) != FileFault::none) return;
  own->finish();
  index_ = std::move(own);
}

std::string IniSnapshot::read(std::string_view section, std::string_view key,
                              std::string_view fallback) const {
  std::string value;
  const bool found = index_ && index_->find(section, key, value) == IniIndex::Answer::value;
  return answer(files_, found ? std::optional<std::string>(std::move(value)) : std::nullopt, fallback);
}

}  // namespace quorvel
