// Any existing file, any edits: what writeini accepts reads back exactly, no other key changes, and the
// reads that reuse a parse give exactly what a parse of the file's bytes at that moment gives, also from
// an index that ran out of room or was fed in odd pieces.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/native_files/fake_files.h"
#include "settings/ini_index.h"
#include "settings/ini_profile.h"
#include "settings/mdini.h"

namespace {

constexpr const char* kSections[] = {"screen", "no1", "no2", "NO2"};
constexpr const char* kKeys[] = {"x", "y", "t", "F"};
constexpr const char* kPath = "/fuzz/config.ini";

// What a read gives without any parse kept: the value in the bytes, cut as reads cut it.
std::string uncached(const std::string& bytes, int s, int k) {
  const auto value = quorvel::iniLookup(bytes, kSections[s], kKeys[k]);
  return value ? std::string(quorvel::iniValueCut(*value, quorvel::kIniValueLimit)) : "\x01";
}

void checkReads(quorvel::FakeFiles& files) {
  const std::string bytes = quorvel::readWholeFile(files, kPath).value_or("");
  for (int s = 0; s < 4; ++s) {
    for (int k = 0; k < 4; ++k) {
      if (quorvel::readini(files, kPath, kSections[s], kKeys[k], "\x01") != uncached(bytes, s, k))
        std::abort();
    }
  }
}

// An index fed in pieces of `step` bytes, with a budget so small that it may run out, of every section or
// of some, of every key or of some: it answers right or says it does not know.
void checkIndex(const std::string& bytes, std::size_t step, std::size_t budget,
                const std::vector<std::string_view>& sections, const std::vector<std::string_view>& keys) {
  quorvel::IniIndex index(quorvel::kIniValueLimit, budget, sections, keys);
  for (std::size_t at = 0; at < bytes.size(); at += step) index.add(std::string_view(bytes).substr(at, step));
  index.finish();
  for (int s = 0; s < 4; ++s) {
    for (int k = 0; k < 4; ++k) {
      std::string value;
      const auto answer = index.find(kSections[s], kKeys[k], value);
      if (answer == quorvel::IniIndex::Answer::unknown) continue;
      if (answer == quorvel::IniIndex::Answer::absent) value = "\x01";
      if (value != uncached(bytes, s, k)) std::abort();
    }
  }
}

}  // namespace

// First byte: how to feed the index; then the old file, 0xFF, and up to four edits separated by 0xFF,
// each a byte that picks the section and key followed by the value.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::size_t step = 1 + (data[0] & 15);
  const std::size_t budget = (data[0] >> 4) * 40;
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto split = rest.find('\xFF');
  const std::string file(rest.substr(0, split));
  rest = split == std::string_view::npos ? std::string_view() : rest.substr(split + 1);

  checkIndex(file, step, budget, {}, {});
  checkIndex(file, step, budget, {kSections[step & 3]}, {});
  checkIndex(file, step, budget, {kSections[step & 3], kSections[(step + 1) & 3]}, {kKeys[(step >> 2) & 3]});
  quorvel::FakeFiles files("/fuzz");
  files.keepFilesInMemory();
  if (!file.empty() && files.replaceFile(kPath, file) != quorvel::FileFault::none) std::abort();
  checkReads(files);

  for (int edits = 0; edits < 4 && !rest.empty(); ++edits) {
    const int section = rest[0] & 3;
    const int key = (rest[0] >> 2) & 3;
    const auto end = rest.find('\xFF');
    const std::string_view value = rest.substr(1, end == std::string_view::npos ? end : end - 1);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);

    std::string before[4][4];
    for (int s = 0; s < 4; ++s) {
      for (int k = 0; k < 4; ++k)
        before[s][k] = quorvel::readini(files, kPath, kSections[s], kKeys[k], "\x01");
    }
    const std::string old = quorvel::readWholeFile(files, kPath).value_or("");
    if (quorvel::writeini(files, kPath, kSections[section], kKeys[key], value) != "1") {
      if (quorvel::readWholeFile(files, kPath).value_or("") != old) std::abort();  // refused: file alone
      continue;
    }
    checkReads(files);
    if (value.size() <= quorvel::kIniValueLimit &&
        quorvel::readini(files, kPath, kSections[section], kKeys[key], "\x01") != value) {
      std::abort();
    }
    for (int s = 0; s < 4; ++s) {
      for (int k = 0; k < 4; ++k) {
        // NO2 and no2 name one section: the written key is expected to change there too.
        const bool sameSection = (s == section) || (s >= 2 && section >= 2);
        if (sameSection && k == key) continue;
        if (quorvel::readini(files, kPath, kSections[s], kKeys[k], "\x01") != before[s][k]) std::abort();
      }
    }
  }
  return 0;
}
