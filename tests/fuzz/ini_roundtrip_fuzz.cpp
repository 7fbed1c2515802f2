// Any existing file, any value: what writeini accepts reads back exactly, and no other key changes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/fake/fake_files.h"
#include "settings/mdini.h"

namespace {

constexpr const char* kSections[] = {"screen", "no1", "no2", "NO2"};
constexpr const char* kKeys[] = {"x", "y", "t", "F"};
constexpr const char* kPath = "/fuzz/config.ini";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // First byte picks where to write; the rest is the old file, then 0xFF, then the value.
  const int section = data[0] & 3;
  const int key = (data[0] >> 2) & 3;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto split = rest.find('\xFF');
  const std::string_view file = rest.substr(0, split);
  const std::string_view value = split == std::string_view::npos ? std::string_view() : rest.substr(split + 1);

  quorvel::FakeFiles files("/fuzz");
  files.keepFilesInMemory();
  if (!file.empty() && !files.replaceFile(kPath, file)) std::abort();

  std::string before[4][4];
  for (int s = 0; s < 4; ++s) {
    for (int k = 0; k < 4; ++k) before[s][k] = quorvel::readini(files, kPath, kSections[s], kKeys[k], "\x01");
  }

  if (quorvel::writeini(files, kPath, kSections[section], kKeys[key], value) != "1") {
    if (files.readFile(kPath).value_or("") != file) std::abort();  // refused writes leave the file alone
    return 0;
  }
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
  return 0;
}
